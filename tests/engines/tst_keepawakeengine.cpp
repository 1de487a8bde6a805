#include "fakedbusservice.h"
#include "fakelogind.h"
#include "fakescreensaver.h"

#include "engines/keepawakeengine.h"
#include "platform/platformfactory.h"

#include <QtTest>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");

// The private buses of the test session with the services a desktop would
// run on them; either may be left out.
struct Desktop {
    std::unique_ptr<FakeDBusService> sessionService;
    std::unique_ptr<FakeDBusService> systemService;
    FakeScreenSaver *screenSaver = nullptr;
    FakeLogindManager *logind = nullptr;
    std::unique_ptr<BusClient> session;
    std::unique_ptr<BusClient> system;

    explicit Desktop(bool withScreenSaver = true, const QString &screenSaverPath = kScreenSaverPath,
                     bool withLogind = true)
    {
        if (withScreenSaver) {
            sessionService = std::make_unique<FakeDBusService>(
                sessionBusAddress(), QStringLiteral("org.freedesktop.ScreenSaver"));
            screenSaver = new FakeScreenSaver;
            sessionService->addObject(screenSaverPath, screenSaver);
        }
        if (withLogind) {
            systemService = std::make_unique<FakeDBusService>(
                systemBusAddress(), QStringLiteral("org.freedesktop.login1"));
            logind = new FakeLogindManager;
            systemService->addObject(QStringLiteral("/org/freedesktop/login1"), logind);
        }
        session = std::make_unique<BusClient>(sessionBusAddress());
        system = std::make_unique<BusClient>(systemBusAddress());
    }

    bool isValid() const
    {
        return (!sessionService || sessionService->isValid())
               && (!systemService || systemService->isValid());
    }
};

// Reads the X server's screen saver state over a connection of the test's
// own, with the saver's timeout cut to one second.
class XSaverProbe {
public:
    XSaverProbe()
        : m_display(XOpenDisplay(nullptr))
    {
        if (!m_display)
            return;
        XSetScreenSaver(m_display, 1, 1, DontPreferBlanking, AllowExposures);
        XResetScreenSaver(m_display);
        XSync(m_display, False);
    }
    ~XSaverProbe()
    {
        if (m_display) {
            XSetScreenSaver(m_display, 0, 0, DontPreferBlanking, AllowExposures);
            XCloseDisplay(m_display);
        }
    }
    bool isValid() const { return m_display != nullptr; }

    int state() const
    {
        XScreenSaverInfo *info = XScreenSaverAllocInfo();
        XScreenSaverQueryInfo(m_display, DefaultRootWindow(m_display), info);
        const int state = info->state;
        XFree(info);
        return state;
    }

    unsigned long idleMs() const
    {
        XScreenSaverInfo *info = XScreenSaverAllocInfo();
        XScreenSaverQueryInfo(m_display, DefaultRootWindow(m_display), info);
        const unsigned long idle = info->idle;
        XFree(info);
        return idle;
    }

private:
    Display *m_display;
};

} // namespace

class KeepAwakeEngineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void holdsBothWithExactNamesAndReleases_data();
    void holdsBothWithExactNamesAndReleases();
    void refusedDisplayReleasesGrantedSystem();
    void refusedSystemKeepsDisplayOnly();
    void slowLogindCountsAsRefusingAndLateLockIsClosed_data();
    void slowLogindCountsAsRefusingAndLateLockIsClosed();
    void secondSwitchOnCreatesNothing();
    void switchOffWhileInactiveReleasesNothing();
    void destructionReleasesBoth();
    void missingBuses_data();
    void missingBuses();
    void xServerTimersWithoutScreenSaverService_data();
    void xServerTimersWithoutScreenSaverService();
    void noScreenSaverServiceAndNoXServerFails();
};

void KeepAwakeEngineTest::initTestCase()
{
    QVERIFY2(!sessionBusAddress().isEmpty() && !systemBusAddress().isEmpty(),
             "run under headless-session.sh --session-bus --system-bus");
}

