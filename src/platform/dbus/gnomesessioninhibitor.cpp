#include "platform/dbus/gnomesessioninhibitor.h"

#include "platform/dbus/dbuscalltimeout.h"
#include "platform/dbus/inhibitreply.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {

const QString kService = QStringLiteral("org.gnome.SessionManager");
const QString kPath = QStringLiteral("/org/gnome/SessionManager");
const QString kInterface = QStringLiteral("org.gnome.SessionManager");

QDBusMessage uninhibitCall(quint32 cookie)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("Uninhibit"));
    call << cookie;
    return call;
}

} // namespace

GnomeSessionInhibitor::GnomeSessionInhibitor(QDBusConnection sessionBus)
    : m_bus(std::move(sessionBus))
{
}

GnomeSessionInhibitor::~GnomeSessionInhibitor()
{
    release();
}

bool GnomeSessionInhibitor::isPresent(const QDBusConnection &sessionBus)
{
    return sessionBus.isConnected() && sessionBus.interface()
           && sessionBus.interface()->isServiceRegistered(kService);
}

GnomeSessionInhibitor::Result GnomeSessionInhibitor::inhibit(const QString &application,
                                                             const QString &reason)
{
    if (m_cookie)
        return Result::Granted;
    if (!m_bus.isConnected())
        return Result::Refused;

    // No toplevel window to name: the tray utility inhibits for the session.
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("Inhibit"));
    call << application << quint32(0) << reason << idleFlag;
    const QDBusPendingCall pending = m_bus.asyncCall(call, kDBusLateReplyTimeoutMs);
    if (!waitForReply(pending)) {
        uninhibitWhenGranted(pending);
        return Result::Refused;
    }
    const QDBusMessage reply = pending.reply();
    if (isMissingService(reply.errorName()))
        return Result::NoService;
    m_cookie = inhibitCookie(reply);
    return m_cookie ? Result::Granted : Result::Refused;
}

// An inhibition granted after we gave up would keep the session awake with
// nobody to end it; its cookie is handed straight back.
void GnomeSessionInhibitor::uninhibitWhenGranted(const QDBusPendingCall &pending)
{
    auto *watcher = new QDBusPendingCallWatcher(pending);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [bus = m_bus](QDBusPendingCallWatcher *call) mutable {
                         call->deleteLater();
                         if (const auto cookie = inhibitCookie(call->reply()))
                             bus.asyncCall(uninhibitCall(*cookie), kDBusLateReplyTimeoutMs);
                     });
}

void GnomeSessionInhibitor::release()
{
    if (!m_cookie)
        return;
    if (m_bus.isConnected())
        m_bus.call(uninhibitCall(*m_cookie), QDBus::Block, kDBusCallTimeoutMs);
    m_cookie.reset();
}
