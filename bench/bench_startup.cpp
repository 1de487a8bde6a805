// The application as a user starts it, in a private desktop with a tray:
// start until the tray icon is shown and until the saved preset's ramp is on
// the screen; memory at idle; memory after the popover was opened once and
// closed, and how long until it is back to idle; how long the popover takes
// to open by a click on the icon, the first time and after it was released.
//
//   bench_startup [executable ...]   (default: the one built with it)
//
// Every executable named is measured in the same desktop, side by side.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QTemporaryDir>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

using Ramp = std::vector<unsigned short>;

// The first CRTC's gamma ramp, all three channels one after the other.
Ramp firstRamp(Display *display)
{
    Ramp ramp;
    XRRScreenResources *resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources)
        return ramp;
    if (resources->ncrtc > 0) {
        if (XRRCrtcGamma *gamma = XRRGetCrtcGamma(display, resources->crtcs[0])) {
            ramp.insert(ramp.end(), gamma->red, gamma->red + gamma->size);
            ramp.insert(ramp.end(), gamma->green, gamma->green + gamma->size);
            ramp.insert(ramp.end(), gamma->blue, gamma->blue + gamma->size);
            XRRFreeGamma(gamma);
        }
    }
    XRRFreeScreenResources(resources);
    return ramp;
}

// A launched instance that never outlives the bench.
class AppProcess : public QProcess {
public:
    ~AppProcess() override
    {
        if (state() != QProcess::NotRunning) {
            kill();
            waitForFinished(5000);
        }
    }
};

// The application's whole profile inside home.
QProcessEnvironment appEnvironment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    return env;
}

constexpr int startRounds = 3;
constexpr int idleSettleMs = 6000;
constexpr int releaseWaitMs = 65000;
constexpr double idleMarginMb = 1.5;

struct Memory {
    double rssMb = 0.0;
    double pssMb = 0.0;
    double anonymousMb = 0.0;
};

Memory memoryOf(qint64 pid)
{
    Memory memory;
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return memory;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2)
            continue;
        if (parts[0] == "Rss:")
            memory.rssMb = parts[1].toDouble() / 1024.0;
        else if (parts[0] == "Pss:")
            memory.pssMb = parts[1].toDouble() / 1024.0;
        else if (parts[0] == "Anonymous:")
            memory.anonymousMb = parts[1].toDouble() / 1024.0;
    }
    return memory;
}

// Viewable windows of the application, in root coordinates.
QList<QRect> shownWindows(Display *display)
{
    QList<QRect> found;
    std::vector<Window> pending{DefaultRootWindow(display)};
    while (!pending.empty()) {
        const Window window = pending.back();
        pending.pop_back();
        Window root = 0, parent = 0;
        Window *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            continue;
        for (unsigned int i = 0; i < count; ++i)
            pending.push_back(children[i]);
        if (children)
            XFree(children);
        XClassHint hint{};
        if (!XGetClassHint(display, window, &hint))
            continue;
        const bool ours = hint.res_name && qstrcmp(hint.res_name, "halvoscope") == 0;
        XFree(hint.res_name);
        XFree(hint.res_class);
        XWindowAttributes attributes{};
        if (!ours || !XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
            continue;
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child);
        found.append(QRect(x, y, attributes.width, attributes.height));
    }
    return found;
}

std::optional<QRect> trayIcon(Display *display)
{
    for (const QRect &window : shownWindows(display)) {
        if (window.width() <= 64 && window.height() <= 64)
            return window;
    }
    return std::nullopt;
}

bool popoverShown(Display *display)
{
    const QList<QRect> windows = shownWindows(display);
    return std::any_of(windows.cbegin(), windows.cend(), [](const QRect &w) { return w.width() >= 200; });
}

// Milliseconds until `done` holds, polling every millisecond; -1 after `limitMs`.
template<typename Done>
double waitFor(Done done, int limitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < limitMs) {
        if (done())
            return double(timer.nsecsElapsed()) / 1e6;
        QThread::usleep(1000);
    }
    return -1.0;
}

void click(const QRect &at)
{
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(at.center().x()), QString::number(at.center().y()),
                       QStringLiteral("click"), QStringLiteral("1")});
}

void seedProfile(const QString &home)
{
    const QString folder = home + QStringLiteral("/data/Halvoscope");
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/state.json"));
    if (file.open(QIODevice::WriteOnly))
        file.write("{\"hasCompletedOnboarding\": true, \"activeModeID\": \"candle\", \"animationEnabled\": true}\n");
}

void stop(AppProcess &app)
{
    app.terminate();
    if (!app.waitForFinished(10000))
        app.kill();
    app.waitForFinished(5000);
}

struct Figures {
    std::vector<double> trayMs, rampMs;
    Memory idle, afterClose, afterRelease;
    double releaseSeconds = -1.0;
    double firstOpenMs = -1.0, reopenMs = -1.0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1.0 : values[values.size() / 2];
}

