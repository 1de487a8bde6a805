#pragma once

// The real application next to a real desktop, for tests run by
// scripts/desktop-session.sh: start it with a saved state, stop it with a
// signal, and run the desktop's own programs on the desktop's side.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <signal.h>

namespace DesktopApp {

// A program of the desktop's side (inside its root), e.g. dconf or kwriteconfig6.
inline QByteArray onDesktop(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("HALVO_DESKTOP_RUN"), arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        qWarning() << arguments << "failed:" << process.readAllStandardError();
    return process.readAllStandardOutput();
}

inline bool isAppOnBus()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("com.corvanta.Halvoscope"));
}

// Starts the real application with the session's environment; the saved
// state has the first-run guide done and `preset` active.
inline void launch(QProcess &app, const QString &preset, const QStringList &arguments = {})
{
    const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Halvoscope");
    QVERIFY(QDir().mkpath(folder));
    QFile state(folder + QStringLiteral("/state.json"));
    QVERIFY(state.open(QIODevice::WriteOnly | QIODevice::Truncate));
    state.write(QJsonDocument(QJsonObject{{QStringLiteral("hasCompletedOnboarding"), true},
                                          {QStringLiteral("activeModeID"), preset}})
                    .toJson());
    state.close();
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), arguments);
    QVERIFY(app.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(isAppOnBus(), 30000);
}

inline void stop(QProcess &app, int signal)
{
    ::kill(static_cast<pid_t>(app.processId()), signal);
    QVERIFY(app.waitForFinished(20000));
    QCOMPARE(app.exitStatus(), signal == SIGKILL ? QProcess::CrashExit : QProcess::NormalExit);
    QTRY_VERIFY_WITH_TIMEOUT(!isAppOnBus(), 10000);
}

// Fails unless the row runs on the desktop and version it names.
inline void checkRow(const QString &desktop, const QString &version)
{
    QCOMPARE(qEnvironmentVariable("HALVO_DESKTOP"), desktop);
    QVERIFY2(qEnvironmentVariable("HALVO_DESKTOP_VERSION").startsWith(version),
             qPrintable(qEnvironmentVariable("HALVO_DESKTOP_VERSION")));
}

} // namespace DesktopApp
