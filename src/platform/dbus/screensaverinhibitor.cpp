#include "platform/dbus/screensaverinhibitor.h"

#include "platform/dbus/dbuscalltimeout.h"
#include "platform/dbus/inhibitreply.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");

bool isMissingObject(const QString &errorName)
{
    return errorName == QLatin1String("org.freedesktop.DBus.Error.UnknownObject")
           || errorName == QLatin1String("org.freedesktop.DBus.Error.UnknownInterface")
           || errorName == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod");
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QDBusConnection sessionBus)
    : m_bus(std::move(sessionBus))
{
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    release();
}

ScreenSaverInhibitor::Result ScreenSaverInhibitor::inhibit(const QString &application,
                                                           const QString &reason)
{
    if (m_cookie)
        return Result::Granted;
    if (!m_bus.isConnected())
        return Result::Refused;

    for (const QString &path : {QStringLiteral("/org/freedesktop/ScreenSaver"),
                                QStringLiteral("/ScreenSaver")}) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, path, kInterface, QStringLiteral("Inhibit"));
        call << application << reason;
        const QDBusPendingCall pending = m_bus.asyncCall(call, kDBusLateReplyTimeoutMs);
        if (!waitForReply(pending)) {
            uninhibitWhenGranted(pending, path);
            return Result::Refused;
        }
        const QDBusMessage reply = pending.reply();
        if (reply.type() == QDBusMessage::ReplyMessage) {
            m_cookie = inhibitCookie(reply);
            if (!m_cookie)
                return Result::Refused;
            m_path = path;
            return Result::Granted;
        }
        if (isMissingService(reply.errorName()))
            return Result::NoService;
        if (!isMissingObject(reply.errorName()))
            return Result::Refused;
    }
    // The name is owned, but by something that offers no inhibition on
    // either path (some lockers only take the name): as good as no service.
    return Result::NoService;
}

void ScreenSaverInhibitor::uninhibitWhenGranted(const QDBusPendingCall &pending,
                                                const QString &path)
{
    // An inhibition granted after we gave up would keep the screen on with
    // nobody to end it; its cookie is handed straight back.
    auto *watcher = new QDBusPendingCallWatcher(pending);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [bus = m_bus, path](QDBusPendingCallWatcher *call) mutable {
                         call->deleteLater();
                         const std::optional<quint32> cookie = inhibitCookie(call->reply());
                         if (!cookie)
                             return;
                         QDBusMessage uninhibit = QDBusMessage::createMethodCall(
                             kService, path, kInterface, QStringLiteral("UnInhibit"));
                         uninhibit << *cookie;
                         bus.asyncCall(uninhibit, kDBusLateReplyTimeoutMs);
                     });
}

void ScreenSaverInhibitor::release()
{
    if (!m_cookie)
        return;
    if (m_bus.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, m_path, kInterface,
                                                           QStringLiteral("UnInhibit"));
        call << *m_cookie;
        m_bus.call(call, QDBus::Block, kDBusCallTimeoutMs);
    }
    m_cookie.reset();
    m_path.clear();
}
