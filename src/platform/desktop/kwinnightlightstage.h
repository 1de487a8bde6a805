#pragma once

#include "platform/desktop/nightlightstage.h"

#include <QDBusConnection>

// KWin's night light (KDE Plasma 5.27 and 6), held through its settings:
// group [NightColor] of $XDG_CONFIG_HOME/kwinrc gets Active=true,
// Mode=Constant and NightTemperature, every other line of the file stays as
// it is, and KConfig's change notification tells KWin which keys changed.
class KWinNightLightStage final : public NightLightStage {
public:
    static constexpr qint64 minimumKelvin = 1000;
    static constexpr qint64 maximumKelvin = 6500;

    // Puts back what an earlier instance left recorded for kwinrc.
    explicit KWinNightLightStage(QDBusConnection sessionBus);

    // Whether KWin's night-light object answers on the bus and says it can
    // work: /org/kde/KWin/NightLight (Plasma 6) or /ColorCorrect (5.27).
    static bool isPresent(const QDBusConnection &sessionBus);
    static QString configPath();

    // Used because KWin refused Halvoscope's colour filter: the pages say so.
    void markFilterRefused() { m_filterRefused = true; }
    ScreenColorPath gammaPath() const override
    {
        return m_filterRefused ? ScreenColorPath::NightLightAfterFilterRefused : ScreenColorPath::DesktopNightLight;
    }

protected:
    Settings read(const QStringList &keys) override;
    bool write(const Settings &settings) override;
    Settings settingsFor(qint64 kelvin) const override;

private:
    QDBusConnection m_bus;
    bool m_filterRefused = false;
};

// The entries of one group of a KConfig file, edited as text so that every
// other group, line, comment and blank line stays exactly as it was.
namespace KConfigText {

std::optional<QString> value(const QByteArray &text, const QString &group, const QString &key);
// nullopt removes the key; a group left with nothing in it goes with its
// header (and the blank line before it when it ends the file).
QByteArray withEntries(const QByteArray &text, const QString &group,
                       const NightLightStage::Settings &entries);

} // namespace KConfigText
