#pragma once

#include "schedule/sleepwatcher.h"

#include <QDBusConnection>
#include <QObject>

// logind's PrepareForSleep signal on the system bus. A disconnected bus
// watches nothing.
class LogindSleepWatcher final : public QObject, public SleepWatcher {
    Q_OBJECT

public:
    explicit LogindSleepWatcher(QDBusConnection systemBus);
    ~LogindSleepWatcher() override;

    bool watch(std::function<void(bool goingToSleep)> changed) override;
    void unwatch() override;

private Q_SLOTS:
    void handlePrepareForSleep(bool goingToSleep);

private:
    QDBusConnection m_bus;
    std::function<void(bool)> m_changed;
    bool m_watching = false;
};
