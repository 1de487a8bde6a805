#pragma once

#include "platform/desktop/nightlightstage.h"

#include <QDBusConnection>
#include <QVersionNumber>

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
    // Whether `mode`, as KWin's night-light object reports it, is the
    // constant mode: 3 up to Plasma 6.4, 0 from 6.5 on, which knows only
    // Constant and DarkLight.
    static bool isConstantMode(uint mode, const QVersionNumber &kwin);

    // Used because KWin refused Halvoscope's colour filter: the pages say so.
    void markFilterRefused() { m_filterRefused = true; }
    ScreenColorPath gammaPath() const override
    {
        return m_filterRefused ? ScreenColorPath::NightLightAfterFilterRefused : ScreenColorPath::DesktopNightLight;
    }

protected:
    Settings read(const QStringList &keys) override;
    bool write(const Settings &settings, const QString &created) override;
    Settings settingsFor(qint64 kelvin) const override;
    bool isLocked(const QStringList &keys) override;
    QString creates() override;
    void confirmHeld(const Settings &written) override;

private:
    QVersionNumber kwinVersion();
    void notifyChanged(const Settings &settings);

    QDBusConnection m_bus;
    std::optional<QVersionNumber> m_kwinVersion;
    std::optional<Settings> m_confirmed;
    bool m_modeMismatchLogged = false;
    bool m_filterRefused = false;
};
