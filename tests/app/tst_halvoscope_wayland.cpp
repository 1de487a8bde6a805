// The whole application in a Wayland session: WAYLAND_DISPLAY names the fake
// compositor, whose gamma tables are the screen's colour; the windows run on
// the X server as under XWayland; a StatusNotifierWatcher of our own on the
// private session bus stands for the panel. Runs under
// scripts/headless-session.sh --wm --session-bus.
#include "core/colormath.h"
#include "fakecompositorprocess.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

// Last: Xlib's macros (None, Status, …) would break Qt headers after it.
#include "e2esupport.h"

using namespace E2E;

// org.kde.StatusNotifierWatcher, as much of it as an item uses: it keeps the
// items that register.
class FakeStatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    QStringList registered;

    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return registered; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service, const QDBusMessage &message)
    {
        // An item may name its path instead of its service.
        registered.append(service.startsWith(QLatin1Char('/')) ? message.service() + service : service);
        Q_EMIT StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString &service) { Q_UNUSED(service); }

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();
};

class TestHalvoscopeWayland : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void presetReachesTheCompositor_data();
    void presetReachesTheCompositor();
    void statusNotifierItem();
    void compositorWithoutGammaControl();

private:
    // Starts the application on the compositor, onboarding done.
    void launch(AppProcess &app, const QTemporaryDir &home, const FakeCompositorProcess &compositor,
                QProcess::ProcessChannelMode channels = QProcess::ForwardedChannels);
    // `shown`: whether some screen shows the preset; if none does, the call
    // still chooses it and answers NotShown.
    static void activatePreset(const QString &id, bool shown = true);
    // Calls one of the item's methods at (0, 0) and waits for its answer.
    void callItem(const QString &method) const;
    // The item's service and path once it has registered.
    QString itemService() const;

    FakeStatusNotifierWatcher *m_watcher = nullptr;
};

namespace {

GammaRamp candleRamp(int size)
{
    const WhitePoint white = ColorMath::whitePoint(1800);
    return GammaRamp::linear(size).scaled(white.r, white.g, white.b);
}

} // namespace

void TestHalvoscopeWayland::init()
{
    m_watcher = new FakeStatusNotifierWatcher;
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), m_watcher,
                               QDBusConnection::ExportAllContents));
    QVERIFY(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
}

void TestHalvoscopeWayland::cleanup()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
    delete m_watcher;
    m_watcher = nullptr;
}

void TestHalvoscopeWayland::launch(AppProcess &app, const QTemporaryDir &home, const FakeCompositorProcess &compositor,
                                   QProcess::ProcessChannelMode channels)
{
    seedFinishedOnboarding(home.path());
    QProcessEnvironment environment = appEnvironment(home.path());
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QString::fromLocal8Bit(compositor.socket()));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    app.setProcessEnvironment(environment);
    app.setProcessChannelMode(channels);
    app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
    QVERIFY(app.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                                 QStringLiteral("com.corvanta.Halvoscope")),
                             20000);
}

void TestHalvoscopeWayland::activatePreset(const QString &id, bool shown)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("com.corvanta.Halvoscope"),
                                                       QStringLiteral("/com/corvanta/Halvoscope"),
                                                       QStringLiteral("com.corvanta.Halvoscope"),
                                                       QStringLiteral("ActivatePreset"));
    call << id;
    // Not blocking: meanwhile the application may ask our watcher something.
    QDBusPendingCall reply = QDBusConnection::sessionBus().asyncCall(call);
    QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), 20000);
    if (shown)
        QVERIFY2(!reply.isError(), qPrintable(reply.error().message()));
    else
        QCOMPARE(reply.error().name(), QStringLiteral("com.corvanta.Halvoscope.Error.NotShown"));
}

void TestHalvoscopeWayland::callItem(const QString &method) const
{
    QDBusMessage call = QDBusMessage::createMethodCall(itemService(), QStringLiteral("/StatusNotifierItem"),
                                                       QStringLiteral("org.kde.StatusNotifierItem"), method);
    call << 0 << 0;
    QDBusPendingCall reply = QDBusConnection::sessionBus().asyncCall(call);
    QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), 20000);
    QVERIFY2(!reply.isError(), qPrintable(reply.error().message()));
}

QString TestHalvoscopeWayland::itemService() const
{
    return m_watcher->registered.isEmpty() ? QString() : m_watcher->registered.constFirst();
}

// Candle reaches the tables; each way of ending hands the output back: Standard
// and SIGTERM let go of the control, a killed process loses its connection and
// the compositor restores its ramps by itself.
void TestHalvoscopeWayland::presetReachesTheCompositor_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QByteArray>("restored");
    QTest::newRow("Standard") << QStringLiteral("standard") << QByteArray("restored DP-1 destroy");
    QTest::newRow("SIGTERM") << QStringLiteral("SIGTERM") << QByteArray("restored DP-1 destroy");
    QTest::newRow("killed") << QStringLiteral("SIGKILL") << QByteArray("restored DP-1 disconnect");
}

