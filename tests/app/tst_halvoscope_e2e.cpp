// Drives the real application under a private X server with a window manager,
// an XEmbed tray and a private session bus (scripts/headless-session.sh
// --tray --session-bus): clicks go through xdotool, the screen's colour is
// read back from the CRTC's gamma ramp.

#include <algorithm>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

#include "xrandrprobe.h"

// Last: Xlib's macros (None, Status, …) would break Qt headers after it.
#include "e2esupport.h"

using namespace E2E;

class TestHalvoscopeEndToEnd : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;
    AppProcess m_app;
    GammaReader m_gamma;
    Ramp m_calibration;
    QRect m_icon;

    QProcessEnvironment environment() const { return appEnvironment(m_home.path()); }

    QString savedActivePreset() const
    {
        return savedState(m_home.path()).value(QStringLiteral("activeModeID")).toString();
    }

    std::optional<QRect> popover() const
    {
        for (const QRect &window : visibleWindows()) {
            // The popover is 280 wide; full-screen ripple windows are not it.
            if (window != m_icon && window.width() >= 200 && window.width() <= 400)
                return window;
        }
        return std::nullopt;
    }

    Ramp settledRamp() const { return E2E::settledRamp(m_gamma); }

    static bool isNeutral(const Ramp &ramp)
    {
        // Candle leaves blue far below its top; neutral keeps all three equal.
        return !ramp.blue.isEmpty() && ramp.red == ramp.green && ramp.green == ramp.blue;
    }

    void click(const QRect &target, const QString &button, const QStringList &keys = {})
    {
        const QPoint centre = target.center();
        QStringList arguments{QStringLiteral("mousemove"), QString::number(centre.x()),
                              QString::number(centre.y())};
        for (const QString &key : keys)
            arguments << QStringLiteral("keydown") << key;
        arguments << QStringLiteral("click") << button;
        for (const QString &key : keys)
            arguments << QStringLiteral("keyup") << key;
        QProcess::execute(QStringLiteral("xdotool"), arguments);
    }

    QDBusMessage callApp(const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QStringLiteral("com.corvanta.Halvoscope"), QStringLiteral("/com/corvanta/Halvoscope"),
            QStringLiteral("com.corvanta.Halvoscope"), method);
        message.setArguments(arguments);
        return QDBusConnection::sessionBus().call(message, QDBus::Block, 10000);
    }

    void screenshot(const QString &name)
    {
        const QString folder = qEnvironmentVariable("HALVOSCOPE_E2E_SHOTS", m_home.path());
        QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                     folder + QLatin1Char('/') + name});
    }

    // The window the window manager has given the keyboard focus.
    static QRect activeWindow()
    {
        static const QRegularExpression position(QStringLiteral("Position: (-?\\d+),(-?\\d+)"));
        static const QRegularExpression size(QStringLiteral("Geometry: (\\d+)x(\\d+)"));
        const QString text = run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow"),
                                                             QStringLiteral("getwindowgeometry")});
        const auto p = position.match(text);
        const auto s = size.match(text);
        if (!p.hasMatch() || !s.hasMatch())
            return {};
        return QRect(p.captured(1).toInt(), p.captured(2).toInt(), s.captured(1).toInt(), s.captured(2).toInt());
    }

    bool isAppOnBus() const
    {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("com.corvanta.Halvoscope"));
    }

    // The instance every case talks to: running, its icon in the tray and its
    // name on the bus.
    void startApp()
    {
        if (m_app.state() != QProcess::NotRunning)
            return;
        m_app.setProcessEnvironment(environment());
        m_app.setProcessChannelMode(QProcess::ForwardedChannels);
        QElapsedTimer sinceStart;
        sinceStart.start();
        m_app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(m_app.waitForStarted());
        // Before anything else is shown, the icon is the only window.
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows().size(), 1, 20000);
        qInfo("tray icon shown %lld ms after start", sinceStart.elapsed());
        m_icon = visibleWindows().first();
        QTRY_VERIFY_WITH_TIMEOUT(isAppOnBus(), 20000);
    }

    void stopApp(int signal)
    {
        ::kill(static_cast<pid_t>(m_app.processId()), signal);
        QVERIFY(m_app.waitForFinished(20000));
        QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app.exitCode(), 0);
    }

    void activate(const QString &id)
    {
        QCOMPARE(callApp(QStringLiteral("ActivatePreset"), {id}).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(savedActivePreset(), id, 10000);
    }

    void openPopover()
    {
        click(m_icon, QStringLiteral("1"));
        QTRY_VERIFY_WITH_TIMEOUT(popover().has_value(), 10000);
    }

    void closePopover()
    {
        if (!popover())
            return;
        click(QRect(200, 500, 1, 1), QStringLiteral("1"));
        QTRY_VERIFY_WITH_TIMEOUT(!popover().has_value(), 10000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QVERIFY2(m_gamma.isOpen(), "run under scripts/headless-session.sh --tray --session-bus");
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        m_gamma.writeCalibration(0.9);
        m_calibration = m_gamma.read();
        QVERIFY(!m_calibration.red.isEmpty());
        E2E::seedFinishedOnboarding(m_home.path());

        startApp();
        // The icon is the application's only window, embedded in the tray at its top right.
        const QList<QRect> windows = visibleWindows();
        QCOMPARE(windows.size(), 1);
        m_icon = windows.first();
        QVERIFY2(m_icon.width() >= 16 && m_icon.width() <= 32, qPrintable(QString::number(m_icon.width())));
        QVERIFY(m_icon.top() < 30 && m_icon.right() > 1100);
        QVERIFY(run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")})
                    .contains(QStringLiteral("(\"halvoscope\" \"Halvoscope\")")));
    }

    // Every case starts with the instance running, the popover closed and
    // Standard active on the calibrated screen, and leaves it so.
    void init()
    {
        startApp();
        closePopover();
        if (savedActivePreset() != QStringLiteral("standard") && !savedActivePreset().isEmpty())
            activate(QStringLiteral("standard"));
        QCOMPARE(settledRamp(), m_calibration);
    }

    void cleanup()
    {
        if (m_app.state() == QProcess::NotRunning)
            return;
        closePopover();
        if (savedActivePreset() != QStringLiteral("standard") && !savedActivePreset().isEmpty())
            activate(QStringLiteral("standard"));
    }

    void startsWithTheUntouchedScreen()
    {
        QCOMPARE(m_gamma.read(), m_calibration);
        QVERIFY(!popover());
    }

    void leftClickOpensThePopoverBelowTheIcon()
    {
        openPopover();
        const QRect window = *popover();
        QVERIFY2(window.top() >= m_icon.bottom() && window.top() <= m_icon.bottom() + 12,
                 qPrintable(QStringLiteral("popover at y %1, icon bottom %2").arg(window.top()).arg(m_icon.bottom())));
        QVERIFY(window.left() <= m_icon.center().x() && window.right() >= m_icon.center().x());
        QVERIFY(window.right() < 1280);
        QCOMPARE(window.width(), 280);
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), window, 10000);
        const QString state = run(QStringLiteral("xprop"), {QStringLiteral("-id"),
                                                            run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).trimmed(),
                                                            QStringLiteral("_NET_WM_STATE")});
        QVERIFY2(state.contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")), qPrintable(state));
        screenshot(QStringLiteral("popover-open.png"));
    }

    void escapeClosesThePopover()
    {
        openPopover();
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), *popover(), 10000);
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
        QTRY_VERIFY_WITH_TIMEOUT(!popover().has_value(), 10000);
    }

    void leftClickTogglesThePopover()
    {
        openPopover();
        click(m_icon, QStringLiteral("1"));
        QTRY_VERIFY_WITH_TIMEOUT(!popover().has_value(), 10000);
        // A click on the icon right after it closed the popover opens it again.
        openPopover();
    }

    void clickElsewhereClosesThePopover()
    {
        openPopover();
        // At once, as a user may: no time has to pass after opening. (A right
        // click on the desktop would open the window manager's menu.)
        click(QRect(200, 500, 1, 1), QStringLiteral("1"));
        QTRY_VERIFY_WITH_TIMEOUT(!popover().has_value(), 10000);
        // The outside click closed it and nothing else: the icon opens it again.
        openPopover();
    }

    void activatePresetOverDBusChangesGammaAndState()
    {
        const QDBusMessage reply = callApp(QStringLiteral("ActivatePreset"), {QStringLiteral("candle")});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(m_gamma.read() != m_calibration, 10000);
        const Ramp candle = settledRamp();
        QVERIFY(!isNeutral(candle));
        QVERIFY(candle.blue.last() < candle.red.last() * 0.8);
        QCOMPARE(savedActivePreset(), QStringLiteral("candle"));

        const QDBusMessage unknown = callApp(QStringLiteral("ActivatePreset"), {QStringLiteral("moonlight")});
        QCOMPARE(unknown.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(m_gamma.read(), candle);
        QCOMPARE(savedActivePreset(), QStringLiteral("candle"));
    }

    void middleClickDoesNothing()
    {
        activate(QStringLiteral("candle"));
        const Ramp candle = settledRamp();
        QVERIFY(!isNeutral(candle));
        click(m_icon, QStringLiteral("2"));
        // The left click is handled after the middle one: had the middle click
        // opened the popover, this one would close it.
        openPopover();
        QCOMPARE(m_gamma.read(), candle);
        QCOMPARE(savedActivePreset(), QStringLiteral("candle"));
    }

    void rightClickReturnsToStandard()
    {
        activate(QStringLiteral("candle"));
        QVERIFY(!isNeutral(settledRamp()));
        openPopover();
        click(m_icon, QStringLiteral("3"));
        QTRY_COMPARE_WITH_TIMEOUT(savedActivePreset(), QStringLiteral("standard"), 10000);
        QCOMPARE(settledRamp(), m_calibration);
        QTRY_VERIFY_WITH_TIMEOUT(!popover().has_value(), 10000);
    }

    void controlClickReturnsToStandard()
    {
        activate(QStringLiteral("red-light"));
        QVERIFY(!isNeutral(settledRamp()));
        click(m_icon, QStringLiteral("1"), {QStringLiteral("ctrl")});
        QTRY_COMPARE_WITH_TIMEOUT(savedActivePreset(), QStringLiteral("standard"), 10000);
        QCOMPARE(settledRamp(), m_calibration);
        QVERIFY(!popover());
    }

    void secondLaunchShowsThePopoverAndExits()
    {
        AppProcess second;
        second.setProcessEnvironment(environment());
        second.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(popover().has_value(), 10000);
        QCOMPARE(m_app.state(), QProcess::Running);
    }

    // NVIDIA's proprietary driver: no CTM, a CscMatrix. Vivid goes there
    // exactly (3×4, 65536 = 1.0, zero offsets) and SIGINT puts the driver's
    // own value back.
    void cscMatrixShowsVividAndSigintRestores()
    {
        const QList<qint32> drivers{65536, 0, 0, 0, 0, 65536, 0, 0, 0, 0, 65536, 0};
        // From the colour matrix's definition at 6500 K and 160 %.
        const QList<qint32> vivid{96498, -28025, -2784, 0, -8360, 76467, -2784, 0, -8360, -28025, 100035, 0};
        XRandrProbe probe;
        const XRandrProbe::Head head = probe.heads().constFirst();
        probe.setCscMatrix(head, drivers);
        const auto removeMatrix = qScopeGuard([&] { probe.deleteCtm(head); });
        activate(QStringLiteral("vivid"));
        QTRY_COMPARE_WITH_TIMEOUT(probe.cscMatrix(head), std::optional(vivid), 10000);
        QCOMPARE(m_gamma.read(), m_calibration);
        stopApp(SIGINT);
        QCOMPARE(probe.cscMatrix(head), std::optional(drivers));
    }

    void sigtermRestoresTheScreen()
    {
        activate(QStringLiteral("candle"));
        QTRY_VERIFY_WITH_TIMEOUT(m_gamma.read() != m_calibration, 10000);
        stopApp(SIGTERM);
        // The user's calibration comes back, not a linear ramp.
        QCOMPARE(m_gamma.read(), m_calibration);
        // The choice survives the restart.
        QCOMPARE(savedActivePreset(), QStringLiteral("candle"));
    }

    void restartAppliesTheSavedPresetAndSigintRestores()
    {
        activate(QStringLiteral("candle"));
        stopApp(SIGTERM);
        QCOMPARE(m_gamma.read(), m_calibration);
        startApp();
        QTRY_VERIFY_WITH_TIMEOUT(m_gamma.read() != m_calibration, 20000);
        stopApp(SIGINT);
        QCOMPARE(m_gamma.read(), m_calibration);
    }

    void runsWithoutASessionBus()
    {
        // A saved preset to apply, and no other instance on the screen.
        activate(QStringLiteral("candle"));
        stopApp(SIGTERM);
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
        AppProcess app;
        app.setProcessEnvironment(env);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(app.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(m_gamma.read() != m_calibration, 20000);
        QCOMPARE(app.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(app.processId()), SIGHUP);
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 0);
        QCOMPARE(m_gamma.read(), m_calibration);
        const QString errors = QString::fromLocal8Bit(app.readAllStandardError());
        QVERIFY2(errors.contains(QStringLiteral("cannot guard against a second instance")), qPrintable(errors));
    }

    void cleanupTestCase()
    {
        if (m_app.state() != QProcess::NotRunning) {
            m_app.terminate();
            m_app.waitForFinished(10000);
        }
    }
};

QTEST_GUILESS_MAIN(TestHalvoscopeEndToEnd)
#include "tst_halvoscope_e2e.moc"
