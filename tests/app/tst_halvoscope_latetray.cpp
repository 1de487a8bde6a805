// The application started before any tray exists (a panel that starts later):
// it keeps running, a second launch still opens the popover at the fallback
// anchor, and the icon shows up once a tray appears. Runs under
// scripts/headless-session.sh --wm --session-bus, and starts its own tray.

#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

// Last: Xlib's macros (None, Status, …) would break Qt headers after it.
#include "e2esupport.h"

using namespace E2E;

class TestHalvoscopeLateTray : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;
    AppProcess m_app;
    AppProcess m_tray;

    QProcessEnvironment environment() const { return E2E::appEnvironment(m_home.path()); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        m_app.setProcessEnvironment(environment());
        m_app.setProcessChannelMode(QProcess::ForwardedChannels);
        E2E::seedFinishedOnboarding(m_home.path());
        m_app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(m_app.waitForStarted());
        // Running and reachable on the bus, but nothing on screen.
        QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("busctl"), {QStringLiteral("--user"), QStringLiteral("list")})
                                     .contains(QStringLiteral("com.corvanta.Halvoscope")),
                                 20000);
        QCOMPARE(m_app.state(), QProcess::Running);
        QVERIFY(visibleWindows().isEmpty());
    }

    void secondLaunchOpensThePopoverAtTheFallbackAnchor()
    {
        AppProcess second;
        second.setProcessEnvironment(environment());
        second.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);

        QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 10000);
        const QRect popover = visibleWindows().first();
        QCOMPARE(popover.width(), 280);
        // Centred on a point 160 px left of the right edge, just below the top.
        QCOMPARE(popover.left(), 1280 - 160 + 1 - 140);
        QVERIFY2(popover.top() >= 2 && popover.top() <= 10, qPrintable(QString::number(popover.top())));

        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
        QTRY_VERIFY_WITH_TIMEOUT(visibleWindows().isEmpty(), 10000);
    }

    void iconAppearsWithTheTray()
    {
        m_tray.start(QStringLiteral("trayer"),
                     {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                      QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                      QStringLiteral("--width"), QStringLiteral("120"), QStringLiteral("--height"),
                      QStringLiteral("24"), QStringLiteral("--SetDockType"), QStringLiteral("true"),
                      QStringLiteral("--expand"), QStringLiteral("false")});
        QVERIFY(m_tray.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 20000);
        const QRect icon = visibleWindows().first();
        QVERIFY(icon.width() <= 32 && icon.top() < 30);

        const QPoint centre = icon.center();
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QString::number(centre.x()),
                           QString::number(centre.y()), QStringLiteral("click"), QStringLiteral("1")});
        QTRY_COMPARE_WITH_TIMEOUT(visibleWindows().size(), 2, 10000);
        for (const QRect &window : visibleWindows()) {
            if (window != icon)
                QVERIFY(window.top() > icon.bottom());
        }
    }

    void cleanupTestCase()
    {
        if (m_app.state() == QProcess::Running) {
            ::kill(static_cast<pid_t>(m_app.processId()), SIGTERM);
            QVERIFY(m_app.waitForFinished(20000));
            QCOMPARE(m_app.exitCode(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestHalvoscopeLateTray)
#include "tst_halvoscope_latetray.moc"
