#include "platform/desktop/kwinnightlightstage.h"

#include "core/systemlog.h"
#include "platform/dbus/dbuscalltimeout.h"
#include "platform/desktop/kconfigtext.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kGroup = QStringLiteral("NightColor");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// KConfig reads the system's kwinrc files under the user's, and an
// immutable entry there wins.
QStringList cascade()
{
    QStringList dirs = qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts);
    if (dirs.isEmpty())
        dirs.append(QStringLiteral("/etc/xdg"));
    QStringList files;
    for (const QString &dir : dirs)
        files.append(dir + QStringLiteral("/kwinrc"));
    files.append(KWinNightLightStage::configPath());
    return files;
}

} // namespace

KWinNightLightStage::KWinNightLightStage(QDBusConnection sessionBus)
    : NightLightStage(QStringLiteral("kwin"), QCoreApplication::translate("NightLightStage", "KDE Plasma Night Light"),
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
    const QByteArray text = readAll(configPath());
    Settings settings;
    for (const QString &key : keys)
        settings.insert(key, KConfigText::value(text, kGroup, key));
    return settings;
}

bool KWinNightLightStage::write(const Settings &settings, const QString &created)
{
    const QString path = configPath();
    QFile current(path);
    if (current.exists() && !current.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = current.isOpen() ? current.readAll() : QByteArray();
    current.close();
    const auto emptyGroup = created.isEmpty() ? KConfigText::EmptyGroup::Keep : KConfigText::EmptyGroup::Remove;
    const QByteArray edited = KConfigText::withEntries(text, kGroup, settings, emptyGroup);
    // A file created for the first write holds nothing of the user's once it is empty again.
    if (edited.isEmpty() && created == QLatin1String("file")) {
        if (!QFile::remove(path) && QFile::exists(path))
            return false;
    } else if (edited != text && !KConfigText::replaceFile(path, edited)) {
        return false;
    }
    notifyChanged(settings);
    return true;
}

void KWinNightLightStage::notifyChanged(const Settings &settings)
{
    QByteArrayList keys;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        keys.append(it.key().toUtf8());
    QDBusMessage changed = QDBusMessage::createSignal(QStringLiteral("/kwinrc"), QStringLiteral("org.kde.kconfig.notify"),
                                                      QStringLiteral("ConfigChanged"));
    changed << QVariant::fromValue(QHash<QString, QByteArrayList>{{kGroup, keys}});
    m_bus.send(changed);
}

bool KWinNightLightStage::isLocked(const QStringList &keys)
{
    for (const QString &file : cascade()) {
        const QByteArray text = readAll(file);
        for (const QString &key : keys) {
            if (KConfigText::isImmutable(text, kGroup, key))
                return true;
        }
    }
    return false;
}

QString KWinNightLightStage::creates()
{
    if (!QFile::exists(configPath()))
        return QStringLiteral("file");
    return KConfigText::hasGroup(readAll(configPath()), kGroup) ? QString() : QStringLiteral("group");
}

bool KWinNightLightStage::isConstantMode(uint mode, const QVersionNumber &kwin)
{
    return mode == (kwin >= QVersionNumber(6, 5) ? 0u : 3u);
}

QVersionNumber KWinNightLightStage::kwinVersion()
{
    if (m_kwinVersion)
        return *m_kwinVersion;
    const QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"), QStringLiteral("/KWin"),
                                                             QStringLiteral("org.kde.KWin"),
                                                             QStringLiteral("supportInformation"));
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kDBusCallTimeoutMs);
    const QString text = reply.arguments().isEmpty() ? QString() : reply.arguments().constFirst().toString();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("KWin version: *([0-9.]+)")).match(text);
    m_kwinVersion = match.hasMatch() ? QVersionNumber::fromString(match.captured(1)) : QVersionNumber();
    return *m_kwinVersion;
}

// KWin has read what was written once its night-light object reports the
// constant mode, in the terms of the version found.
void KWinNightLightStage::confirmHeld(const Settings &written)
{
    if (m_confirmed == written)
        return;
    const std::pair<QString, QString> objects[] = {
        {QStringLiteral("/org/kde/KWin/NightLight"), QStringLiteral("org.kde.KWin.NightLight")},
        {QStringLiteral("/ColorCorrect"), QStringLiteral("org.kde.kwin.ColorCorrect")},
    };
    for (const auto &[path, interface] : objects) {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"), path,
                                                           QStringLiteral("org.freedesktop.DBus.Properties"),
                                                           QStringLiteral("Get"));
        call << interface << QStringLiteral("mode");
        const QDBusMessage reply = m_bus.call(call, QDBus::Block, kDBusCallTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
            continue;
        const uint mode = qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toUInt();
        const QVersionNumber version =
            interface == QLatin1String("org.kde.kwin.ColorCorrect") ? QVersionNumber(5) : kwinVersion();
        if (isConstantMode(mode, version)) {
            m_confirmed = written;
        } else if (!std::exchange(m_modeMismatchLogged, true)) {
            logSystemLine(QStringLiteral("Halvo KWinNightLightStage: KWin %1 reports night-light mode %2, not the "
                                         "constant mode written to kwinrc")
                              .arg(version.toString())
                              .arg(mode));
        }
        return;
    }
}

NightLightStage::Settings KWinNightLightStage::settingsFor(qint64 kelvin) const
{
    return {
        {QStringLiteral("Active"), QStringLiteral("true")},
        {QStringLiteral("Mode"), QStringLiteral("Constant")},
        {QStringLiteral("NightTemperature"), QString::number(kelvin)},
    };
}
