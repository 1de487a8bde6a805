#pragma once

#include <QPointF>
#include <QtGlobal>

#include <functional>

// What the store (and the settings and onboarding pages) need from the engine
// that animates a colour change. Main thread only.
class RippleTransitioning {
public:
    virtual ~RippleTransitioning() = default;

    // Whether screen capture is permitted.
    virtual bool hasScreenCaptureAccess() const = 0;

    // Asks the system for screen-capture permission and opens its settings,
    // where the platform has any.
    virtual void requestScreenCaptureAccess() = 0;

    // Whether asking can change anything: false where access is either given
    // or impossible (no screen capture in the session, nothing to ask). The
    // pages then offer no request and say that changes fade instead.
    virtual bool canRequestScreenCaptureAccess() const = 0;

    // Asynchronous: when permitted, makes one tiny capture so that the capture
    // path is ready. Failures are swallowed. `done` (if given) runs once on the
    // main thread when the warm-up is over, whatever its outcome.
    virtual void warmUpCapture(std::function<void()> done = {}) = 0;

    // A transition is likely soon (the user is about to pick a preset):
    // starts, off the main thread, whatever the first one would otherwise
    // wait for. Returns at once; doing nothing is always correct.
    virtual void prepare() {}

    // Cancels any running transition, then animates from the first colour to
    // the second starting at `origin` (global screen coordinates, origin top
    // left, y downward). Calls applyTarget exactly once, when the target colour
    // must take over for real, then completion exactly once at the end; both
    // on the main thread.
    virtual void runTransition(qint64 fromTemperature, qint64 fromSaturation,
                               qint64 toTemperature, qint64 toSaturation,
                               bool useRefraction, QPointF origin,
                               std::function<void()> applyTarget,
                               std::function<void()> completion) = 0;

    // Stops a running transition at once; its closures are never called and
    // the colour engine's stage is visible again afterwards.
    virtual void cancelTransition() = 0;
};
