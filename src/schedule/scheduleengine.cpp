#include "schedule/scheduleengine.h"

#include <QPointer>
#include <QTimer>

ScheduleEngine::ScheduleEngine(Tick onTick, std::unique_ptr<SleepWatcher> sleep,
                               std::chrono::milliseconds interval, QObject *parent)
    : QObject(parent)
    , m_onTick(std::move(onTick))
    , m_sleep(std::move(sleep))
    , m_interval(interval)
{
}

ScheduleEngine::~ScheduleEngine()
{
    stop();
}

void ScheduleEngine::start()
{
    stop();

    m_timer = new QTimer(this);
    m_timer->setInterval(m_interval);
    // The default coarse timer may fire up to 5 % late; a precise one keeps the
    // 30-second rhythm without drifting.
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &ScheduleEngine::postTick);
    m_timer->start();

    if (m_sleep) {
        QPointer<ScheduleEngine> engine(this);
        m_observingWake = m_sleep->watch([engine](bool goingToSleep) {
            if (engine)
                engine->handlePrepareForSleep(goingToSleep);
        });
    }

    if (m_onTick)
        m_onTick();
}

void ScheduleEngine::stop()
{
    if (m_timer) {
        m_timer->stop();
        delete m_timer;
        m_timer = nullptr;
    }
    if (m_observingWake) {
        m_sleep->unwatch();
        m_observingWake = false;
    }
}

void ScheduleEngine::handlePrepareForSleep(bool goingToSleep)
{
    if (!goingToSleep)
        postTick();
}

void ScheduleEngine::postTick()
{
    // Posted with the engine as context: a pending tick is dropped together
    // with the engine, and the weak pointer guards the call itself.
    QPointer<ScheduleEngine> engine(this);
    QMetaObject::invokeMethod(
        this,
        [engine] {
            if (engine && engine->m_onTick)
                engine->m_onTick();
        },
        Qt::QueuedConnection);
}
