#pragma once

#include "engines/colorstage.h"
#include "platform/desktop/nightlightrecord.h"

#include <QStringList>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

// A desktop's own night light used as the colour stage: one temperature for
// every screen, held by writing the desktop's night-light settings.
//
// Before the first write the user's own value of each key goes into a
// NightLightRecord, which outlives a crash and a logout. When the stage lets
// go (Standard, Quit, a signal, the next start after a crash) every key that
// still holds what was written gets the user's value back; a key the user
// changed meanwhile is theirs and stays. While a temperature is held the
// settings are read back every few seconds, and a change by the user makes
// the stage let go at once and say so. A restore the store does not take
// keeps the record, is tried again (at the latest at the next start) and is
// told once.
//
// Subclasses speak to one desktop's settings store.
class NightLightStage : public ColorStage {
public:
    using Settings = NightLightRecord::Settings;

    static constexpr std::chrono::milliseconds defaultCheckInterval{2000};

    ~NightLightStage() override;
    NightLightStage(const NightLightStage &) = delete;
    NightLightStage &operator=(const NightLightStage &) = delete;

    // The record of the user's settings for "kwin" or "gnome".
    static QString recordPath(const QString &desktop) { return NightLightRecord::path(desktop); }

    void setCheckInterval(std::chrono::milliseconds interval) { m_checkTimer.setInterval(interval); }
    // Whether the stage holds the desktop's night light at the moment.
    bool isHolding() const { return m_holding; }
    bool holdsTemperature() const override { return m_holding; }

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
    // false when the store did not take it. `created` (see
    // NightLightRecord::created) goes once nothing is left in it.
    virtual bool write(const Settings &settings, const QString &created) = 0;
    // What holds `kelvin`, already inside the desktop's range, constantly.
    virtual Settings settingsFor(qint64 kelvin) const = 0;
    // Whether the desktop keeps any of `keys` from being changed (KConfig's
    // immutable entries, a GSettings lock).
    virtual bool isLocked(const QStringList &keys) = 0;
    // What a first write of `keys` has to create in the store.
    virtual QString creates() { return {}; }
    // Called every check while the settings still hold what was written.
    virtual void confirmHeld(const Settings &written) { Q_UNUSED(written); }

    // Called by the subclass once it can read and write: puts back what a
    // previous instance left recorded.
    void recoverRecord();
    void tell(const QString &message);
    QString name() const { return m_name; }

private:
    NightLightRecord recordFor(const Settings &target);
    void checkHeld();
    // Puts back every key that still holds what was written; false when the
    // store did not take it (the record stays).
    bool letGo();

    QString m_desktop;
    QString m_name;
    qint64 m_minimumKelvin;
    qint64 m_maximumKelvin;
    // What is owed to the desktop: while holding, and after a failed restore.
    std::optional<NightLightRecord> m_record;
    bool m_holding = false;
    bool m_lockTold = false;
    std::function<void(const QString &)> m_notice;
    // Told before anyone listened (a recovery in the constructor).
    QStringList m_unheard;
    QTimer m_checkTimer;
};
