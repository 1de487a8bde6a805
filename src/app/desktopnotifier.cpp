#include "app/desktopnotifier.h"

#include "core/systemlog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace {

// Long enough to read two sentences; the service may cap it.
constexpr int expireTimeoutMs = 10000;

} // namespace

DesktopNotifier::DesktopNotifier(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
}

void DesktopNotifier::notifyOnce(const QString &summary, const QString &body)
{
    const QString text = summary + QLatin1Char('\n') + body;
    if (m_shown.contains(text))
        return;
    m_shown.insert(text);

    // Summary and body stay apart in the log, as they do in a notification.
    const QString logLine = QStringLiteral("Halvoscope: ") + summary + QStringLiteral(" — ") + body;
    if (!m_bus.isConnected()) {
        logSystemLine(logLine);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Halvoscope") << 0u << QStringLiteral("com.corvanta.Halvoscope") << summary
         << body << QStringList() << QVariantMap() << expireTimeoutMs;
    // Asynchronous: a notification service that hangs must not stall the tray.
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [logLine](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        if (w->isError())
            logSystemLine(logLine);
    });
}
