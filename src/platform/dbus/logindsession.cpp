#include "platform/dbus/logindsession.h"

#include "platform/dbus/dbuscalltimeout.h"

#include <QDBusMessage>

LogindSession::LogindSession(QDBusConnection systemBus)
    : m_bus(std::move(systemBus))
{
}

bool LogindSession::setBrightness(const QString &subsystem, const QString &name,
                                  quint32 value) const
{
    if (!m_bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1/session/auto"),
        QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("SetBrightness"));
    call << subsystem << name << value;
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kDBusCallTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}
