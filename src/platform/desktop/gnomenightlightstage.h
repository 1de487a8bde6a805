#pragma once

#include "platform/desktop/nightlightstage.h"

#include <QDBusConnection>

typedef struct _GSettings GSettings;

// GNOME's night light, held through the settings daemon's GSettings schema
// org.gnome.settings-daemon.plugins.color: enabled, the temperature, and a
// manual schedule that covers the whole day. Values the user never set stay
// unset when they are put back.
class GnomeNightLightStage final : public NightLightStage {
public:
    static constexpr qint64 minimumKelvin = 1000;
    static constexpr qint64 maximumKelvin = 10000;

    // Needs the schema (isSchemaInstalled). Puts back what an earlier
    // instance left recorded for GNOME.
    GnomeNightLightStage();
    ~GnomeNightLightStage() override;

    static bool isSchemaInstalled();
    // Whether the settings daemon's colour plugin owns its name on the bus
    // and the schema is installed.
    static bool isPresent(const QDBusConnection &sessionBus);

protected:
    Settings read(const QStringList &keys) override;
    bool write(const Settings &settings, const QString &created) override;
    Settings settingsFor(qint64 kelvin) const override;
    bool isLocked(const QStringList &keys) override;

private:
    GSettings *m_settings = nullptr;
};
