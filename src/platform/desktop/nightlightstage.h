#pragma once

#include "engines/colorstage.h"

#include <QMap>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

// A desktop's own night light used as the colour stage: one temperature for
// every screen, held by writing the desktop's night-light settings.
//
// Before the first write the user's own settings go into a small record in
// $XDG_STATE_HOME/Halvoscope/, which outlives a crash and a logout; they are
// put back exactly on restoreTemperature, and by the next instance when this
// one never got to it. While a temperature is held the settings are read back
// every few seconds: a value that differs from what was written is the
// user's, and then the stage lets go, keeps it and says so once.
//
// Subclasses speak to one desktop's settings store.
class NightLightStage : public ColorStage {
public:
    // Key → value as the settings store spells it; nullopt: not set at all
    // (the desktop's default applies).
    using Settings = QMap<QString, std::optional<QString>>;

    static constexpr std::chrono::milliseconds defaultCheckInterval{2000};

    ~NightLightStage() override;
    NightLightStage(const NightLightStage &) = delete;
    NightLightStage &operator=(const NightLightStage &) = delete;

    // The record of the user's settings: $XDG_STATE_HOME/Halvoscope/night-light.json.
    static QString recordPath();
    // The desktop a record left by an earlier run is for; empty when none.
    static QString recordedDesktop();

    void setCheckInterval(std::chrono::milliseconds interval) { m_checkTimer.setInterval(interval); }
    // Whether the stage holds the desktop's night light at the moment.
    bool isHolding() const { return m_written.has_value(); }

    bool isAvailable() const override { return true; }
    void refresh() override {}
    void invalidate() override {}
    QStringList activeOutputs() const override { return {}; }
    bool hasMatrix(const QString &) const override { return false; }
    QStringList gammaCrtcs() const override { return {}; }
    GammaRamp originalGamma(const QString &) const override { return {}; }
    bool writeMatrix(const QString &, const ColorMatrix3x3 &) override { return false; }
    bool writeGamma(const QString &, const GammaRamp &) override { return false; }
    bool matrixHolds(const QString &, const ColorMatrix3x3 &) override { return true; }
    bool gammaHolds(const QString &, const GammaRamp &) override { return true; }
    void restoreMatrices() override {}
    void restoreGamma() override {}
    void forgetOriginals() override {}
    void setConfigurationChangedHandler(std::function<void()>) override {}
    ScreenColorPath gammaPath() const override { return ScreenColorPath::DesktopNightLight; }
    void setNoticeHandler(std::function<void(const QString &message)> handler) override;

    bool takesTemperature() const override { return true; }
    QString temperatureStageName() const override { return m_name; }
    bool writeTemperature(qint64 kelvin) override;
    void restoreTemperature() override;

protected:
    // `desktop` names the settings store in the record ("kwin", "gnome").
    NightLightStage(QString desktop, QString name, qint64 minimumKelvin, qint64 maximumKelvin);

    // The current values of `keys`.
    virtual Settings read(const QStringList &keys) = 0;
    // Writes every entry (nullopt removes the key), then tells the desktop;
    // false when the store did not take it.
    virtual bool write(const Settings &settings) = 0;
    // What holds `kelvin`, already inside the desktop's range, constantly.
    virtual Settings settingsFor(qint64 kelvin) const = 0;

    // Called by the subclass once it can read and write: puts back what a
    // previous instance left recorded, unless the user changed it since.
    void recoverRecord();

private:
    bool userChanged(const Settings &written);
    void checkHeld();
    void letGo();

    QString m_desktop;
    QString m_name;
    qint64 m_minimumKelvin;
    qint64 m_maximumKelvin;
    std::optional<Settings> m_original;
    std::optional<Settings> m_written;
    std::function<void(const QString &)> m_notice;
    QTimer m_checkTimer;
};
