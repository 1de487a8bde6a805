#include "platform/dbus/logindsleepwatcher.h"

namespace {
const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString prepareForSleep = QStringLiteral("PrepareForSleep");
} // namespace

LogindSleepWatcher::LogindSleepWatcher(QDBusConnection systemBus)
    : m_bus(std::move(systemBus))
{
}

LogindSleepWatcher::~LogindSleepWatcher()
{
    unwatch();
}

bool LogindSleepWatcher::watch(std::function<void(bool goingToSleep)> changed)
{
    m_changed = std::move(changed);
    if (!m_watching && m_bus.isConnected()) {
        m_watching = m_bus.connect(logindService, logindPath, logindManager, prepareForSleep, this,
                                   SLOT(handlePrepareForSleep(bool)));
    }
    return m_watching;
}

void LogindSleepWatcher::unwatch()
{
    if (m_watching) {
        m_bus.disconnect(logindService, logindPath, logindManager, prepareForSleep, this,
                         SLOT(handlePrepareForSleep(bool)));
        m_watching = false;
    }
    m_changed = nullptr;
}

void LogindSleepWatcher::handlePrepareForSleep(bool goingToSleep)
{
    if (m_changed)
        m_changed(goingToSleep);
}
