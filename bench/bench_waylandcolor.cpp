// How long applyColor takes for a changed colour until a Wayland compositor
// has taken the gamma tables, through the fake compositor of the tests (its
// own process, one output of 256 entries), and for an equal colour.
#include "engines/displaycolorengine.h"
#include "fakecompositorprocess.h"
#include "platform/wayland/waylandcolorstage.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int rounds = 400;

void report(const char *what, std::vector<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    const double median = static_cast<double>(samples[samples.size() / 2]) / 1000.0;
    const double p90 = static_cast<double>(samples[samples.size() * 9 / 10]) / 1000.0;
    std::printf("%-58s median %8.1f us   p90 %8.1f us   (n=%zu)\n", what, median, p90, samples.size());
}

std::vector<qint64> measure(const std::function<void(int)> &step)
{
    std::vector<qint64> samples;
    samples.reserve(rounds);
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        step(i);
        samples.push_back(timer.nsecsElapsed());
    }
    return samples;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FakeCompositorProcess compositor({QStringLiteral("--brief")});
    if (compositor.socket().isEmpty() || !compositor.command("add DP-1 256")) {
        std::printf("bench_waylandcolor: the fake compositor did not start\n");
        return 1;
    }
    auto owned = std::make_unique<WaylandColorStage>(compositor.socket());
    WaylandColorStage *stage = owned.get();
    DisplayColorEngine engine(std::move(owned));
    engine.applyColor(3400, 90);
    stage->sync();
    if (!compositor.waitUntil([&] { return compositor.count("gamma DP-1") == 1; })) {
        std::printf("bench_waylandcolor: no table reached the compositor\n");
        return 1;
    }

    report("applyColor, changed colour, compositor gamma, sync after", measure([&](int i) {
               engine.applyColor(i % 2 ? 2700 : 1800, 90);
               stage->sync();
           }));
    report("applyColor, equal colour, compositor gamma", measure([&](int) { engine.applyColor(1800, 90); }));
    // Every changed colour reached the compositor as one table file.
    compositor.waitUntil([&] { return compositor.count("gamma DP-1") == 1 + rounds; });
    std::printf("tables received: %d of %d\n", compositor.count("gamma DP-1") - 1, rounds);
    engine.reset();
    stage->sync();
    return 0;
}
