// First-run handling of the real application: a first launch opens the
// onboarding window and finishing it opens the popover; a launch after a
// relaunch for screen capture opens the popover and no window. Runs under
// scripts/headless-session.sh --tray --session-bus.

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Last: Xlib's macros (None, Status, …) would break Qt headers after it.
#include "e2esupport.h"

using namespace E2E;

namespace {

const QString relaunchMarker = QStringLiteral("com.corvanta.halvoscope.onboardingFinishAfterRelaunch");

// The id of a visible application window of the given width, or nothing.
QString windowOfWidth(int width)
{
    const QStringList ids = run(QStringLiteral("xdotool"),
                                {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                 QStringLiteral("--classname"), QStringLiteral("^halvoscope$")})
                                .split(u'\n', Qt::SkipEmptyParts);
    static const QRegularExpression size(QStringLiteral("Geometry: (\\d+)x(\\d+)"));
    for (const QString &id : ids) {
        const auto match = size.match(run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), id}));
        if (match.hasMatch() && match.captured(1).toInt() == width)
            return id;
    }
    return {};
}

} // namespace

class TestHalvoscopeFirstRun : public QObject {
    Q_OBJECT

private:
    static void stop(AppProcess &app)
    {
        app.terminate();
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 0);
    }

private Q_SLOTS:
    void firstLaunchOpensOnboardingAndFinishingOpensThePopover()
    {
        QTemporaryDir home;
        AppProcess app;
        app.setProcessEnvironment(appEnvironment(home.path()));
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(app.waitForStarted());

        QString onboarding;
        QTRY_VERIFY_WITH_TIMEOUT(!(onboarding = windowOfWidth(520)).isEmpty(), 30000);
        QVERIFY(windowOfWidth(280).isEmpty());

        // Return presses the primary button on every step: Get Started,
        // Continue, Start Using Halvoscope.
        for (int step = 0; step < 3; ++step) {
            run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), onboarding});
            run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
            QTest::qWait(400);
        }
        QTRY_VERIFY_WITH_TIMEOUT(windowOfWidth(520).isEmpty(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!windowOfWidth(280).isEmpty(), 15000);
        QCOMPARE(savedState(home.path()).value(QStringLiteral("hasCompletedOnboarding")).toBool(), true);
        // Run from its build tree the guide starts with Open at Login off, so
        // no login item points into a folder that may be deleted.
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("config/autostart/com.corvanta.Halvoscope.desktop"))));
        stop(app);
    }

    void launchWithRelaunchMarkerOpensThePopoverOnly()
    {
        QTemporaryDir home;
        {
            QSettings defaults(home.filePath(QStringLiteral("config/Halvoscope/Halvoscope.ini")),
                               QSettings::IniFormat);
            defaults.setValue(relaunchMarker, true);
        }
        AppProcess app;
        app.setProcessEnvironment(appEnvironment(home.path()));
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(app.waitForStarted());

        QTRY_VERIFY_WITH_TIMEOUT(!windowOfWidth(280).isEmpty(), 30000);
        QTest::qWait(1000);
        QVERIFY(windowOfWidth(520).isEmpty());
        QCOMPARE(savedState(home.path()).value(QStringLiteral("hasCompletedOnboarding")).toBool(), true);
        QSettings defaults(home.filePath(QStringLiteral("config/Halvoscope/Halvoscope.ini")),
                           QSettings::IniFormat);
        QVERIFY(!defaults.contains(relaunchMarker));
        stop(app);
    }
};

QTEST_GUILESS_MAIN(TestHalvoscopeFirstRun)
#include "tst_halvoscope_firstrun.moc"