void KeepAwakeEngineTest::holdsBothWithExactNamesAndReleases_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("freedesktop path") << kScreenSaverPath;
    QTest::newRow("older /ScreenSaver path") << QStringLiteral("/ScreenSaver");
}

void KeepAwakeEngineTest::holdsBothWithExactNamesAndReleases()
{
    QFETCH(QString, path);
    Desktop desktop(true, path);
    QVERIFY(desktop.isValid());
    KeepAwakeEngine engine(createKeepAwakeAdapters(desktop.session->connection(), desktop.system->connection()));

    QVERIFY(!engine.isActive());
    QVERIFY(engine.setActive(true));
    QVERIFY(engine.isActive());

    const auto inhibits = desktop.screenSaver->inhibitCalls();
    QCOMPARE(inhibits.size(), std::size_t(1));
    QCOMPARE(inhibits[0].application, QStringLiteral("Halvoscope"));
    QCOMPARE(inhibits[0].reason, QStringLiteral("Halvoscope Keep Display Awake"));
    const auto locks = desktop.logind->calls();
    QCOMPARE(locks.size(), std::size_t(1));
    QCOMPARE(locks[0].what, QStringLiteral("idle:sleep"));
    QCOMPARE(locks[0].who, QStringLiteral("Halvoscope"));
    QCOMPARE(locks[0].why, QStringLiteral("Halvoscope Keep System Awake"));
    QCOMPARE(locks[0].mode, QStringLiteral("block"));
    QVERIFY(desktop.logind->isHeld(0));
    QVERIFY(engine.holdsDisplayAssertion());
    QVERIFY(engine.holdsSystemAssertion());

    QVERIFY(engine.setActive(false));
    QVERIFY(!engine.isActive());
    QCOMPARE(desktop.screenSaver->uninhibitCalls(), std::vector<uint>{inhibits[0].cookie});
    QVERIFY(desktop.screenSaver->activeCookies().empty());
    QTRY_VERIFY(!desktop.logind->isHeld(0));
    QVERIFY(!engine.holdsDisplayAssertion());
    QVERIFY(!engine.holdsSystemAssertion());
}

void KeepAwakeEngineTest::refusedDisplayReleasesGrantedSystem()
{
    Desktop desktop;
    QVERIFY(desktop.isValid());
    desktop.screenSaver->setRefusing(true);
    KeepAwakeEngine engine(createKeepAwakeAdapters(desktop.session->connection(), desktop.system->connection()));

    QVERIFY(!engine.setActive(true));
    QVERIFY(!engine.isActive());
    // The system lock was asked for and granted, then let go again.
    QCOMPARE(desktop.logind->calls().size(), std::size_t(1));
    QTRY_VERIFY(!desktop.logind->isHeld(0));
    QVERIFY(!engine.holdsSystemAssertion());
    QVERIFY(!engine.holdsDisplayAssertion());
}

void KeepAwakeEngineTest::refusedSystemKeepsDisplayOnly()
{
    Desktop desktop;
    QVERIFY(desktop.isValid());
    desktop.logind->setRefusing(true);
    KeepAwakeEngine engine(createKeepAwakeAdapters(desktop.session->connection(), desktop.system->connection()));

    QVERIFY(engine.setActive(true));
    QVERIFY(engine.isActive());
    QVERIFY(engine.holdsDisplayAssertion());
    QVERIFY(!engine.holdsSystemAssertion());
    QCOMPARE(desktop.logind->calls().size(), std::size_t(1));
    QCOMPARE(desktop.screenSaver->activeCookies().size(), std::size_t(1));

    QVERIFY(engine.setActive(false));
    QVERIFY(desktop.screenSaver->activeCookies().empty());
    QCOMPARE(desktop.logind->calls().size(), std::size_t(1));
}

