// An instance killed with SIGKILL cannot restore the screen. The next launch
// must find the calibration it started from, not take the leftover tint for
// the screen's own colour. Runs the real application under
// scripts/headless-session.sh --tray --session-bus and reads the CRTC's ramp.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

// Last: Xlib's macros (None, Status, …) would break Qt headers after it.
#include "e2esupport.h"

using namespace E2E;

class TestHalvoscopeCrashRecovery : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_home;
    GammaReader m_gamma;
    Ramp m_calibration;
    // Candle over the calibration, as a clean first launch shows it.
    Ramp m_candle;

    QString runtimeDir() const { return m_home.path() + QStringLiteral("/runtime"); }

    QStringList records() const
    {
        return QDir(runtimeDir() + QStringLiteral("/halvoscope")).entryList(QDir::Files);
    }

    // True once the instance's record says its last change is over.
    bool recordSettled() const
    {
        const QStringList files = records();
        if (files.size() != 1)
            return false;
        QFile file(runtimeDir() + QStringLiteral("/halvoscope/") + files.first());
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QJsonObject record = QJsonDocument::fromJson(file.readAll()).object();
        return record.contains(QStringLiteral("changing")) && !record.value(QStringLiteral("changing")).toBool();
    }

    static bool isAppOnBus()
    {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("com.corvanta.Halvoscope"));
    }

    Ramp settledRamp() const { return E2E::settledRamp(m_gamma); }

    void launch(AppProcess &app, const QString &savedPreset)
    {
        const QString folder = m_home.path() + QStringLiteral("/data/Halvoscope");
        QVERIFY(QDir().mkpath(folder));
        QFile state(folder + QStringLiteral("/state.json"));
        QVERIFY(state.open(QIODevice::WriteOnly | QIODevice::Truncate));
        state.write(QJsonDocument(QJsonObject{{QStringLiteral("hasCompletedOnboarding"), true},
                                              {QStringLiteral("activeModeID"), savedPreset}})
                        .toJson());
        state.close();

        QProcessEnvironment env = appEnvironment(m_home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(app.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(isAppOnBus(), 20000);
    }

    static QDBusMessage activate(const QString &preset)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QStringLiteral("com.corvanta.Halvoscope"), QStringLiteral("/com/corvanta/Halvoscope"),
            QStringLiteral("com.corvanta.Halvoscope"), QStringLiteral("ActivatePreset"));
        message.setArguments({preset});
        return QDBusConnection::sessionBus().call(message, QDBus::Block, 10000);
    }

    static void killHard(AppProcess &app)
    {
        ::kill(static_cast<pid_t>(app.processId()), SIGKILL);
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitStatus(), QProcess::CrashExit);
        // The next launch must not find this one's name and hand over to it.
        QTRY_VERIFY_WITH_TIMEOUT(!isAppOnBus(), 10000);
    }

    static void quit(AppProcess &app)
    {
        ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QVERIFY2(m_gamma.isOpen(), "run under scripts/headless-session.sh --tray --session-bus");
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        QVERIFY(QDir().mkpath(runtimeDir()));
        QVERIFY(QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    // Every case starts from the calibration with no instance and no record.
    void init()
    {
        QVERIFY(QDir(runtimeDir() + QStringLiteral("/halvoscope")).removeRecursively());
        m_gamma.writeCalibration(0.9);
        m_calibration = m_gamma.read();
        QVERIFY(!m_calibration.red.isEmpty());
        if (!m_candle.red.isEmpty())
            return;
        AppProcess app;
        launch(app, QStringLiteral("candle"));
        m_candle = settledRamp();
        QVERIFY(!m_candle.blue.isEmpty());
        QVERIFY(m_candle.blue.last() < m_calibration.blue.last() * 0.8);
        // A clean quit puts the calibration back and leaves no record.
        quit(app);
        QCOMPARE(m_gamma.read(), m_calibration);
        QCOMPARE(records(), QStringList());
    }

    void killedInstanceLeavesNoTint_data()
    {
        QTest::addColumn<int>("kills");
        QTest::addColumn<bool>("midFade");
        QTest::addColumn<bool>("recalibrated");
        QTest::addColumn<QString>("relaunchPreset");

        QTest::newRow("standard after a kill") << 1 << false << false << QStringLiteral("standard");
        QTest::newRow("candle after kills never compounds") << 3 << false << false << QStringLiteral("candle");
        QTest::newRow("killed during the fade") << 1 << true << false << QStringLiteral("standard");
        QTest::newRow("calibration loaded after the kill wins") << 1 << false << true << QStringLiteral("standard");
        QTest::newRow("calibration loaded after a kill during the fade wins")
            << 1 << true << true << QStringLiteral("standard");
        QTest::newRow("calibration loaded after the kill wins under candle")
            << 1 << false << true << QStringLiteral("candle");
    }

    void killedInstanceLeavesNoTint()
    {
        QFETCH(int, kills);
        QFETCH(bool, midFade);
        QFETCH(bool, recalibrated);
        QFETCH(QString, relaunchPreset);

        for (int i = 0; i < kills; ++i) {
            AppProcess app;
            launch(app, midFade ? QStringLiteral("standard") : QStringLiteral("candle"));
            if (midFade) {
                // Asked while running, the change is animated.
                QCOMPARE(settledRamp(), m_calibration);
                QCOMPARE(activate(QStringLiteral("candle")).type(), QDBusMessage::ReplyMessage);
                QTRY_VERIFY_WITH_TIMEOUT(m_gamma.read() != m_calibration, 20000);
            } else {
                // Every launch shows one Candle over the calibration, however
                // many instances were killed under it before.
                QCOMPARE(settledRamp(), m_candle);
                QTRY_VERIFY_WITH_TIMEOUT(recordSettled(), 10000);
            }
            killHard(app);
            QVERIFY(m_gamma.read() != m_calibration);
        }

        Ramp base = m_calibration;
        if (recalibrated) {
            m_gamma.writeCalibration(1.3);
            base = m_gamma.read();
        }

        AppProcess app;
        launch(app, relaunchPreset);
        const Ramp shown = settledRamp();
        if (relaunchPreset == QStringLiteral("standard"))
            QCOMPARE(shown, base);
        else if (!recalibrated)
            QCOMPARE(shown, m_candle);
        else
            QVERIFY(shown != base && shown != m_candle);
        // Whatever the launch took as the screen's own colour comes back at quit.
        quit(app);
        QCOMPARE(m_gamma.read(), base);
        QCOMPARE(records(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestHalvoscopeCrashRecovery)
#include "tst_halvoscope_crashrecovery.moc"
