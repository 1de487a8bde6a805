#include "platform/desktop/nightlightrecord.h"

#include "core/systemlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

QString stateFolder()
{
    QString stateHome = qEnvironmentVariable("XDG_STATE_HOME");
    if (stateHome.isEmpty() || QDir::isRelativePath(stateHome))
        stateHome = QDir::homePath() + QStringLiteral("/.local/state");
    return stateHome + QStringLiteral("/Halvoscope");
}

// The one record earlier versions kept for every desktop.
QString legacyPath()
{
    return stateFolder() + QStringLiteral("/night-light.json");
}

// Each key a night light's record may hold, and the shape of its values.
const QHash<QString, QRegularExpression> &shapes(const QString &desktop)
{
    static const QRegularExpression boolean(QStringLiteral("^(true|false)$"));
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,10}$"));
    static const QRegularExpression hour(QStringLiteral("^-?[0-9]{1,20}(\\.[0-9]{1,20})?(e[-+]?[0-9]{1,3})?$"));
    static const QHash<QString, QRegularExpression> kwin{
        {QStringLiteral("Active"),
         QRegularExpression(QStringLiteral("^(true|false|on|off|yes|no|1|0)$"),
                            QRegularExpression::CaseInsensitiveOption)},
        {QStringLiteral("Mode"), QRegularExpression(QStringLiteral("^[A-Za-z]{1,32}$"))},
        {QStringLiteral("NightTemperature"), QRegularExpression(QStringLiteral("^[0-9]{1,5}$"))},
    };
    static const QHash<QString, QRegularExpression> gnome{
        {QStringLiteral("night-light-enabled"), boolean},
        {QStringLiteral("night-light-temperature"), number},
        {QStringLiteral("night-light-schedule-automatic"), boolean},
        {QStringLiteral("night-light-schedule-from"), hour},
        {QStringLiteral("night-light-schedule-to"), hour},
    };
    static const QHash<QString, QRegularExpression> none;
    if (desktop == QLatin1String("kwin"))
        return kwin;
    return desktop == QLatin1String("gnome") ? gnome : none;
}

QJsonObject toJson(const NightLightRecord::Settings &settings)
{
    QJsonObject object;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        object.insert(it.key(), it.value() ? QJsonValue(*it.value()) : QJsonValue());
    return object;
}

// The entries of `value` that the desktop uses; the names of the others go
// to `dropped`.
NightLightRecord::Settings fromJson(const QString &desktop, const QJsonValue &value, QStringList &dropped)
{
    NightLightRecord::Settings settings;
    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        std::optional<QString> entry;
        if (it.value().isString())
            entry = it.value().toString();
        if ((it.value().isString() || it.value().isNull()) && NightLightRecord::isValid(desktop, it.key(), entry))
            settings.insert(it.key(), entry);
        else
            dropped.append(it.key());
    }
    return settings;
}

std::optional<NightLightRecord> parse(const QString &desktop, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(file.read(64 * 1024)).object();
    if (object.value(QStringLiteral("desktop")).toString() != desktop)
        return std::nullopt;
    QStringList dropped;
    NightLightRecord record;
    record.desktop = desktop;
    record.original = fromJson(desktop, object.value(QStringLiteral("original")), dropped);
    record.written = fromJson(desktop, object.value(QStringLiteral("written")), dropped);
    record.created = object.value(QStringLiteral("created")).toString();
    record.failureTold = object.value(QStringLiteral("failureTold")).toBool();
    // Only a key with both values can be put back.
    for (const QString &key : record.written.keys() + record.original.keys()) {
        if (record.written.contains(key) != record.original.contains(key)) {
            record.written.remove(key);
            record.original.remove(key);
            dropped.append(key);
        }
    }
    if (record.created != QLatin1String("group") && record.created != QLatin1String("file"))
        record.created.clear();
    if (!dropped.isEmpty()) {
        logSystemLine(QStringLiteral("Halvo NightLightRecord: ignored entries of ") + path
                      + QStringLiteral(" that Halvoscope does not write: ") + dropped.join(QStringLiteral(", ")));
    }
    return record;
}

} // namespace

QString NightLightRecord::path(const QString &desktop)
{
    return stateFolder() + QStringLiteral("/night-light-") + desktop + QStringLiteral(".json");
}

bool NightLightRecord::isValid(const QString &desktop, const QString &key, const std::optional<QString> &value)
{
    const auto shape = shapes(desktop).constFind(key);
    if (shape == shapes(desktop).constEnd())
        return false;
    return !value || shape->match(*value).hasMatch();
}

std::optional<NightLightRecord> NightLightRecord::load(const QString &desktop)
{
    if (QFile::exists(path(desktop))) {
        std::optional<NightLightRecord> record = parse(desktop, path(desktop));
        if (!record) {
            logSystemLine(QStringLiteral("Halvo NightLightRecord: discarded the unreadable ") + path(desktop));
            remove(desktop);
        }
        return record;
    }
    std::optional<NightLightRecord> legacy = parse(desktop, legacyPath());
    if (legacy && legacy->save())
        QFile::remove(legacyPath());
    return legacy;
}

bool NightLightRecord::save() const
{
    if (!QDir().mkpath(stateFolder()))
        return false;
    QJsonObject object;
    object.insert(QStringLiteral("desktop"), desktop);
    object.insert(QStringLiteral("original"), toJson(original));
    object.insert(QStringLiteral("written"), toJson(written));
    if (!created.isEmpty())
        object.insert(QStringLiteral("created"), created);
    if (failureTold)
        object.insert(QStringLiteral("failureTold"), true);
    QSaveFile file(path(desktop));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(object).toJson());
    return file.commit();
}

void NightLightRecord::remove(const QString &desktop)
{
    QFile::remove(path(desktop));
}
