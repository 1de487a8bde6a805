#include "platform/desktop/gnomenightlightstage.h"

#include "core/systemlog.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>

#include <gio/gio.h>

namespace {

constexpr char kSchema[] = "org.gnome.settings-daemon.plugins.color";

// GVariant text without type annotations ("true", "3400", "24.0"), the form
// values are compared and recorded in.
QString printed(GVariant *value)
{
    gchar *text = g_variant_print(value, FALSE);
    const QString result = QString::fromUtf8(text);
    g_free(text);
    return result;
}

QString printedOwned(GVariant *floating)
{
    GVariant *value = g_variant_ref_sink(floating);
    const QString result = printed(value);
    g_variant_unref(value);
    return result;
}

} // namespace

GnomeNightLightStage::GnomeNightLightStage()
    : NightLightStage(QStringLiteral("gnome"), QCoreApplication::translate("NightLightStage", "GNOME Night Light"), minimumKelvin,
                      maximumKelvin)
{
    if (isSchemaInstalled())
        m_settings = g_settings_new(kSchema);
    recoverRecord();
}

GnomeNightLightStage::~GnomeNightLightStage()
{
    if (m_settings) {
        g_settings_sync();
        g_object_unref(m_settings);
    }
}

// g_settings_new aborts on a schema that is not installed, so it is looked
// up first.
bool GnomeNightLightStage::isSchemaInstalled()
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    if (!source)
        return false;
    GSettingsSchema *schema = g_settings_schema_source_lookup(source, kSchema, TRUE);
    if (!schema)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

bool GnomeNightLightStage::isPresent(const QDBusConnection &sessionBus)
{
    if (!sessionBus.isConnected() || !sessionBus.interface())
        return false;
    return sessionBus.interface()->isServiceRegistered(QStringLiteral("org.gnome.SettingsDaemon.Color"))
           && isSchemaInstalled();
}

NightLightStage::Settings GnomeNightLightStage::read(const QStringList &keys)
{
    Settings settings;
    for (const QString &key : keys) {
        GVariant *value = m_settings ? g_settings_get_user_value(m_settings, key.toUtf8().constData())
                                     : nullptr;
        if (value) {
            settings.insert(key, printed(value));
            g_variant_unref(value);
        } else {
            settings.insert(key, std::nullopt);
        }
    }
    return settings;
}

// A key the administrator locked (dconf's lockdown) cannot be written.
bool GnomeNightLightStage::isLocked(const QStringList &keys)
{
    for (const QString &key : keys) {
        if (m_settings && !g_settings_is_writable(m_settings, key.toUtf8().constData()))
            return true;
    }
    return false;
}

bool GnomeNightLightStage::write(const Settings &settings, const QString &created)
{
    Q_UNUSED(created);
    if (!m_settings)
        return false;
    GSettingsSchema *schema = nullptr;
    g_object_get(m_settings, "settings-schema", &schema, nullptr);
    bool ok = schema != nullptr;
    g_settings_delay(m_settings);
    for (auto it = settings.cbegin(); ok && it != settings.cend(); ++it) {
        const QByteArray key = it.key().toUtf8();
        if (!g_settings_schema_has_key(schema, key.constData())) {
            ok = false;
            break;
        }
        if (!it.value()) {
            g_settings_reset(m_settings, key.constData());
            continue;
        }
        GSettingsSchemaKey *schemaKey = g_settings_schema_get_key(schema, key.constData());
        GVariant *value = g_variant_parse(g_settings_schema_key_get_value_type(schemaKey),
                                          it.value()->toUtf8().constData(), nullptr, nullptr, nullptr);
        // Parsed values are not floating: the setter takes a reference of its own.
        ok = value && g_settings_schema_key_range_check(schemaKey, value)
             && g_settings_set_value(m_settings, key.constData(), value);
        if (value)
            g_variant_unref(value);
        g_settings_schema_key_unref(schemaKey);
    }
    if (ok)
        g_settings_apply(m_settings);
    else
        g_settings_revert(m_settings);
    // Out before anything else may end the process.
    g_settings_sync();
    if (schema)
        g_settings_schema_unref(schema);
    if (!ok)
        logSystemLine(QStringLiteral("Halvo GnomeNightLightStage: GSettings did not take the night-light settings"));
    return ok;
}

NightLightStage::Settings GnomeNightLightStage::settingsFor(qint64 kelvin) const
{
    return {
        {QStringLiteral("night-light-enabled"), printedOwned(g_variant_new_boolean(TRUE))},
        {QStringLiteral("night-light-temperature"),
         printedOwned(g_variant_new_uint32(static_cast<guint32>(kelvin)))},
        {QStringLiteral("night-light-schedule-automatic"), printedOwned(g_variant_new_boolean(FALSE))},
        {QStringLiteral("night-light-schedule-from"), printedOwned(g_variant_new_double(0.0))},
        {QStringLiteral("night-light-schedule-to"), printedOwned(g_variant_new_double(24.0))},
    };
}
