#pragma once

#include "schedule/sleepwatcher.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>

class QTimer;

// The schedule's heartbeat: calls its tick function once on start, every 30
// seconds while running and once after each wake from sleep, as `sleep`
// reports it. Timer and wake ticks are posted to the event loop, never run
// inside the timer's or the watcher's call-out.
// Main thread only.
class ScheduleEngine : public QObject {
    Q_OBJECT

public:
    using Tick = std::function<void()>;

    static constexpr std::chrono::milliseconds defaultInterval{30000};

    // Without a watcher, or one that cannot watch, there are no wake ticks,
    // and nothing else changes.
    explicit ScheduleEngine(Tick onTick, std::unique_ptr<SleepWatcher> sleep = {},
                            std::chrono::milliseconds interval = defaultInterval,
                            QObject *parent = nullptr);
    ~ScheduleEngine() override;

    void start();
    void stop();

    bool isRunning() const { return m_timer != nullptr; }
    std::chrono::milliseconds interval() const { return m_interval; }

private Q_SLOTS:
    void handlePrepareForSleep(bool goingToSleep);

private:
    void postTick();

    Tick m_onTick;
    std::unique_ptr<SleepWatcher> m_sleep;
    std::chrono::milliseconds m_interval;
    QTimer *m_timer = nullptr;
    bool m_observingWake = false;
};
