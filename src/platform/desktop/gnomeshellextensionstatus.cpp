#include "platform/desktop/gnomeshellextensionstatus.h"

#include "platform/dbus/dbuscalltimeout.h"
#include "platform/desktop/gnomeshellextensionstage.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kShell = QStringLiteral("org.gnome.Shell");
const QString kPath = QStringLiteral("/org/gnome/Shell");
const QString kExtensions = QStringLiteral("org.gnome.Shell.Extensions");
const QString kUuid = QString::fromLatin1(GnomeShellExtensionStage::uuid);

// GNOME Shell's numbers: 43 calls 1 and 2 ENABLED and DISABLED, 45 and
// later ACTIVE and INACTIVE; 7 and 8 (45+) are on the way between.
constexpr int kActive = 1;
constexpr int kFailed = 3;
constexpr int kOutOfDate = 4;
constexpr int kActivating = 8;

QDBusMessage call(const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(kShell, kPath, kExtensions, method);
    message.setArguments(arguments);
    return message;
}

// Whether the extension's files sit where GNOME Shell looks for them.
bool filesInstalled()
{
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString &dir : dirs) {
        if (QFileInfo::exists(dir + QStringLiteral("/gnome-shell/extensions/") + kUuid + QStringLiteral("/metadata.json")))
            return true;
    }
    return false;
}

} // namespace

GnomeShellExtensionStatus::GnomeShellExtensionStatus(QDBusConnection sessionBus, QObject *parent)
    : DesktopExtension(parent)
    , m_bus(std::move(sessionBus))
{
    m_bus.connect(kShell, kPath, kExtensions, QStringLiteral("ExtensionStateChanged"), this,
                  SLOT(extensionChanged(QString)));
    m_bus.connect(kShell, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                  QStringLiteral("PropertiesChanged"), this, SLOT(propertiesChanged(QString)));
    read();
}

bool GnomeShellExtensionStatus::isPresent(const QDBusConnection &sessionBus)
{
    if (!sessionBus.isConnected())
        return false;
    const QDBusMessage reply = sessionBus.call(call(QStringLiteral("GetExtensionInfo"), {kUuid}), QDBus::Block,
                                               kDBusCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void GnomeShellExtensionStatus::enable()
{
    QDBusMessage on = QDBusMessage::createMethodCall(kShell, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("Set"));
    on.setArguments({kExtensions, QStringLiteral("UserExtensionsEnabled"), QVariant::fromValue(QDBusVariant(true))});
    if (m_state == State::ExtensionsOff)
        m_bus.call(on, QDBus::Block, kDBusCallTimeoutMs);
    m_bus.call(call(QStringLiteral("EnableExtension"), {kUuid}), QDBus::Block, kDBusCallTimeoutMs);
    read();
}

void GnomeShellExtensionStatus::extensionChanged(const QString &uuid)
{
    if (uuid == kUuid)
        read();
}

void GnomeShellExtensionStatus::propertiesChanged(const QString &interface)
{
    if (interface == kExtensions)
        read();
}

void GnomeShellExtensionStatus::read()
{
    const QDBusMessage reply = m_bus.call(call(QStringLiteral("GetExtensionInfo"), {kUuid}), QDBus::Block,
                                          kDBusCallTimeoutMs);
    const QVariantMap info = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    QDBusMessage get = QDBusMessage::createMethodCall(kShell, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get.setArguments({kExtensions, QStringLiteral("UserExtensionsEnabled")});
    const QDBusMessage switchReply = m_bus.call(get, QDBus::Block, kDBusCallTimeoutMs);
    const QVariant extensionsOn = switchReply.arguments().value(0).value<QDBusVariant>().variant();

    State state = State::Disabled;
    QString error;
    const int code = info.value(QStringLiteral("state")).toInt();
    if (info.isEmpty()) {
        state = filesInstalled() ? State::NeedsLogin : State::NotInstalled;
    } else if (extensionsOn.isValid() && !extensionsOn.toBool()) {
        state = State::ExtensionsOff;
    } else if (code == kActive || code == kActivating) {
        state = State::Enabled;
    } else if (code == kFailed || code == kOutOfDate) {
        state = State::Failed;
        error = info.value(QStringLiteral("error")).toString();
    }
    if (state == m_state && error == m_error)
        return;
    m_state = state;
    m_error = error;
    Q_EMIT stateChanged();
}
