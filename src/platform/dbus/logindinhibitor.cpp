#include "platform/dbus/logindinhibitor.h"

#include "platform/dbus/dbuscalltimeout.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>
#include <unistd.h>

LogindInhibitor::LogindInhibitor(QDBusConnection systemBus)
    : m_bus(std::move(systemBus))
{
}

LogindInhibitor::~LogindInhibitor()
{
    release();
}

bool LogindInhibitor::inhibit(const QString &what, const QString &who, const QString &why,
                              const QString &mode)
{
    if (m_fd >= 0)
        return true;
    if (!m_bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << what << who << why << mode;
    const QDBusPendingCall pending = m_bus.asyncCall(call, kDBusLateReplyTimeoutMs);
    if (!waitForReply(pending)) {
        // A lock granted after we gave up would keep the system awake with
        // nobody to release it: its descriptor goes with the late reply.
        auto *watcher = new QDBusPendingCallWatcher(pending);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                         &QObject::deleteLater);
        return false;
    }
    const QDBusMessage reply = pending.reply();
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return false;
    const auto descriptor = qvariant_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
    if (!descriptor.isValid())
        return false;
    // Our own duplicate, so the lock's lifetime does not depend on when the
    // message copies holding theirs go away.
    m_fd = ::fcntl(descriptor.fileDescriptor(), F_DUPFD_CLOEXEC, 0);
    return m_fd >= 0;
}

void LogindInhibitor::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}
