#pragma once

// What the end-to-end tests share: the X server's gamma ramp, the
// application's visible windows (through xdotool), a process guard and the
// private profile the application runs with.

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>

namespace E2E {

struct Ramp {
    QList<unsigned short> red, green, blue;
    bool operator==(const Ramp &) const = default;
};

// The first CRTC's gamma ramp, straight from the X server.
class GammaReader {
public:
    GammaReader()
        : m_display(XOpenDisplay(nullptr)) {}
    ~GammaReader()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }

    bool isOpen() const { return m_display != nullptr; }

    Ramp read() const
    {
        Ramp ramp;
        XRRScreenResources *resources = XRRGetScreenResourcesCurrent(m_display, DefaultRootWindow(m_display));
        if (!resources || resources->ncrtc == 0)
            return ramp;
        if (XRRCrtcGamma *gamma = XRRGetCrtcGamma(m_display, resources->crtcs[0])) {
            for (int i = 0; i < gamma->size; ++i) {
                ramp.red.append(gamma->red[i]);
                ramp.green.append(gamma->green[i]);
                ramp.blue.append(gamma->blue[i]);
            }
            XRRFreeGamma(gamma);
        }
        XRRFreeScreenResources(resources);
        return ramp;
    }

    // A curve like the ones a desktop's colour calibration loads.
    void writeCalibration(double exponent) const
    {
        XRRScreenResources *resources = XRRGetScreenResourcesCurrent(m_display, DefaultRootWindow(m_display));
        const int size = XRRGetCrtcGammaSize(m_display, resources->crtcs[0]);
        XRRCrtcGamma *gamma = XRRAllocGamma(size);
        for (int i = 0; i < size; ++i) {
            const double x = double(i) / (size - 1);
            gamma->red[i] = static_cast<unsigned short>(65535 * std::pow(x, exponent));
            gamma->green[i] = static_cast<unsigned short>(65535 * std::pow(x, exponent * 1.02));
            gamma->blue[i] = static_cast<unsigned short>(65535 * std::pow(x, exponent * 1.05));
        }
        XRRSetCrtcGamma(m_display, resources->crtcs[0], gamma);
        XRRFreeGamma(gamma);
        XRRFreeScreenResources(resources);
        XSync(m_display, False);
    }

private:
    Display *m_display;
};

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Visible top-level or embedded windows of the application, by geometry.
inline QList<QRect> visibleWindows()
{
    QList<QRect> windows;
    const QStringList ids = run(QStringLiteral("xdotool"),
                                {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                 QStringLiteral("--classname"), QStringLiteral("^halvoscope$")})
                                .split(u'\n', Qt::SkipEmptyParts);
    static const QRegularExpression position(QStringLiteral("Position: (-?\\d+),(-?\\d+)"));
    static const QRegularExpression size(QStringLiteral("Geometry: (\\d+)x(\\d+)"));
    for (const QString &id : ids) {
        const QString text = run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), id});
        const auto p = position.match(text);
        const auto s = size.match(text);
        if (p.hasMatch() && s.hasMatch())
            windows.append(QRect(p.captured(1).toInt(), p.captured(2).toInt(),
                                 s.captured(1).toInt(), s.captured(2).toInt()));
    }
    return windows;
}

// Whether a ripple's full-screen window is up; the icon and popover are small.
inline bool rippleShown()
{
    const QList<QRect> windows = visibleWindows();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QRect &w) { return w.width() >= 1000; });
}

// The ramps once a transition is over: no ripple window, and two reads apart
// agree. During a refracted ripple the ramps are neutral under its window and
// a fade changes them every tick, so neither is a result to compare. Empty
// when nothing settles within 15 s.
inline Ramp settledRamp(const GammaReader &gamma)
{
    Ramp previous;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 15000) {
        if (!rippleShown()) {
            const Ramp now = gamma.read();
            if (!previous.red.isEmpty() && now == previous)
                return now;
            previous = now;
        } else {
            previous = {};
        }
        QTest::qWait(400);
    }
    return {};
}

// A launched instance that never outlives its test, whatever fails.
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

// The environment the application runs with: its whole profile (settings,
// state file, caches) inside home.
inline QProcessEnvironment appEnvironment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    // The app is judged by its behaviour and exit status. At exit, caches
    // inside system libraries (Mesa's driver, Qt Quick's textures) are
    // still allocated; a leak check would turn them into a failing status.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    return env;
}

// The state file the application saved in home's profile; empty when there is none.
inline QJsonObject savedState(const QString &home)
{
    QFile file(home + QStringLiteral("/data/Halvoscope/state.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// A profile whose first-run guide is already done, so no onboarding window
// opens over the desktop the test drives.
inline void seedFinishedOnboarding(const QString &home)
{
    const QString folder = home + QStringLiteral("/data/Halvoscope");
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/state.json"));
    if (file.open(QIODevice::WriteOnly))
        file.write("{\"hasCompletedOnboarding\": true}\n");
}

} // namespace E2E
