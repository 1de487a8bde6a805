// How long applyColor takes for a changed colour until a Wayland compositor
// has taken the gamma tables, through the fake compositor of the tests (its
// own process, one output of 256 entries), and for an equal colour.
#include "latencysamples.h"
#include "engines/displaycolorengine.h"
#include "fakecompositorprocess.h"
#include "platform/wayland/waylandcolorstage.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int rounds = 400;

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

    LatencySamples::report("applyColor, changed colour, compositor gamma, sync after",
                           LatencySamples::measure(rounds, [&](int i) {
                               engine.applyColor(i % 2 ? 2700 : 1800, 90);
                               stage->sync();
                           }));
    LatencySamples::report("applyColor, equal colour, compositor gamma",
                           LatencySamples::measure(rounds, [&](int) { engine.applyColor(1800, 90); }));
    // Every changed colour reached the compositor as one table file.
    compositor.waitUntil([&] { return compositor.count("gamma DP-1") == 1 + rounds; });
    std::printf("tables received: %d of %d\n", compositor.count("gamma DP-1") - 1, rounds);
    engine.reset();
    stage->sync();
    return 0;
}
