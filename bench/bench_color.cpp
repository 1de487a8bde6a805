// How long applyColor takes for a changed colour until the X server has
// handled it, on the CTM path and on the gamma path, and for an equal colour.
#include "latencysamples.h"
#include "engines/displaycolorengine.h"
#include "platform/x11/xrandrcolorstage.h"

#include <QCoreApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdio>

namespace {

constexpr int rounds = 400;

// Stands for a KMS driver exposing CTM (identity), or for one without it.
void prepareDisplay(Display *display, bool withCtm)
{
    const Atom ctm = XInternAtom(display, "CTM", False);
    for (int screen = 0; screen < ScreenCount(display); ++screen) {
        XRRScreenResources *resources = XRRGetScreenResourcesCurrent(display, RootWindow(display, screen));
        if (!resources)
            continue;
        for (int i = 0; i < resources->noutput; ++i) {
            const long identity[18] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1};
            if (withCtm) {
                XRRChangeOutputProperty(display, resources->outputs[i], ctm, XA_INTEGER, 32, PropModeReplace,
                                        reinterpret_cast<const unsigned char *>(identity), 18);
            } else {
                XRRDeleteOutputProperty(display, resources->outputs[i], ctm);
            }
        }
        for (int i = 0; i < resources->ncrtc; ++i) {
            const int size = XRRGetCrtcGammaSize(display, resources->crtcs[i]);
            if (size <= 1)
                continue;
            XRRCrtcGamma *ramp = XRRAllocGamma(size);
            for (int j = 0; j < size; ++j)
                ramp->red[j] = ramp->green[j] = ramp->blue[j] = quint16(65535.0 * j / (size - 1) + 0.5);
            XRRSetCrtcGamma(display, resources->crtcs[i], ramp);
            XRRFreeGamma(ramp);
        }
        XRRFreeScreenResources(resources);
    }
    XSync(display, False);
}

void run(Display *display, bool withCtm)
{
    prepareDisplay(display, withCtm);
    auto owned = std::make_unique<XRandrColorStage>();
    XRandrColorStage *stage = owned.get();
    DisplayColorEngine engine(std::move(owned));
    engine.applyColor(3400, 90);
    stage->sync();
    if (engine.usingGammaFallback() == withCtm) {
        std::printf("unexpected path: gamma fallback %d\n", engine.usingGammaFallback());
        return;
    }

    const char *path = withCtm ? "CTM path" : "gamma path";
    char label[128];
    std::snprintf(label, sizeof label, "applyColor, changed colour, %s, XSync after", path);
    LatencySamples::report(label, LatencySamples::measure(rounds, [&](int i) {
        engine.applyColor(i % 2 ? 2700 : 1800, 90);
        stage->sync();
    }));
    std::snprintf(label, sizeof label, "applyColor, equal colour, %s", path);
    LatencySamples::report(label, LatencySamples::measure(rounds, [&](int) { engine.applyColor(1800, 90); }));
    std::snprintf(label, sizeof label, "applyColor, equal colour, %s, XSync after", path);
    LatencySamples::report(label, LatencySamples::measure(rounds, [&](int) {
        engine.applyColor(1800, 90);
        stage->sync();
    }));
    engine.reset();
    stage->sync();
}

// Deleting a CTM that is not there is a harmless BadName.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    XSetErrorHandler(ignoreErrors);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::printf("bench_color: no X display\n");
        return 1;
    }
    run(display, true);
    run(display, false);
    prepareDisplay(display, false);
    XCloseDisplay(display);
    return 0;
}
