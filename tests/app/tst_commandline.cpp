// The command line, run as a process with a private profile and no display:
// the answers that must not start the application, a --preset that no
// running instance and no state file knows, which must change nothing, and
// the requests a running instance carries out for a caller without a display
// (ssh, cron, a systemd timer).

#include "core/halvopersistedstate.h"
#include "core/statepersistence.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

// Last: it brings in Xlib, whose macros clash with Qt's names.
#include "e2esupport.h"

namespace {

const QString serviceName = QStringLiteral("com.corvanta.Halvoscope");

// Every file below `root`, by relative path, with its contents.
QMap<QString, QByteArray> filesBelow(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(QDir(root).relativeFilePath(path),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

// A state file with one custom preset, at data/<folder>/state.json.
void seedState(const QString &home, const QString &folder)
{
    HalvoPersistedState state;
    state.presets.append(HalvoPreset(QStringLiteral("custom-1"), QStringLiteral("Reading"), 4200, 80,
                                     std::nullopt, true));
    state.hasCompletedOnboarding = true;
    QDir().mkpath(home + QStringLiteral("/data/") + folder);
    StatePersistence(home + QStringLiteral("/data/") + folder + QStringLiteral("/state.json")).save(state);
}

// The running instance's active preset, read over the bus.
QString activePresetID()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        serviceName, QStringLiteral("/com/corvanta/Halvoscope"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << serviceName << QStringLiteral("ActivePresetID");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get);
    return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
}

// The profile every process of a test shares: no display, offscreen windows.
QProcessEnvironment headlessEnvironment(const QString &home, const QString &runtime)
{
    QProcessEnvironment env = E2E::appEnvironment(home);
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runsWithoutStarting_data()
    {
        QTest::addColumn<QStringList>("arguments");
        // Where the state file is seeded: "", "Halvoscope" or the legacy "Halvo".
        QTest::addColumn<QString>("seed");
        // A private session bus (with no instance on it) or none at all.
        QTest::addColumn<bool>("withBus");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expectedOut");
        QTest::addColumn<QString>("expectedErr");

        const QString version = QStringLiteral("halvoscope " HALVOSCOPE_PROJECT_VERSION "\n");
        QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << QString() << false
                                   << 0 << version << QString();
        QTest::newRow("-v, with a bus") << QStringList{QStringLiteral("-v")} << QString() << true
                                        << 0 << version << QString();
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << QString() << false << 0
                                << QStringLiteral("--preset <id>") << QString();
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate")} << QString()
                                        << true << 2 << QString() << QStringLiteral("frobnicate");
        QTest::newRow("stray argument") << QStringList{QStringLiteral("candle")} << QString() << true
                                        << 2 << QString() << QStringLiteral("'candle'");
        QTest::newRow("--preset without id") << QStringList{QStringLiteral("--preset")} << QString()
                                             << true << 2 << QString() << QStringLiteral("preset");

        const QString unknown = QStringLiteral("No preset with id \u201Csunrise\u201D");
        const QStringList sunrise{QStringLiteral("--preset"), QStringLiteral("sunrise")};
        QTest::newRow("unknown preset, no state file") << sunrise << QString() << true << 1
                                                       << QString() << unknown;
        QTest::newRow("unknown preset, saved presets") << sunrise << QStringLiteral("Halvoscope")
                                                       << true << 1 << QString() << unknown;
        QTest::newRow("unknown preset, legacy state file") << sunrise << QStringLiteral("Halvo")
                                                           << true << 1 << QString() << unknown;
        QTest::newRow("unknown preset, no bus") << sunrise << QStringLiteral("Halvoscope") << false
                                                << 1 << QString() << unknown;
        QTest::newRow("empty preset id") << QStringList{QStringLiteral("--preset=")} << QString()
                                         << true << 1 << QString()
                                         << QStringLiteral("No preset with id \u201C\u201D");
        QTest::newRow("unknown preset lists the saved ids too")
            << sunrise << QStringLiteral("Halvoscope") << true << 1 << QString()
            << QStringLiteral("Valid ids: standard, red-light, candle, black-white, color-ink, vivid, custom-1\n");
        QTest::newRow("--help lists the ids") << QStringList{QStringLiteral("--help")} << QStringLiteral("Halvoscope")
                                              << false << 0 << QStringLiteral("Preset ids: standard, red-light, candle, black-white, color-ink, vivid, custom-1")
                                              << QString();
        QTest::newRow("session manager's restart") << QStringList{QStringLiteral("-session"), QStringLiteral("10d2e4_1"), QStringLiteral("--version")}
                                                   << QString() << true << 0 << version << QString();
        QTest::newRow("--list and --quit together") << QStringList{QStringLiteral("--list"), QStringLiteral("--quit")}
                                                    << QString() << true << 2 << QString() << QStringLiteral("--list and --quit");

        // Nothing runs, and no display to start one on: one line, status 3.
        const QString notRunning = QStringLiteral("halvoscope: Halvoscope is not running on this session bus.\n");
        const QString noBus = QStringLiteral("no D-Bus session bus here");
        const QString noDisplay = QStringLiteral(
            "halvoscope: Halvoscope is not running, and cannot start here: no display (neither DISPLAY nor WAYLAND_DISPLAY is set).\n");
        QTest::newRow("--list, nothing runs") << QStringList{QStringLiteral("--list")} << QString() << true << 3
                                              << QString() << notRunning;
        QTest::newRow("--quit, no bus") << QStringList{QStringLiteral("--quit")} << QString() << false << 3
                                        << QString() << noBus;
        QTest::newRow("--preset, no display") << QStringList{QStringLiteral("--preset"), QStringLiteral("candle")}
                                              << QString() << true << 3 << QString() << noDisplay;
        QTest::newRow("--show, no display, no bus") << QStringList{QStringLiteral("--show")} << QString() << false
                                                    << 3 << QString() << noDisplay;
        QTest::newRow("plain start, no display") << QStringList() << QString() << true << 3 << QString() << noDisplay;

        // Leading NAME=value items go into the environment, as env(1) takes them.
        QTest::newRow("--help in German") << QStringList{QStringLiteral("LANGUAGE=de"), QStringLiteral("--help")}
                                          << QString() << false << 0 << QStringLiteral("Diese Hilfe anzeigen und beenden.")
                                          << QString();
        QTest::newRow("no display, in Japanese")
            << QStringList{QStringLiteral("LANGUAGE=ja"), QStringLiteral("--show")} << QString() << false << 3 << QString()
            << QStringLiteral("DISPLAY も WAYLAND_DISPLAY も設定されていません");
        // Qt's own parser texts follow too, from Qt's catalogue.
        QTest::newRow("unknown option, in German")
            << QStringList{QStringLiteral("LANGUAGE=de"), QStringLiteral("--frobnicate")} << QString() << true << 2
            << QString() << QStringLiteral("halvoscope: Unbekannte Option 'frobnicate'.\nVersuchen Sie »halvoscope --help«.\n");
        QTest::newRow("usage error, in French")
            << QStringList{QStringLiteral("LANGUAGE=fr"), QStringLiteral("stray")} << QString() << true << 2
            << QString() << QStringLiteral("Essayez « halvoscope --help ».");
    }

    void runsWithoutStarting()
    {
        QFETCH(QStringList, arguments);
        QStringList assignments;
        while (!arguments.isEmpty() && arguments.constFirst().contains(QLatin1Char('=')) && !arguments.constFirst().startsWith(u'-'))
            assignments.append(arguments.takeFirst());
        QFETCH(QString, seed);
        QFETCH(bool, withBus);

        QTemporaryDir home;
        QTemporaryDir runtime;
        QVERIFY(home.isValid() && runtime.isValid());
        if (!seed.isEmpty())
            seedState(home.path(), seed);
        const QMap<QString, QByteArray> before = filesBelow(home.path());

        // No platform either: nothing here may need a window.
        QProcessEnvironment env = headlessEnvironment(home.path(), runtime.path());
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        for (const QString &assignment : std::as_const(assignments))
            env.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
        if (withBus) {
            QVERIFY2(QDBusConnection::sessionBus().isConnected(), "runs on a private session bus");
            QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(serviceName));
        } else {
            // A socket that does not exist: no bus, and no fallback to the user's own.
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + runtime.filePath(QStringLiteral("no-bus")));
        }

        E2E::AppProcess app;
        app.setProcessEnvironment(env);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), arguments);
        QVERIFY2(app.waitForFinished(60000), "the process ends by itself");
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        const QString out = QString::fromLocal8Bit(app.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(app.readAllStandardError());
        QTEST(app.exitCode(), "exitCode");
        QFETCH(QString, expectedOut);
        QFETCH(QString, expectedErr);
        // A whole line is compared as it is; anything else must appear.
        if (expectedOut.endsWith(QLatin1Char('\n')))
            QCOMPARE(out, expectedOut);
        else
            QVERIFY2(out.contains(expectedOut), qPrintable(out));
        if (expectedErr.isEmpty())
            QCOMPARE(err, QString());
        else if (expectedErr.startsWith(QLatin1String("halvoscope: ")))
            QCOMPARE(err, expectedErr);
        else
            QVERIFY2(err.contains(expectedErr), qPrintable(err));

        // Nothing was written, moved or migrated, and no instance is left.
        QCOMPARE(filesBelow(home.path()), before);
        if (withBus)
            QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(serviceName));
    }

    // A saved preset starts the application with it; later launches without
    // a display hand their request to that instance.
    void talksToTheRunningInstance_data()
    {
        // Whether the instance's screens take colour (the session's X server)
        // or none does (no display server, windows offscreen).
        QTest::addColumn<bool>("onScreen");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expectedOut");
        QTest::addColumn<QString>("expectedErr");
        QTest::addColumn<QString>("activeAfter");

        const QString custom = QStringLiteral("custom-1");
        QTest::newRow("--list") << true << QStringList{QStringLiteral("--list")} << 0
                                << QStringLiteral("  standard\tStandard\n  red-light\tRed Light\n  candle\tCandle\n"
                                                  "  black-white\tBlack & White\n  color-ink\tColor Ink\n"
                                                  "  vivid\tVivid\n* custom-1\tReading\n")
                                << QString() << custom;
        QTest::newRow("--preset candle") << true << QStringList{QStringLiteral("--preset"), QStringLiteral("candle")}
                                         << 0 << QString() << QString() << QStringLiteral("candle");
        QTest::newRow("unknown preset") << true << QStringList{QStringLiteral("--preset"), QStringLiteral("sunrise")} << 1
                                        << QString()
                                        << QStringLiteral("halvoscope: No preset with id \u201Csunrise\u201D. Valid ids: standard, "
                                                          "red-light, candle, black-white, color-ink, vivid, custom-1\n")
                                        << custom;
        QTest::newRow("no screen shows it") << false << QStringList{QStringLiteral("--preset=candle")} << 1 << QString()
                                            << QStringLiteral("halvoscope: Candle is chosen, but no screen shows it: every screen "
                                                              "(no display server whose colors can be changed).\n")
                                            << QStringLiteral("candle");
        QTest::newRow("--show") << true << QStringList{QStringLiteral("--show")} << 0 << QString() << QString() << custom;
        QTest::newRow("restarted by the session manager")
            << true << QStringList{QStringLiteral("-session"), QStringLiteral("10d2e4_1"), QStringLiteral("--preset"), QStringLiteral("red-light")}
            << 0 << QString() << QString() << QStringLiteral("red-light");
        QTest::newRow("--quit") << true << QStringList{QStringLiteral("--quit")} << 0 << QString() << QString() << QString();
    }

    void talksToTheRunningInstance()
    {
        QFETCH(bool, onScreen);
        QFETCH(QStringList, arguments);
        QTemporaryDir home;
        QTemporaryDir runtime;
        QVERIFY(home.isValid() && runtime.isValid());
        seedState(home.path(), QStringLiteral("Halvoscope"));
        QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
        QVERIFY(bus && !bus->isServiceRegistered(serviceName));

        QProcessEnvironment instanceEnv = headlessEnvironment(home.path(), runtime.path());
        if (onScreen) {
            QVERIFY2(qEnvironmentVariableIsSet("DISPLAY"), "runs under scripts/headless-session.sh");
            instanceEnv.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("DISPLAY"));
            instanceEnv.remove(QStringLiteral("QT_QPA_PLATFORM"));
        }
        E2E::AppProcess app;
        app.setProcessEnvironment(instanceEnv);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {QStringLiteral("--preset"), QStringLiteral("custom-1")});
        QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(serviceName), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(activePresetID(), QStringLiteral("custom-1"), 10000);

        // As from ssh or a timer: the session bus, and no display at all.
        QProcessEnvironment env = headlessEnvironment(home.path(), runtime.path());
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        E2E::AppProcess second;
        second.setProcessEnvironment(env);
        second.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), arguments);
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QTEST(second.exitCode(), "exitCode");
        QTEST(QString::fromLocal8Bit(second.readAllStandardOutput()), "expectedOut");
        QTEST(QString::fromLocal8Bit(second.readAllStandardError()), "expectedErr");

        QFETCH(QString, activeAfter);
        if (activeAfter.isEmpty()) {
            // --quit: the instance ends as a quit from the popover would.
            QVERIFY(app.waitForFinished(30000));
        } else {
            QCOMPARE(activePresetID(), activeAfter);
            QCOMPARE(app.state(), QProcess::Running);
            app.terminate();
            QVERIFY(app.waitForFinished(30000));
        }
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        QTRY_VERIFY(!bus->isServiceRegistered(serviceName));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