void measureStart(const QString &executable, Display *display, Figures *figures, bool withPopover)
{
    QTemporaryDir home;
    seedProfile(home.path());
    const Ramp before = firstRamp(display);
    AppProcess app;
    app.setProcessEnvironment(appEnvironment(home.path()));
    app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    app.start(executable, {});
    app.waitForStarted();
    double tray = -1.0, ramp = -1.0;
    while (timer.elapsed() < 15000 && (tray < 0.0 || ramp < 0.0)) {
        if (tray < 0.0 && trayIcon(display))
            tray = double(timer.nsecsElapsed()) / 1e6;
        if (ramp < 0.0 && firstRamp(display) != before)
            ramp = double(timer.nsecsElapsed()) / 1e6;
        QThread::usleep(500);
    }
    figures->trayMs.push_back(tray);
    figures->rampMs.push_back(ramp);
    if (!withPopover) {
        stop(app);
        return;
    }

    QThread::msleep(idleSettleMs);
    figures->idle = memoryOf(app.processId());
    const std::optional<QRect> icon = trayIcon(display);
    if (icon) {
        click(*icon);
        figures->firstOpenMs = waitFor([&] { return popoverShown(display); }, 5000);
        QThread::msleep(1000);
        click(*icon);
        waitFor([&] { return !popoverShown(display); }, 5000);
        QThread::msleep(1000);
        figures->afterClose = memoryOf(app.processId());
        QElapsedTimer released;
        released.start();
        while (released.elapsed() < releaseWaitMs) {
            figures->afterRelease = memoryOf(app.processId());
            // Pages of the libraries the popover loaded stay mapped and count
            // in RSS until the kernel needs them; the heap is what it keeps.
            if (figures->afterRelease.anonymousMb <= figures->idle.anonymousMb + idleMarginMb) {
                figures->releaseSeconds = double(released.elapsed()) / 1000.0 + 1.0;
                break;
            }
            QThread::msleep(500);
        }
        click(*icon);
        figures->reopenMs = waitFor([&] { return popoverShown(display); }, 5000);
        click(*icon);
        waitFor([&] { return !popoverShown(display); }, 5000);
    }
    stop(app);
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("HALVOSCOPE_BENCH_NESTED")) {
        setenv("HALVOSCOPE_BENCH_NESTED", "1", 1);
        std::vector<char *> arguments{const_cast<char *>(HALVOSCOPE_HEADLESS_SESSION), const_cast<char *>("--tray"),
                                      const_cast<char *>("--session-bus"), const_cast<char *>("--")};
        for (int i = 0; i < argc; ++i)
            arguments.push_back(argv[i]);
        arguments.push_back(nullptr);
        execv(HALVOSCOPE_HEADLESS_SESSION, arguments.data());
        std::perror("bench_startup: headless-session");
        return 1;
    }
    QCoreApplication app(argc, argv);
    QStringList executables = app.arguments().mid(1);
    if (executables.isEmpty())
        executables.append(QStringLiteral(HALVOSCOPE_EXECUTABLE));
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::printf("bench_startup: no X display\n");
        return 1;
    }

    std::vector<Figures> all;
    for (const QString &executable : std::as_const(executables)) {
        Figures figures;
        for (int round = 0; round < startRounds; ++round)
            measureStart(executable, display, &figures, round == startRounds - 1);
        all.push_back(figures);
    }

    std::printf("application in a headless desktop with a tray (Xvfb, openbox, trayer); medians of %d starts\n",
                startRounds);
    for (qsizetype i = 0; i < executables.size(); ++i) {
        const Figures &f = all[size_t(i)];
        std::printf("  %s\n", qPrintable(executables[i]));
        std::printf("    start -> tray icon / first ramp             %7.1f ms / %7.1f ms\n", median(f.trayMs),
                    median(f.rampMs));
        std::printf("    idle RSS / PSS / anonymous (animation on)   %7.1f / %7.1f / %7.1f MB\n", f.idle.rssMb,
                    f.idle.pssMb, f.idle.anonymousMb);
        std::printf("    popover open by a click, first time         %7.1f ms\n", f.firstOpenMs);
        std::printf("    after the popover opened once and closed    %+7.1f / %+7.1f / %+7.1f MB\n",
                    f.afterClose.rssMb - f.idle.rssMb, f.afterClose.pssMb - f.idle.pssMb,
                    f.afterClose.anonymousMb - f.idle.anonymousMb);
        if (f.releaseSeconds >= 0.0)
            std::printf("    heap back within %.1f MB of idle after       %7.1f s\n", idleMarginMb, f.releaseSeconds);
        std::printf("    %-44s%+7.1f / %+7.1f / %+7.1f MB\n",
                    qPrintable(QStringLiteral("after that, %1 s after closing").arg(f.releaseSeconds >= 0.0 ? f.releaseSeconds : releaseWaitMs / 1000.0 + 1.0, 0, 'f', 0)),
                    f.afterRelease.rssMb - f.idle.rssMb, f.afterRelease.pssMb - f.idle.pssMb,
                    f.afterRelease.anonymousMb - f.idle.anonymousMb);
        std::printf("    popover open by a click, after that          %7.1f ms\n", f.reopenMs);
    }
    XCloseDisplay(display);
    return 0;
}
