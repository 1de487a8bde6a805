// Animated preset changes without refraction, on the gamma path of the X
// server this runs on, through the real colour and ripple engines: how soon
// after the request the first changed ramp is written, how many distinct
// ramps a second the 3-s fade writes, and what one change without animation
// costs until the server has it.
#include "engines/displaycolorengine.h"
#include "platform/x11/xrandrcolorstage.h"
#include "ripple/rippletransitionengine.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int fades = 6;
constexpr int changes = 200;

struct Fade {
    double firstWriteMs = -1.0;
    double seconds = 0.0;
    quint64 writes = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

Fade runFade(DisplayColorEngine &colour, RippleTransitionEngine &ripple, const QString &crtc, qint64 from, qint64 to)
{
    colour.applyColor(from, 100);
    const quint64 before = colour.gammaGeneration(crtc);
    bool done = false;
    Fade fade;
    QElapsedTimer timer;
    timer.start();
    ripple.runTransition(from, 100, to, 100, false, QPointF(1200, 12), [&] { colour.applyColor(to, 100); },
                         [&] { done = true; });
    while (!done) {
        if (fade.firstWriteMs < 0.0 && colour.gammaGeneration(crtc) != before)
            fade.firstWriteMs = double(timer.nsecsElapsed()) / 1e6;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    fade.seconds = double(timer.nsecsElapsed()) / 1e9;
    fade.writes = colour.gammaGeneration(crtc) - before;
    return fade;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QString crtc;
    {
        XRandrColorStage probe;
        probe.refresh();
        if (!probe.isAvailable() || probe.gammaCrtcs().isEmpty()) {
            std::printf("bench_fade: no X server with a gamma ramp\n");
            return 1;
        }
        crtc = probe.gammaCrtcs().constFirst();
    }
    auto owned = std::make_unique<XRandrColorStage>();
    XRandrColorStage *stage = owned.get();
    auto colour = std::make_shared<DisplayColorEngine>(std::move(owned));
    RippleTransitionEngine ripple(colour);

    const QScreen *screen = QGuiApplication::primaryScreen();
    std::printf("fade on the gamma path, %d fades of 3 s between 6500 K and 2700 K, screen at %.0f Hz\n", fades,
                screen ? screen->refreshRate() : 0.0);
    std::vector<double> first, rates;
    for (int i = 0; i < fades; ++i) {
        const bool warming = i % 2 == 0;
        const Fade fade = runFade(*colour, ripple, crtc, warming ? 6500 : 2700, warming ? 2700 : 6500);
        first.push_back(fade.firstWriteMs);
        rates.push_back(double(fade.writes) / fade.seconds);
    }
    std::printf("  fade: first ramp write after the request   median %7.1f ms   worst %7.1f ms\n", median(first),
                *std::max_element(first.begin(), first.end()));
    std::printf("  fade: distinct ramps per second            median %7.1f      fewest %7.1f\n", median(rates),
                *std::min_element(rates.begin(), rates.end()));

    std::vector<double> change;
    QElapsedTimer timer;
    for (int i = 0; i < changes; ++i) {
        timer.start();
        colour->applyColor(i % 2 ? 2700 : 1800, 90);
        stage->sync();
        change.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("  change -> ramp, in process (until the server has it)   median %6.2f ms\n", median(change));
    colour->reset();
    stage->sync();
    return 0;
}
