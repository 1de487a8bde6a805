// Desktop notifications the application sends where the user could not see
// otherwise, caught by a notification service of our own on the private
// session bus: no tray at all, an X server whose colours cannot be changed,
// and a state file that cannot be written. Each
// is shown once however often it happens. Runs under
// scripts/headless-session.sh --wm --session-bus, with no tray.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

// Last: Xlib's macros (None, Status, …) would break Qt headers after it.
#include "e2esupport.h"

using namespace E2E;

namespace {

struct Notice {
    QString appName;
    QString summary;
    QString body;
};

} // namespace

// org.freedesktop.Notifications as the desktop specification defines it,
// keeping what it was asked to show.
class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QList<Notice> notices;

    int count(const QString &summary) const
    {
        return int(std::count_if(notices.cbegin(), notices.cend(),
                                 [&](const Notice &n) { return n.summary == summary; }));
    }

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int expireTimeout)
    {
        Q_UNUSED(replacesId);
        Q_UNUSED(appIcon);
        Q_UNUSED(actions);
        Q_UNUSED(hints);
        Q_UNUSED(expireTimeout);
        notices.append({appName, summary, body});
        return uint(notices.size());
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    void CloseNotification(uint id) { Q_UNUSED(id); }
};

class TestHalvoscopeNotices : public QObject {
    Q_OBJECT

private:
    FakeNotificationService *m_service = nullptr;

    static QString runningSummary() { return QStringLiteral("Halvoscope is running"); }
    static QString saveSummary() { return QStringLiteral("Halvoscope could not save its settings"); }
    static QString colourSummary() { return QStringLiteral("Halvoscope cannot change the screen's colors"); }

    // Everything the application sent before the last launch finished has
    // reached us: its messages travel in order through the bus, and a round
    // trip to the bus daemon comes back behind them.
    static void drainBus()
    {
        QDBusConnection::sessionBus().interface()->serviceOwner(QStringLiteral("org.freedesktop.DBus"));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    static void launchAgain(const QString &home, const QStringList &arguments)
    {
        AppProcess second;
        second.setProcessEnvironment(appEnvironment(home));
        second.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), arguments);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
    }

    static void terminate(AppProcess &app)
    {
        ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 0);
    }

private Q_SLOTS:
    void init()
    {
        m_service = new FakeNotificationService;
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), m_service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
    }

    void cleanup()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
        delete m_service;
        m_service = nullptr;
    }

    void withoutATrayTheUserIsToldHowToOpenItOnce()
    {
        QTemporaryDir home;
        QTemporaryDir runtime;
        QVERIFY(home.isValid() && runtime.isValid());
        seedFinishedOnboarding(home.path());
        AppProcess app;
        QProcessEnvironment env = appEnvironment(home.path());
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(app.waitForStarted());

        QTRY_COMPARE_WITH_TIMEOUT(m_service->count(runningSummary()), 1, 20000);
        const Notice &notice = m_service->notices.first();
        QCOMPARE(notice.appName, QStringLiteral("Halvoscope"));
        QVERIFY2(notice.body.contains(QStringLiteral("halvoscope --show")), qPrintable(notice.body));
        QVERIFY2(notice.body.contains(QStringLiteral("add the System Tray widget to a panel")), qPrintable(notice.body));

        // Opening it as told works, and still no tray: no second notice.
        launchAgain(home.path(), {QStringLiteral("--show")});
        QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 10000);
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Escape")});
        QTRY_VERIFY_WITH_TIMEOUT(visibleWindows().isEmpty(), 10000);
        drainBus();
        QCOMPARE(m_service->count(runningSummary()), 1);
        QCOMPARE(m_service->notices.size(), 1);

        terminate(app);
    }

    void aFailedSaveIsToldOnce()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        seedFinishedOnboarding(home.path());
        AppProcess app;
        app.setProcessEnvironment(appEnvironment(home.path()));
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(app.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(m_service->count(runningSummary()), 1, 20000);

        // The state folder turns into a file: no save can create it again.
        const QString folder = home.path() + QStringLiteral("/data/Halvoscope");
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        launchAgain(home.path(), {QStringLiteral("--preset"), QStringLiteral("candle")});
        QTRY_COMPARE_WITH_TIMEOUT(m_service->count(saveSummary()), 1, 10000);
        const Notice &notice = m_service->notices.last();
        QVERIFY2(notice.body.contains(folder), qPrintable(notice.body));

        // Each later change fails the same way and is not told again.
        launchAgain(home.path(), {QStringLiteral("--preset"), QStringLiteral("standard")});
        launchAgain(home.path(), {QStringLiteral("--preset"), QStringLiteral("vivid")});
        drainBus();
        QCOMPARE(m_service->count(saveSummary()), 1);
        QCOMPARE(app.state(), QProcess::Running);

        terminate(app);
    }

    void withoutAColourPathTheUserIsToldOnce()
    {
        // An X server of its own without RandR: no gamma ramps and no matrix.
        AppProcess server;
        server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                              QStringLiteral("-extension"), QStringLiteral("RANDR"),
                                              QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 20000);
        const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine()).trimmed();

        QTemporaryDir home;
        QVERIFY(home.isValid());
        seedFinishedOnboarding(home.path());
        QProcessEnvironment env = appEnvironment(home.path());
        env.insert(QStringLiteral("DISPLAY"), display);
        AppProcess app;
        app.setProcessEnvironment(env);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(app.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(m_service->count(colourSummary()), 1, 20000);
        QVERIFY(m_service->notices.first().body.contains(QStringLiteral("Keep Awake")));

        // A preset is still chosen, the caller hears that no screen shows
        // it, and the notice is not repeated.
        AppProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {QStringLiteral("--preset"), QStringLiteral("candle")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(second.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("Candle is chosen, but no screen shows it")), qPrintable(err));
        QTRY_COMPARE_WITH_TIMEOUT(savedState(home.path()).value(QStringLiteral("activeModeID")).toString(),
                                  QStringLiteral("candle"), 10000);
        drainBus();
        QCOMPARE(m_service->count(colourSummary()), 1);
        QCOMPARE(app.state(), QProcess::Running);

        terminate(app);
        const QString errors = QString::fromLocal8Bit(app.readAllStandardError());
        QVERIFY2(errors.contains(QStringLiteral("cannot change the screen's colors")), qPrintable(errors));
        server.terminate();
        QVERIFY(server.waitForFinished(10000));
    }
};

QTEST_GUILESS_MAIN(TestHalvoscopeNotices)
#include "tst_halvoscope_notices.moc"
