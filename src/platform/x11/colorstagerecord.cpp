#include "platform/x11/colorstagerecord.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QtGlobal>

namespace ColorStageRecord {

namespace {

// A record larger than this is not one we wrote (a 4096-entry ramp on eight
// CRTCs, twice over, stays far below).
constexpr qint64 maximumFileSize = 4 * 1024 * 1024;

QJsonArray toJson(const QList<Entry> &entries)
{
    QJsonArray array;
    for (const Entry &entry : entries) {
        array.append(QJsonObject{
            {QStringLiteral("key"), entry.key},
            {QStringLiteral("identity"), QString::fromLatin1(entry.identity.toBase64())},
            {QStringLiteral("original"), QString::fromLatin1(entry.original.toBase64())},
            {QStringLiteral("written"), QString::fromLatin1(entry.written.toBase64())},
        });
    }
    return array;
}

QList<Entry> fromJson(const QJsonValue &value)
{
    QList<Entry> entries;
    for (const QJsonValue &item : value.toArray()) {
        const QJsonObject object = item.toObject();
        Entry entry;
        entry.key = object.value(QStringLiteral("key")).toString();
        entry.identity = QByteArray::fromBase64(object.value(QStringLiteral("identity")).toString().toLatin1());
        entry.original = QByteArray::fromBase64(object.value(QStringLiteral("original")).toString().toLatin1());
        entry.written = QByteArray::fromBase64(object.value(QStringLiteral("written")).toString().toLatin1());
        if (!entry.key.isEmpty() && !entry.original.isEmpty())
            entries.append(entry);
    }
    return entries;
}

} // namespace

QString pathFor(const QByteArray &displayName)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || displayName.isEmpty())
        return {};
    // "host:number.screen" names one server for every screen number.
    QString name = QString::fromLocal8Bit(displayName);
    const qsizetype colon = name.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = name.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon)
        name.truncate(dot);
    for (QChar &c : name) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    }
    return runtime + QStringLiteral("/halvoscope/colour-") + name + QStringLiteral(".json");
}

Contents load(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > maximumFileSize)
        return {};
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    Contents contents;
    contents.pid = object.value(QStringLiteral("pid")).toInteger();
    contents.changing = object.value(QStringLiteral("changing")).toBool();
    contents.crtcs = fromJson(object.value(QStringLiteral("crtcs")));
    contents.outputs = fromJson(object.value(QStringLiteral("outputs")));
    return contents;
}

bool save(const QString &path, const Contents &contents)
{
    if (path.isEmpty())
        return false;
    if (contents.isEmpty())
        return !QFile::exists(path) || QFile::remove(path);

    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')));
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QByteArray json = QJsonDocument(QJsonObject{
                                              {QStringLiteral("pid"), contents.pid},
                                              {QStringLiteral("changing"), contents.changing},
                                              {QStringLiteral("crtcs"), toJson(contents.crtcs)},
                                              {QStringLiteral("outputs"), toJson(contents.outputs)},
                                          })
                                .toJson(QJsonDocument::Compact);

    // Unbuffered, as in the state file: commit() in Qt 6.4 ignores a failed
    // flush of buffered data (QTBUG-75077) and would rename a truncated file
    // into place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    for (qsizetype written = 0; written < json.size();) {
        const qint64 count = file.write(json.constData() + written, json.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return file.commit();
}

} // namespace ColorStageRecord
