#pragma once

#include "core/rippletransitioning.h"
#include "ripple/screencapturesource.h"
#include "ripple/ripplesurface.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DisplayColorEngine;

// Animates a colour change as a water ripple spreading from one point over
// every screen in 3 seconds.
//
// Refract path: every screen is captured (the colour stage acts at scan-out,
// so captures never contain it), and an opaque window per screen shows the
// picture through the refract program, old grading outside the ring and new
// inside. While those windows cover the screens the colour engine's stage is
// hidden, so the programs do all the grading. Both hand-overs follow frames
// on the screen: the stage is hidden once every window has swapped its first
// frame, and when the last window has swapped its final frame the windows go
// and then the target is applied. A window that shows no frame within
// firstFrameDeadline, or cannot show its picture, ends the transition as if
// it had run to its end.
//
// Tier-1 path (no refraction, a failed capture, no OpenGL): this colour stage
// cannot reveal inside a circle, so the colour is faded towards every target,
// eased over 3 seconds, under translucent crest windows where a compositing
// manager can show them. The fade writes one frame per refresh of the fastest
// screen, the first at once; in-between colours are not rounded to the
// presets' steps. A write that takes longer than a refresh (a gamma or matrix
// write can cost the server a vertical blank per CRTC) makes the fade skip
// whole refreshes rather than let writes pile up.
//
// In-compositor path: where the colour stage is a filter the compositor
// draws, the compositor runs the whole ripple (or the reveal without
// refraction) on the live screen; the target is applied when its time is up.
//
// Main thread only. Holds the colour engine weakly.
class RippleTransitionEngine : public QObject, public RippleTransitioning {
    Q_OBJECT

public:
    enum class State { Idle,
                       Capturing,
                       Rippling,
                       Finishing,
                       Tier1,
                       InCompositor };
    Q_ENUM(State)

    static constexpr double duration = 3.0;
    static constexpr std::chrono::milliseconds firstFrameDeadline{1000};

    using Clock = std::function<double()>;

    // What the engine takes from its surroundings. An empty clock or screen
    // list gets the monotonic clock and QGuiApplication's screens; without a
    // capture nothing can be captured (every transition fades). Without
    // surfaces it makes OpenGL windows that are translucent where
    // `compositorRunning` says so and wait for `syncDisplay` when taken down.
    struct Platform {
        Clock clock;
        std::function<QList<RippleScreen>()> screens;
        std::shared_ptr<ScreenCaptureSource> capture;
        std::shared_ptr<RippleSurfaceFactory> surfaces;
        std::function<bool()> compositorRunning;
        std::function<void()> syncDisplay;
    };

    struct Colour {
        qint64 temperature = 6500;
        qint64 saturation = 100;

        bool operator==(const Colour &) const = default;
    };
    // A fade's in-between colour, off the presets' steps.
    struct FadeColour {
        double temperature = 6500.0;
        double saturation = 100.0;
    };

    explicit RippleTransitionEngine(std::weak_ptr<DisplayColorEngine> colorEngine, Platform platform = {},
                                    QObject *parent = nullptr);
    ~RippleTransitionEngine() override;

    bool hasScreenCaptureAccess() const override;
    void requestScreenCaptureAccess() override;
    bool canRequestScreenCaptureAccess() const override { return false; }
    void warmUpCapture(std::function<void()> done = {}) override;
    // Where refraction could be asked for: probes OpenGL on a thread of its
    // own (a transition asked meanwhile waits for that probe) and, once, makes
    // a capture of the largest screen, so the first ripple's is as quick as
    // any later one.
    void prepare() override;
    void runTransition(qint64 fromTemperature, qint64 fromSaturation, qint64 toTemperature, qint64 toSaturation,
                       bool useRefraction, QPointF origin, std::function<void()> applyTarget,
                       std::function<void()> completion) override;
    void cancelTransition() override;

    State state() const { return m_state; }
    // Whether a transition asking for refraction would get it.
    bool refractAvailable() const;

    // The tier-1 colour at progress t (0…1), eased with t²(3 − 2t).
    static FadeColour fadeColour(Colour from, Colour to, double t);
    // How many refreshes one fade frame spans when a write takes
    // `writeSeconds`: 1 while it fits in a refresh.
    static int framesPerWrite(double writeSeconds, double framePeriod);
    // Of the running or last fade: seconds per refresh, and refreshes per
    // write as the last write's duration asked for.
    double tier1FramePeriod() const { return m_tier1FramePeriod; }
    int tier1FramesPerWrite() const { return m_tier1FramesPerWrite; }
    // The uniforms of one screen's window: white points of both ends and the
    // origin and aspect of that screen. With `withoutSaturation` both ends
    // are graded at 100 %, as the gamma path shows them.
    static RippleUniforms uniformsFor(const RippleScreen &screen, QPointF origin, Colour from, Colour to,
                                      bool withoutSaturation);
    static QList<RippleScreen> applicationScreens();
    static double monotonicSeconds();

Q_SIGNALS:
    void stateChanged(RippleTransitionEngine::State state);

private:
    struct Transition {
        Colour from;
        Colour to;
        QPointF origin;
        std::function<void()> applyTarget;
        std::function<void()> completion;
        bool withoutSaturation = false;
        QList<RippleScreen> screens;
        QList<QImage> pictures;
        int windowsRunning = 0;
        int windowsWithoutFrame = 0;
        double tier1Start = 0.0;
        int tier1Frames = 0;
        double tier1PreviousWrite = -1.0;
    };

    std::shared_ptr<DisplayColorEngine> colorEngine() const;
    void setState(State state);
    bool gradesWithoutSaturation(Colour to) const;

    void captureNextScreen(quint64 generation);
    void showRefractWindows(quint64 generation);
    void refractFirstFrameShown(quint64 generation);
    void refractWindowFinished(quint64 generation);
    void finishRefract(quint64 generation);
    bool startInCompositor(bool useRefraction);
    void finishInCompositor();
    void startTier1();
    void tier1Tick();
    void scheduleTier1Tick(double shownElapsed, double writeStart, double written);
    void closeWindows();

    std::weak_ptr<DisplayColorEngine> m_colorEngine;
    Platform m_platform;
    std::vector<std::unique_ptr<RippleSurface>> m_activeWindows;
    QTimer m_tier1Timer;
    QTimer m_compositorTimer;
    QTimer m_firstFrameTimer;
    std::optional<Transition> m_transition;
    // Every cancel and every new transition moves it on; a pending step
    // whose number is no longer current does nothing.
    quint64 m_generation = 0;
    State m_state = State::Idle;
    double m_tier1FramePeriod = 1.0 / 60.0;
    int m_tier1FramesPerWrite = 1;
    bool m_captureSizedUp = false;
    // Whether the colour engine last showed a non-neutral colour through its
    // gamma ramps; unknown until it has shown one.
};
