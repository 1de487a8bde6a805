// KWin's cost of Halvoscope's colour filter on llvmpipe: a full-screen window
// that draws every frame counts the frames KWin presents to it, and KWin's own CPU
// time (every thread, llvmpipe's included) per frame stands for KWin's frame
// time; first without the effect, then with Black & White on, then during
// ripples that KWin runs itself. Started without a desktop it installs the
// effect into a temporary prefix and runs itself next to the host's KWin on
// Wayland (scripts/desktop-session.sh).

#include "core/colormath.h"
#include "platform/desktop/kwineffectstage.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QRasterWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

#include <cstdio>

namespace {

class Ticker final : public QRasterWindow {
public:
    int frames = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(QRect(QPoint(), size()), QColor::fromHsv((frames * 7) % 360, 200, 200));
        ++frames;
    }
};

double kwinCpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0.0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // utime and stime, fields 14 and 15 of the whole line.
    return double(fields.value(11).toLongLong() + fields.value(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

void waitFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Frames per second presented to the ticker, and KWin's CPU milliseconds per frame.
void measure(const char *what, Ticker &ticker, qint64 pid, int ms)
{
    const int frames = ticker.frames;
    const double cpu = kwinCpuSeconds(pid);
    QElapsedTimer timer;
    timer.start();
    waitFor(ms);
    const double seconds = double(timer.elapsed()) / 1000.0;
    const int shown = ticker.frames - frames;
    std::printf("%-34s %6.1f frames/s   KWin %5.1f ms CPU per frame\n", what, shown / seconds,
                shown ? (kwinCpuSeconds(pid) - cpu) * 1000.0 / shown : 0.0);
    std::fflush(stdout);
}

ColorMatrix3x3 matrixOf(qint64 temperature, qint64 saturation)
{
    const ColorMatrix4x5 m = ColorMath::colorMatrix(temperature, saturation);
    return {m.m11, m.m12, m.m13, m.m21, m.m22, m.m23, m.m31, m.m32, m.m33};
}

int runInDesktop(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const qint64 pid = QDBusConnection::sessionBus().interface()->servicePid(QStringLiteral("org.kde.KWin")).value();
    std::printf("KWin %s (%s, Qt platform %s), 1280x800, llvmpipe\n", qgetenv("HALVO_DESKTOP_VERSION").constData(),
                qgetenv("HALVO_DESKTOP").constData(), qPrintable(QGuiApplication::platformName()));
    Ticker ticker;
    ticker.showFullScreen();
    // Qt holds each update until the compositor asks for the next frame.
    QTimer redraw;
    QObject::connect(&redraw, &QTimer::timeout, &ticker, [&ticker] { ticker.update(); });
    redraw.start(1);
    waitFor(2000);
    measure("without the effect", ticker, pid, 5000);

    KWinEffectStage stage(QDBusConnection::sessionBus());
    if (stage.probe() != KWinEffectStage::Probe::Loaded) {
        std::printf("KWin refused the effect\n");
        return 1;
    }
    const ColorMatrix3x3 grey = matrixOf(6500, 0);
    const ColorMatrix3x3 vivid = matrixOf(6500, 160);
    stage.writeMatrix(KWinEffectStage::desktopOutput, grey);
    waitFor(1000);
    measure("with the effect (Black & White)", ticker, pid, 5000);
    for (int i = 0; i < 3; ++i) {
        stage.runTransition(i % 2 ? vivid : grey, i % 2 ? grey : vivid, QPointF(1270, 10), 3000, true);
        measure("during a 3 s ripple inside KWin", ticker, pid, 3000);
    }
    stage.restoreMatrices();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("HALVO_DESKTOP_RUN"))
        return runInDesktop(argc, argv);
    QTemporaryDir prefix;
    QProcess::execute(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(HALVOSCOPE_BUILD_DIR),
                                                QStringLiteral("--component"), QStringLiteral("kwin-effect"),
                                                QStringLiteral("--prefix"), prefix.path()});
    const QString desktop = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("kwin-wayland");
    QStringList arguments{desktop};
    if (argc > 2)
        arguments << QStringLiteral("--root") << QString::fromLocal8Bit(argv[2]);
    arguments << QStringLiteral("--prefix") << prefix.path() << QStringLiteral("--")
              << QString::fromLocal8Bit(argv[0]);
    QProcess session;
    session.setProcessChannelMode(QProcess::ForwardedChannels);
    session.start(QStringLiteral(HALVOSCOPE_DESKTOP_SESSION), arguments);
    session.waitForFinished(-1);
    return session.exitCode();
}
