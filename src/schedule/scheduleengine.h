#pragma once

#include <QDBusConnection>
#include <QObject>

#include <chrono>
#include <functional>

class QTimer;

// The schedule's heartbeat: calls its tick function once on start, every 30
// seconds while running and once after each wake from sleep (logind's
// PrepareForSleep(false) on the system bus). Timer and wake ticks are posted
// to the event loop, never run inside the timer's or the bus's call-out.
// Main thread only.
class ScheduleEngine : public QObject {
    Q_OBJECT

public:
    using Tick = std::function<void()>;

    static constexpr std::chrono::milliseconds defaultInterval{30000};

    // `systemBus` is where logind announces sleep; a disconnected bus means
    // there are no wake ticks, and nothing else changes.
    explicit ScheduleEngine(Tick onTick,
                            QDBusConnection systemBus = QDBusConnection::systemBus(),
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
    QDBusConnection m_systemBus;
    std::chrono::milliseconds m_interval;
    QTimer *m_timer = nullptr;
    bool m_observingWake = false;
};
