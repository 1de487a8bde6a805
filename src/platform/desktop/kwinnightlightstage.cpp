#include "platform/desktop/kwinnightlightstage.h"

#include "platform/dbus/dbuscalltimeout.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace {

const QString kGroup = QStringLiteral("NightColor");

struct Range {
    qsizetype header = -1; // -1: no such group
    qsizetype end = 0;     // the next header, or the end of the lines
};

bool isHeader(const QByteArray &line)
{
    return line.trimmed().startsWith('[');
}

Range findGroup(const QList<QByteArray> &lines, const QString &group)
{
    const QByteArray header = '[' + group.toUtf8() + ']';
    Range range;
    range.end = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (range.header < 0) {
            if (lines.at(i).trimmed() == header)
                range.header = i;
        } else if (isHeader(lines.at(i))) {
            range.end = i;
            break;
        }
    }
    return range;
}

// The line of `key` (plain, without an option or locale suffix) in the
// group, or -1.
qsizetype findKey(const QList<QByteArray> &lines, const Range &range, const QString &key)
{
    if (range.header < 0)
        return -1;
    const QByteArray name = key.toUtf8();
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const QByteArray &line = lines.at(i);
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && !line.trimmed().startsWith('#') && line.left(equals).trimmed() == name)
            return i;
    }
    return -1;
}

bool isBlank(const QByteArray &line)
{
    return line.trimmed().isEmpty();
}

} // namespace

namespace KConfigText {

std::optional<QString> value(const QByteArray &text, const QString &group, const QString &key)
{
    const QList<QByteArray> lines = text.split('\n');
    const qsizetype index = findKey(lines, findGroup(lines, group), key);
    if (index < 0)
        return std::nullopt;
    const QByteArray &line = lines.at(index);
    return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
}

QByteArray withEntries(const QByteArray &text, const QString &group,
                       const NightLightStage::Settings &entries)
{
    // A text ending in a newline splits into a last empty line, so joining
    // gives back exactly the same bytes.
    QList<QByteArray> lines = text.isEmpty() ? QList<QByteArray>{QByteArray()} : text.split('\n');
    bool removed = false;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        Range range = findGroup(lines, group);
        const qsizetype index = findKey(lines, range, it.key());
        const QByteArray line = it.key().toUtf8() + '=' + it.value().value_or(QString()).toUtf8();
        if (index >= 0 && it.value()) {
            lines[index] = line;
        } else if (index >= 0) {
            lines.removeAt(index);
            removed = true;
        } else if (it.value() && range.header >= 0) {
            qsizetype last = range.end - 1;
            while (last > range.header && isBlank(lines.at(last)))
                --last;
            lines.insert(last + 1, line);
        } else if (it.value()) {
            const bool endsInNewline = lines.constLast().isEmpty();
            if (endsInNewline)
                lines.removeLast();
            if (!lines.isEmpty() && !isBlank(lines.constLast()))
                lines.append(QByteArray());
            lines.append('[' + group.toUtf8() + ']');
            lines.append(line);
            lines.append(QByteArray());
        }
    }

    if (removed) {
        const Range range = findGroup(lines, group);
        bool empty = range.header >= 0;
        for (qsizetype i = range.header + 1; empty && i < range.end; ++i)
            empty = isBlank(lines.at(i));
        if (empty) {
            const bool endsFile = range.end == lines.size();
            lines.remove(range.header, range.end - range.header);
            if (endsFile) {
                if (range.header > 0 && isBlank(lines.at(range.header - 1)))
                    lines.removeAt(range.header - 1);
                if (!lines.isEmpty())
                    lines.append(QByteArray());
            }
        }
    }
    return lines.join('\n');
}

} // namespace KConfigText

KWinNightLightStage::KWinNightLightStage(QDBusConnection sessionBus)
    : NightLightStage(QStringLiteral("kwin"), QStringLiteral("KDE Plasma Night Light"),
                      minimumKelvin, maximumKelvin)
    , m_bus(std::move(sessionBus))
{
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
    recoverRecord();
}

bool KWinNightLightStage::isPresent(const QDBusConnection &sessionBus)
{
    if (!sessionBus.isConnected())
        return false;
    const std::pair<QString, QString> objects[] = {
        {QStringLiteral("/org/kde/KWin/NightLight"), QStringLiteral("org.kde.KWin.NightLight")},
        {QStringLiteral("/ColorCorrect"), QStringLiteral("org.kde.kwin.ColorCorrect")},
    };
    for (const auto &[path, interface] : objects) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.KWin"), path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        call << interface << QStringLiteral("available");
        const QDBusMessage reply = sessionBus.call(call, QDBus::Block, kDBusCallTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1)
            return qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
    }
    return false;
}

QString KWinNightLightStage::configPath()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/kwinrc");
}

NightLightStage::Settings KWinNightLightStage::read(const QStringList &keys)
{
    QFile file(configPath());
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    Settings settings;
    for (const QString &key : keys)
        settings.insert(key, KConfigText::value(text, kGroup, key));
    return settings;
}

bool KWinNightLightStage::write(const Settings &settings)
{
    const QString path = configPath();
    QFile current(path);
    if (current.exists() && !current.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = current.isOpen() ? current.readAll() : QByteArray();
    current.close();
    const QByteArray edited = KConfigText::withEntries(text, kGroup, settings);
    if (edited == text)
        return true;

    // A file we created holds nothing of the user's once our keys are gone.
    if (edited.isEmpty()) {
        if (!QFile::remove(path) && QFile::exists(path))
            return false;
    } else {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(edited) != edited.size() || !file.commit())
            return false;
    }

    QByteArrayList keys;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        keys.append(it.key().toUtf8());
    QDBusMessage changed = QDBusMessage::createSignal(
        QStringLiteral("/kwinrc"), QStringLiteral("org.kde.kconfig.notify"),
        QStringLiteral("ConfigChanged"));
    changed << QVariant::fromValue(QHash<QString, QByteArrayList>{{kGroup, keys}});
    m_bus.send(changed);
    return true;
}

NightLightStage::Settings KWinNightLightStage::settingsFor(qint64 kelvin) const
{
    return {
        {QStringLiteral("Active"), QStringLiteral("true")},
        {QStringLiteral("Mode"), QStringLiteral("Constant")},
        {QStringLiteral("NightTemperature"), QString::number(kelvin)},
    };
}