void KeepAwakeEngineTest::slowLogindCountsAsRefusingAndLateLockIsClosed_data()
{
    QTest::addColumn<bool>("answersLate");
    QTest::newRow("answers late") << true;
    QTest::newRow("never answers") << false;
}

void KeepAwakeEngineTest::slowLogindCountsAsRefusingAndLateLockIsClosed()
{
    QFETCH(bool, answersLate);
    Desktop desktop;
    QVERIFY(desktop.isValid());
    // logind grants the lock but keeps the answer until this thread releases
    // it, which it does only after switching on has returned: a switch-on
    // that waited for the answer would never return.
    desktop.logind->setHoldingReplies(true);
    KeepAwakeEngine engine(createKeepAwakeAdapters(desktop.session->connection(), desktop.system->connection()));

    QVERIFY(engine.setActive(true));
    QCOMPARE(desktop.logind->calls().size(), std::size_t(1));
    QCOMPARE(desktop.logind->heldReplies(), std::size_t(1));
    QVERIFY(engine.holdsDisplayAssertion());
    QVERIFY(!engine.holdsSystemAssertion());
    // Still held by the answer the fake has not sent yet.
    QVERIFY(desktop.logind->isHeld(0));

    if (answersLate) {
        // Once the answer arrives, nothing on our side may keep the lock.
        desktop.logind->releaseHeldReplies();
        QCOMPARE(desktop.logind->heldReplies(), std::size_t(0));
        QTRY_VERIFY(!desktop.logind->isHeld(0));
        QVERIFY(!engine.holdsSystemAssertion());
    }
    QVERIFY(engine.setActive(false));
    QVERIFY(desktop.screenSaver->activeCookies().empty());
}

void KeepAwakeEngineTest::secondSwitchOnCreatesNothing()
{
    Desktop desktop;
    QVERIFY(desktop.isValid());
    KeepAwakeEngine engine(createKeepAwakeAdapters(desktop.session->connection(), desktop.system->connection()));

    QVERIFY(engine.setActive(true));
    QVERIFY(engine.setActive(true));
    QVERIFY(engine.isActive());
    QCOMPARE(desktop.screenSaver->inhibitCalls().size(), std::size_t(1));
    QCOMPARE(desktop.logind->calls().size(), std::size_t(1));
    QVERIFY(desktop.logind->isHeld(0));
}

void KeepAwakeEngineTest::switchOffWhileInactiveReleasesNothing()
{
    Desktop desktop;
    QVERIFY(desktop.isValid());
    KeepAwakeEngine engine(createKeepAwakeAdapters(desktop.session->connection(), desktop.system->connection()));

    QVERIFY(engine.setActive(false));
    QVERIFY(!engine.isActive());
    QVERIFY(desktop.screenSaver->inhibitCalls().empty());
    QVERIFY(desktop.screenSaver->uninhibitCalls().empty());
    QVERIFY(desktop.logind->calls().empty());
}

void KeepAwakeEngineTest::destructionReleasesBoth()
{
    Desktop desktop;
    QVERIFY(desktop.isValid());
    auto engine = std::make_unique<KeepAwakeEngine>(
        createKeepAwakeAdapters(desktop.session->connection(), desktop.system->connection()));
    QVERIFY(engine->setActive(true));
    QCOMPARE(desktop.screenSaver->activeCookies().size(), std::size_t(1));
    QVERIFY(desktop.logind->isHeld(0));

    engine.reset();
    QVERIFY(desktop.screenSaver->activeCookies().empty());
    QCOMPARE(desktop.screenSaver->uninhibitCalls().size(), std::size_t(1));
    QTRY_VERIFY(!desktop.logind->isHeld(0));
}

void KeepAwakeEngineTest::missingBuses_data()
{
    QTest::addColumn<bool>("sessionBus");
    QTest::addColumn<bool>("systemBus");
    QTest::addColumn<bool>("result");

    QTest::newRow("no session bus") << false << true << false;
    QTest::newRow("no system bus") << true << false << true;
    QTest::newRow("no bus at all") << false << false << false;
}

