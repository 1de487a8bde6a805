#include "platform/platformfactory.h"
#include "schedule/scheduleengine.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace std::chrono_literals;

// Stands in for logind on the private system bus: owns its name and sends
// PrepareForSleep from its own connection, as the real service does.
class FakeLogind {
public:
    FakeLogind()
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SystemBus,
                                              QStringLiteral("fake-logind")))
    {
    }
    ~FakeLogind()
    {
        m_bus.unregisterService(QStringLiteral("org.freedesktop.login1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-logind"));
    }

    bool claimName() { return m_bus.registerService(QStringLiteral("org.freedesktop.login1")); }

    bool prepareForSleep(bool sleeping)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"),
            QStringLiteral("PrepareForSleep"));
        signal << sleeping;
        return m_bus.send(signal);
    }

private:
    QDBusConnection m_bus;
};

class TestScheduleEngine : public QObject {
    Q_OBJECT

private:
    static QDBusConnection engineBus()
    {
        return QDBusConnection::connectToBus(QDBusConnection::SystemBus,
                                             QStringLiteral("engine"));
    }

    // A round trip through the bus: whatever the bus sent to `bus` before
    // this point has been read and dispatched when it returns.
    static void flush(const QDBusConnection &bus)
    {
        bus.interface()->serviceOwner(QStringLiteral("org.freedesktop.DBus"));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(engineBus().isConnected(),
                 "run under scripts/headless-session.sh --system-bus");
    }

    void defaultIntervalIsThirtySeconds()
    {
        ScheduleEngine engine([] {}, createSleepWatcher(QDBusConnection(QString())));
        QCOMPARE(engine.interval(), 30000ms);
    }

    void startTicksOnceDirectlyThenEveryInterval()
    {
        int ticks = 0;
        ScheduleEngine engine([&] { ++ticks; }, createSleepWatcher(QDBusConnection(QString())), 100ms);
        engine.start();
        QCOMPARE(ticks, 1);
        QVERIFY(engine.isRunning());
        QTRY_COMPARE_WITH_TIMEOUT(ticks, 2, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(ticks, 3, 5000);
    }

    void timerTickIsPostedNotRunInsideTheTimeout()
    {
        int ticks = 0;
        ScheduleEngine engine([&] { ++ticks; }, createSleepWatcher(QDBusConnection(QString())), 1h);
        engine.start();
        QCOMPARE(ticks, 1);
        const auto timers = engine.findChildren<QTimer *>();
        QCOMPARE(timers.size(), 1);
        QVERIFY(QMetaObject::invokeMethod(timers.first(), "timeout", Qt::DirectConnection));
        QCOMPARE(ticks, 1);
        QTRY_COMPARE(ticks, 2);
    }

    void startTwiceKeepsOneTimerAndOneWakeObserver()
    {
        FakeLogind logind;
        QVERIFY(logind.claimName());
        int ticks = 0;
        ScheduleEngine engine([&] { ++ticks; }, createSleepWatcher(engineBus()), 1h);
        engine.start();
        engine.start();
        QCOMPARE(ticks, 2);
        int activeTimers = 0;
        for (QTimer *timer : engine.findChildren<QTimer *>())
            activeTimers += timer->isActive() ? 1 : 0;
        QCOMPARE(activeTimers, 1);

        QVERIFY(logind.prepareForSleep(false));
        QTRY_COMPARE(ticks, 3);
        flush(engineBus());
        QTest::qWait(200);
        QCOMPARE(ticks, 3);
    }

    void wakeSignal_data()
    {
        QTest::addColumn<bool>("goingToSleep");
        QTest::addColumn<int>("extraTicks");
        QTest::newRow("woken: one tick") << false << 1;
        QTest::newRow("going to sleep: none") << true << 0;
    }

    void wakeSignal()
    {
        QFETCH(bool, goingToSleep);
        QFETCH(int, extraTicks);
        FakeLogind logind;
        QVERIFY(logind.claimName());
        int ticks = 0;
        ScheduleEngine engine([&] { ++ticks; }, createSleepWatcher(engineBus()), 1h);
        engine.start();
        QCOMPARE(ticks, 1);

        QVERIFY(logind.prepareForSleep(goingToSleep));
        // A later wake signal as a marker: once its tick has arrived, the
        // first signal has certainly been handled.
        QVERIFY(logind.prepareForSleep(false));
        QTRY_COMPARE(ticks, 2 + extraTicks);
        flush(engineBus());
        QCOMPARE(ticks, 2 + extraTicks);
    }

    void wakeTickIsPostedNotRunInsideTheSignal()
    {
        int ticks = 0;
        ScheduleEngine engine([&] { ++ticks; }, createSleepWatcher(engineBus()), 1h);
        engine.start();
        QVERIFY(QMetaObject::invokeMethod(&engine, "handlePrepareForSleep",
                                          Qt::DirectConnection, Q_ARG(bool, false)));
        QCOMPARE(ticks, 1);
        QTRY_COMPARE(ticks, 2);
    }

    void wakeFromAnotherSenderIsIgnored()
    {
        // Only logind's own name counts; anyone else's PrepareForSleep is noise.
        FakeLogind impostor;
        int ticks = 0;
        ScheduleEngine engine([&] { ++ticks; }, createSleepWatcher(engineBus()), 1h);
        engine.start();
        QVERIFY(impostor.prepareForSleep(false));
        flush(engineBus());
        QTest::qWait(200);
        QCOMPARE(ticks, 1);
    }

    void stopSilencesTimerAndWake()
    {
        FakeLogind logind;
        QVERIFY(logind.claimName());
        int ticks = 0;
        ScheduleEngine engine([&] { ++ticks; }, createSleepWatcher(engineBus()), 50ms);
        engine.start();
        engine.stop();
        QVERIFY(!engine.isRunning());
        engine.stop();
        QVERIFY(logind.prepareForSleep(false));
        flush(engineBus());
        QTest::qWait(300);
        QCOMPARE(ticks, 1);

        // It can run again after a stop.
        engine.start();
        QCOMPARE(ticks, 2);
        QVERIFY(logind.prepareForSleep(false));
        QTRY_VERIFY(ticks >= 3);
    }

    void noSystemBusStillTicks()
    {
        int ticks = 0;
        ScheduleEngine engine([&] { ++ticks; },
                              createSleepWatcher(QDBusConnection(QStringLiteral("no-such-bus"))), 50ms);
        engine.start();
        QCOMPARE(ticks, 1);
        QTRY_VERIFY(ticks >= 3);
    }

    void destroyedWithPendingTickRunsNothing()
    {
        int ticks = 0;
        auto engine = std::make_unique<ScheduleEngine>([&] { ++ticks; }, createSleepWatcher(engineBus()), 1h);
        engine->start();
        QVERIFY(QMetaObject::invokeMethod(engine.get(), "handlePrepareForSleep",
                                          Qt::DirectConnection, Q_ARG(bool, false)));
        engine.reset();
        QCoreApplication::processEvents();
        QTest::qWait(100);
        QCOMPARE(ticks, 1);
    }
};

QTEST_GUILESS_MAIN(TestScheduleEngine)
#include "tst_scheduleengine.moc"
