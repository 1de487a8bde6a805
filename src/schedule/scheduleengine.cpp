#include "schedule/scheduleengine.h"

#include <QPointer>
#include <QTimer>

namespace {
const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString logindPath = QStringLiteral("/org/freedesktop/login1");
const QString logindManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString prepareForSleep = QStringLiteral("PrepareForSleep");
}

ScheduleEngine::ScheduleEngine(Tick onTick, QDBusConnection systemBus,
                               std::chrono::milliseconds interval, QObject *parent)
    : QObject(parent)
    , m_onTick(std::move(onTick))
    , m_systemBus(std::move(systemBus))
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

    if (m_systemBus.isConnected()) {
        m_observingWake = m_systemBus.connect(logindService, logindPath, logindManager,
                                              prepareForSleep, this,
                                              SLOT(handlePrepareForSleep(bool)));
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
        m_systemBus.disconnect(logindService, logindPath, logindManager, prepareForSleep,
                               this, SLOT(handlePrepareForSleep(bool)));
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