void KeepAwakeEngineTest::missingBuses()
{
    QFETCH(bool, sessionBus);
    QFETCH(bool, systemBus);
    QFETCH(bool, result);

    Desktop desktop;
    QVERIFY(desktop.isValid());
    BusClient nowhere(QStringLiteral("unix:path=/nonexistent/halvoscope-bus"));
    QVERIFY(!nowhere.connection().isConnected());
    KeepAwakeEngine engine(
        createKeepAwakeAdapters(sessionBus ? desktop.session->connection() : nowhere.connection(),
                                systemBus ? desktop.system->connection() : nowhere.connection()));

    QCOMPARE(engine.setActive(true), result);
    QCOMPARE(engine.isActive(), result);
    QCOMPARE(engine.holdsDisplayAssertion(), result);
    QCOMPARE(engine.holdsSystemAssertion(), result && systemBus);
    if (systemBus) {
        QCOMPARE(desktop.logind->calls().size(), std::size_t(1));
        // A released lock reaches the fake service as a hang-up, a moment later.
        if (result)
            QVERIFY(desktop.logind->isHeld(0));
        else
            QTRY_VERIFY(!desktop.logind->isHeld(0));
    }
    QVERIFY(engine.setActive(false));
    QVERIFY(desktop.screenSaver->activeCookies().empty());
    if (systemBus)
        QTRY_VERIFY(!desktop.logind->isHeld(0));
}

void KeepAwakeEngineTest::xServerTimersWithoutScreenSaverService_data()
{
    QTest::addColumn<bool>("nameOwned");
    QTest::addColumn<bool>("byDestruction");
    QTest::newRow("no service, switched off") << false << false;
    QTest::newRow("name owned without Inhibit, engine destroyed") << true << true;
}

void KeepAwakeEngineTest::xServerTimersWithoutScreenSaverService()
{
    QFETCH(bool, nameOwned);
    QFETCH(bool, byDestruction);

    // An owner of the name that serves neither ScreenSaver path.
    Desktop desktop(nameOwned, QStringLiteral("/org/example/Locker"));
    QVERIFY(desktop.isValid());
    XSaverProbe probe;
    QVERIFY2(probe.isValid(), "needs the X server of headless-session.sh");
    auto engine = std::make_unique<KeepAwakeEngine>(
        createKeepAwakeAdapters(desktop.session->connection(), desktop.system->connection()));

    QVERIFY(engine->setActive(true));
    QVERIFY(engine->isActive());
    QVERIFY(engine->holdsDisplayAssertion());
    QVERIFY(desktop.logind->isHeld(0));

    // Well past the one-second timeout the saver must still be off.
    QTest::qWait(2500);
    QVERIFY(probe.idleMs() >= 2000);
    QCOMPARE(probe.state(), ScreenSaverOff);

    if (byDestruction)
        engine.reset();
    else
        QVERIFY(engine->setActive(false));
    QTRY_COMPARE_WITH_TIMEOUT(probe.state(), ScreenSaverOn, 5000);
    QTRY_VERIFY(!desktop.logind->isHeld(0));
}

void KeepAwakeEngineTest::noScreenSaverServiceAndNoXServerFails()
{
    Desktop desktop(false);
    QVERIFY(desktop.isValid());
    KeepAwakeEngine engine(createKeepAwakeAdapters(
        desktop.session->connection(), desktop.system->connection(), QStringLiteral(":4095")));

    QVERIFY(!engine.setActive(true));
    QVERIFY(!engine.isActive());
    QCOMPARE(desktop.logind->calls().size(), std::size_t(1));
    QTRY_VERIFY(!desktop.logind->isHeld(0));
}

QTEST_GUILESS_MAIN(KeepAwakeEngineTest)
#include "tst_keepawakeengine.moc"