void TestHalvoscopeWayland::presetReachesTheCompositor()
{
    QFETCH(QString, ending);
    QFETCH(QByteArray, restored);
    FakeCompositorProcess compositor;
    QVERIFY(!compositor.socket().isEmpty());
    QVERIFY(compositor.command("add DP-1 256"));
    QTemporaryDir home;
    AppProcess app;
    launch(app, home, compositor);

    activatePreset(QStringLiteral("candle"));
    QVERIFY(compositor.waitUntil([&] { return compositor.lastGamma("DP-1") == candleRamp(256); }, 20000));
    // Learning the table size at start held a control for a moment.
    const int before = compositor.count("restored ");
    const int beforeThisWay = compositor.count(restored);

    if (ending == QLatin1String("standard"))
        activatePreset(ending);
    else
        ::kill(static_cast<pid_t>(app.processId()), ending == QLatin1String("SIGTERM") ? SIGTERM : SIGKILL);
    QVERIFY(compositor.waitUntil([&] { return compositor.count("restored ") == before + 1; }, 20000));
    QCOMPARE(compositor.count(restored), beforeThisWay + 1);
    if (ending == QLatin1String("SIGTERM")) {
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 0);
    }
}

void TestHalvoscopeWayland::statusNotifierItem()
{
    FakeCompositorProcess compositor;
    QVERIFY(compositor.command("add DP-1 256"));
    QTemporaryDir home;
    AppProcess app;
    launch(app, home, compositor);
    QTRY_VERIFY_WITH_TIMEOUT(!itemService().isEmpty(), 20000);
    QVERIFY(visibleWindows().isEmpty());

    callItem(QStringLiteral("SecondaryActivate"));
    callItem(QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 10000);
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
    QTRY_VERIFY_WITH_TIMEOUT(visibleWindows().isEmpty(), 10000);

    // The item has no place on the screen: a press outside closes the
    // popover, and the activation that the same click on the icon brings
    // leaves it closed; the next click opens it.
    callItem(QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 10000);
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("20"), QStringLiteral("700"),
                                                  QStringLiteral("click"), QStringLiteral("1")});
    QTRY_VERIFY_WITH_TIMEOUT(visibleWindows().isEmpty(), 10000);
    callItem(QStringLiteral("Activate"));
    callItem(QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 10000);

    // Focus taken by another surface closes it, as a click there would.
    static const QRegularExpression rootId(QStringLiteral("Window id: (\\d+)"));
    const QString root = rootId.match(run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-int")})).captured(1);
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), root});
    QTRY_VERIFY_WITH_TIMEOUT(visibleWindows().isEmpty(), 10000);

    // The context menu's place is Standard.
    activatePreset(QStringLiteral("candle"));
    QVERIFY(compositor.waitUntil([&] { return compositor.lastGamma("DP-1") == candleRamp(256); }, 20000));
    const int restored = compositor.count("restored DP-1 destroy");
    callItem(QStringLiteral("ContextMenu"));
    QVERIFY(compositor.waitUntil([&] { return compositor.count("restored DP-1 destroy") == restored + 1; }, 20000));
    QVERIFY(visibleWindows().isEmpty());
}

// Told once in the log and as a notice; the rest of the application runs.
void TestHalvoscopeWayland::compositorWithoutGammaControl()
{
    FakeCompositorProcess compositor({QStringLiteral("--no-gamma-control")});
    QVERIFY(compositor.command("add DP-1 256"));
    QTemporaryDir home;
    AppProcess app;
    launch(app, home, compositor, QProcess::ForwardedOutputChannel);
    activatePreset(QStringLiteral("candle"), false);
    QTRY_VERIFY_WITH_TIMEOUT(!itemService().isEmpty(), 20000);
    callItem(QStringLiteral("Activate"));
    QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 10000);
    QCOMPARE(compositor.count("gamma "), 0);
    ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
    QVERIFY(app.waitForFinished(20000));
    QCOMPARE(app.exitCode(), 0);
    const QString log = QString::fromLocal8Bit(app.readAllStandardError());
    QCOMPARE(log.count(QStringLiteral("Halvoscope cannot change the screen's colors: The Wayland compositor offers "
                                      "no gamma control")),
             1);
}

QTEST_MAIN(TestHalvoscopeWayland)
// Xlib's Bool would break the bool property's meta type in the generated code.
#undef Bool
#include "tst_halvoscope_wayland.moc"
