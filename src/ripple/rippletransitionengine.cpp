#include "ripple/rippletransitionengine.h"

#include "core/colormath.h"
#include "core/heaptrim.h"
#include "core/systemlog.h"
#include "engines/displaycolorengine.h"
#include "ripple/rippleframetiming.h"
#include "ripple/ripplewindowfactory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

constexpr QSize warmUpSize{16, 16};

// The capture of a session that offers none.
class NoScreenCapture final : public ScreenCaptureSource {
public:
    bool hasAccess() const override { return false; }
    bool isAvailable() const override { return false; }
    Result capture(const QRect &) override
    {
        return {QImage(), QStringLiteral("this session offers no screen capture")};
    }
};

} // namespace

RippleTransitionEngine::RippleTransitionEngine(std::weak_ptr<DisplayColorEngine> colorEngine, Platform platform,
                                               QObject *parent)
    : QObject(parent)
    , m_colorEngine(std::move(colorEngine))
    , m_platform(std::move(platform))
{
    if (!m_platform.clock)
        m_platform.clock = &RippleTransitionEngine::monotonicSeconds;
    if (!m_platform.screens)
        m_platform.screens = &RippleTransitionEngine::applicationScreens;
    if (!m_platform.capture)
        m_platform.capture = std::make_shared<NoScreenCapture>();
    if (!m_platform.surfaces)
        m_platform.surfaces = std::make_shared<RippleWindowFactory>(m_platform.compositorRunning,
                                                                    m_platform.syncDisplay);

    m_tier1Timer.setTimerType(Qt::PreciseTimer);
    m_tier1Timer.setSingleShot(true);
    connect(&m_tier1Timer, &QTimer::timeout, this, &RippleTransitionEngine::tier1Tick);

    m_compositorTimer.setSingleShot(true);
    m_compositorTimer.setInterval(std::chrono::milliseconds(int(duration * 1000.0)));
    connect(&m_compositorTimer, &QTimer::timeout, this, &RippleTransitionEngine::finishInCompositor);

    m_firstFrameTimer.setSingleShot(true);
    m_firstFrameTimer.setInterval(firstFrameDeadline);
    connect(&m_firstFrameTimer, &QTimer::timeout, this, [this] { finishRefract(m_generation); });
}

RippleTransitionEngine::~RippleTransitionEngine()
{
    cancelTransition();
}

// A compositor that runs the ripple refracts the live screen: nothing to capture.
bool RippleTransitionEngine::hasScreenCaptureAccess() const
{
    const auto engine = colorEngine();
    return m_platform.capture->hasAccess() || (engine && engine->runsTransitions());
}

void RippleTransitionEngine::requestScreenCaptureAccess()
{
    // The sessions this runs in let every client read the screen: there is
    // nothing to ask for and no settings page to open.
}

void RippleTransitionEngine::warmUpCapture(std::function<void()> done)
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application)
        return;
    // Runs on the application, not the engine, so `done` comes even if the
    // engine goes first.
    QMetaObject::invokeMethod(
        application,
        [self = QPointer<RippleTransitionEngine>(this), done = std::move(done)] {
            if (self && self->hasScreenCaptureAccess() && self->m_platform.capture->isAvailable()) {
                const QList<RippleScreen> screens = self->m_platform.screens();
                if (!screens.isEmpty())
                    self->m_platform.capture->capture(QRect(screens.first().devicePixelRect().topLeft(), warmUpSize));
            }
            if (done)
                done();
        },
        Qt::QueuedConnection);
}

void RippleTransitionEngine::prepare()
{
    if (!m_platform.capture->hasAccess() || !m_platform.capture->isAvailable())
        return;
    m_platform.surfaces->prepare();
    if (m_captureSizedUp)
        return;
    m_captureSizedUp = true;
    // The first capture of a screen's size sets up the memory the server
    // writes into (some 30 ms at 1080p); later ones reuse it. Done once,
    // after the caller's event, with the largest screen.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_state != State::Idle)
                return;
            QRect largest;
            const QList<RippleScreen> screens = m_platform.screens();
            for (const RippleScreen &screen : screens) {
                const QRect rect = screen.devicePixelRect();
                if (qint64(rect.width()) * rect.height() > qint64(largest.width()) * largest.height())
                    largest = rect;
            }
            if (!largest.isEmpty())
                m_platform.capture->capture(largest);
        },
        Qt::QueuedConnection);
}

bool RippleTransitionEngine::refractAvailable() const
{
    return m_platform.capture->hasAccess() && m_platform.capture->isAvailable()
           && m_platform.surfaces->hasPipeline(RippleRenderer::Pipeline::Refract);
}

void RippleTransitionEngine::runTransition(qint64 fromTemperature, qint64 fromSaturation, qint64 toTemperature,
                                           qint64 toSaturation, bool useRefraction, QPointF origin,
                                           std::function<void()> applyTarget, std::function<void()> completion)
{
    cancelTransition();

    Transition transition;
    transition.from = {fromTemperature, fromSaturation};
    transition.to = {toTemperature, toSaturation};
    transition.origin = origin;
    transition.applyTarget = std::move(applyTarget);
    transition.completion = std::move(completion);
    transition.withoutSaturation = gradesWithoutSaturation(transition.to);
    m_transition = std::move(transition);

    if (startInCompositor(useRefraction))
        return;
    if (!useRefraction || !refractAvailable()) {
        startTier1();
        return;
    }

    // Captures run as queued steps, one screen each, so a cancel between the
    // request and the pictures is possible and is honoured.
    m_transition->screens = m_platform.screens();
    setState(State::Capturing);
    QMetaObject::invokeMethod(
        this, [this, generation = m_generation] { captureNextScreen(generation); }, Qt::QueuedConnection);
}

// A filter drawn by the compositor animates there, on the live screen, at
// the compositor's frame rate; this side only waits for the end.
bool RippleTransitionEngine::startInCompositor(bool useRefraction)
{
    const auto engine = colorEngine();
    const Transition &t = *m_transition;
    if (!engine || !engine->runsTransitions()
        || !engine->runTransition(t.from.temperature, t.from.saturation, t.to.temperature, t.to.saturation,
                                  t.origin, int(duration * 1000.0), useRefraction))
        return false;
    setState(State::InCompositor);
    m_compositorTimer.start();
    return true;
}

void RippleTransitionEngine::finishInCompositor()
{
    if (!m_transition || m_state != State::InCompositor)
        return;
    const quint64 generation = m_generation;
    const std::function<void()> applyTarget = std::exchange(m_transition->applyTarget, {});
    const std::function<void()> completion = std::exchange(m_transition->completion, {});
    if (applyTarget)
        applyTarget();
    if (generation != m_generation)
        return;
    m_transition.reset();
    setState(State::Idle);
    if (completion)
        completion();
}

void RippleTransitionEngine::cancelTransition()
{
    ++m_generation;
    m_compositorTimer.stop();
    m_tier1Timer.stop();
    m_firstFrameTimer.stop();
    closeWindows();
    // The closures may be running right now (one of them cancelling); they
    // were moved out before being called, so dropping these is safe.
    m_transition.reset();
    setState(State::Idle);
    if (const auto colour = colorEngine()) {
        colour->clearRevealMasks();
        colour->setOverlaysHidden(false);
    }
}

RippleTransitionEngine::FadeColour RippleTransitionEngine::fadeColour(Colour from, Colour to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const double eased = t * t * (3.0 - 2.0 * t);
    const auto mix = [eased](qint64 a, qint64 b) { return eased * double(b - a) + double(a); };
    return {mix(from.temperature, to.temperature), mix(from.saturation, to.saturation)};
}

int RippleTransitionEngine::framesPerWrite(double writeSeconds, double framePeriod)
{
    if (!(framePeriod > 0.0) || !(writeSeconds > framePeriod))
        return 1;
    return int(std::min(std::ceil(writeSeconds / framePeriod), 1000.0));
}

RippleUniforms RippleTransitionEngine::uniformsFor(const RippleScreen &screen, QPointF origin, Colour from, Colour to,
                                                   bool withoutSaturation)
{
    const qint64 neutral = ColorMath::neutralSaturation;
    RippleUniforms uniforms = RippleUniforms::forScreen(
        QRectF(screen.geometry), origin, from.temperature, withoutSaturation ? neutral : from.saturation,
        to.temperature, withoutSaturation ? neutral : to.saturation);
    uniforms.duration = float(duration);
    return uniforms;
}

QList<RippleScreen> RippleTransitionEngine::applicationScreens()
{
    QList<RippleScreen> list;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return list;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        list.append({screen->name(), screen->geometry(), screen->devicePixelRatio(), screen->refreshRate()});
    return list;
}

double RippleTransitionEngine::monotonicSeconds()
{
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return double(timer.nsecsElapsed()) / 1e9;
}

std::shared_ptr<DisplayColorEngine> RippleTransitionEngine::colorEngine() const
{
    return m_colorEngine.lock();
}

void RippleTransitionEngine::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

// Gamma ramps carry the temperature only. When both ends of the ripple are
// shown that way, grading them with saturation would make the first frame
// differ from the screen before and the last from the screen after. The
// colour engine tells whether its colour right now is on the ramps, and
// where a non-neutral target will go.
bool RippleTransitionEngine::gradesWithoutSaturation(Colour to) const
{
    const auto colour = colorEngine();
    if (!colour)
        return false;
    if (colour->usingGammaFallback())
        return true;
    // Otherwise the start shows no stage or the matrix stage; the end shows
    // the target on whichever stage the colour engine will pick for it.
    const bool targetNeutral = ColorMath::isNeutral(ColorMath::clampTemperature(to.temperature),
                                                    ColorMath::clampSaturation(to.saturation));
    return !targetNeutral && colour->wouldUseGammaFallback();
}

void RippleTransitionEngine::captureNextScreen(quint64 generation)
{
    if (generation != m_generation || !m_transition)
        return;
    const qsizetype index = m_transition->pictures.size();
    if (index < m_transition->screens.size()) {
        const ScreenCaptureSource::Result result = m_platform.capture->capture(m_transition->screens[index].devicePixelRect());
        if (!result.ok()) {
            logSystemLine(QStringLiteral("Halvo ScreenCaptureKit screenshot fallback: ") + result.error);
            if (generation == m_generation && m_transition)
                m_transition->pictures.clear();
            showRefractWindows(generation);
            return;
        }
        if (generation != m_generation || !m_transition)
            return;
        m_transition->pictures.append(result.image);
        QMetaObject::invokeMethod(
            this, [this, generation] { captureNextScreen(generation); }, Qt::QueuedConnection);
        return;
    }
    showRefractWindows(generation);
}

void RippleTransitionEngine::showRefractWindows(quint64 generation)
{
    // The one check after all captures: cancelled meanwhile, nothing shows.
    if (generation != m_generation || !m_transition)
        return;
    Transition &t = *m_transition;
    const QList<QImage> pictures = std::exchange(t.pictures, {});
    if (pictures.isEmpty()) {
        startTier1();
        return;
    }

    const auto self = QPointer<RippleTransitionEngine>(this);
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        RippleSurfaceSetup setup;
        setup.screen = t.screens[i];
        setup.pipeline = RippleRenderer::Pipeline::Refract;
        setup.picture = pictures[i];
        setup.uniforms = uniformsFor(setup.screen, t.origin, t.from, t.to, t.withoutSaturation);
        setup.opaque = true;
        setup.clock = m_platform.clock;
        setup.onFirstFrame = [self, generation] {
            if (self)
                self->refractFirstFrameShown(generation);
        };
        setup.onFinished = [self, generation] {
            if (self)
                self->refractWindowFinished(generation);
        };
        setup.onFailed = [self, generation] {
            if (self)
                self->finishRefract(generation);
        };
        std::unique_ptr<RippleSurface> window = m_platform.surfaces->create(std::move(setup));
        // The stage is hidden for every screen at once, so a screen without
        // a window would show its desktop ungraded for the whole ripple.
        if (!window) {
            closeWindows();
            startTier1();
            return;
        }
        m_activeWindows.push_back(std::move(window));
    }

    t.windowsRunning = int(m_activeWindows.size());
    t.windowsWithoutFrame = t.windowsRunning;
    setState(State::Rippling);
    m_firstFrameTimer.start();
    for (const auto &window : m_activeWindows)
        window->present();
}

void RippleTransitionEngine::refractFirstFrameShown(quint64 generation)
{
    if (generation != m_generation || !m_transition || m_state != State::Rippling)
        return;
    if (--m_transition->windowsWithoutFrame > 0)
        return;
    m_firstFrameTimer.stop();
    if (const auto colour = colorEngine())
        colour->setOverlaysHidden(true);
}

void RippleTransitionEngine::refractWindowFinished(quint64 generation)
{
    if (generation != m_generation || !m_transition || m_state != State::Rippling)
        return;
    if (--m_transition->windowsRunning > 0)
        return;
    finishRefract(generation);
}

// The server has unmapped the windows before the target is written: what they
// uncover is repainted by its owners after that, graded once; the other order
// grades the windows' last frame twice. The target goes in while the stage is
// still hidden, so the stage comes back with it, never with the old colour.
void RippleTransitionEngine::finishRefract(quint64 generation)
{
    if (generation != m_generation || !m_transition || m_state != State::Rippling)
        return;
    m_firstFrameTimer.stop();
    setState(State::Finishing);
    for (const auto &window : m_activeWindows)
        window->takeDown();

    const std::function<void()> applyTarget = std::exchange(m_transition->applyTarget, {});
    if (applyTarget)
        applyTarget();
    if (generation != m_generation || !m_transition)
        return;
    if (const auto colour = colorEngine())
        colour->setOverlaysHidden(false);

    const std::function<void()> completion = std::exchange(m_transition->completion, {});
    closeWindows();
    m_transition.reset();
    setState(State::Idle);
    if (completion)
        completion();
}

void RippleTransitionEngine::startTier1()
{
    Transition &t = *m_transition;
    t.tier1Start = m_platform.clock();
    t.tier1Frames = 0;
    setState(State::Tier1);

    qreal fastest = 0.0;
    const QList<RippleScreen> screens = m_platform.screens();
    for (const RippleScreen &screen : screens)
        fastest = std::max(fastest, screen.refreshRate);
    m_tier1FramePeriod = 1.0 / double(RippleFrameTiming::framesPerSecond(fastest));
    m_tier1FramesPerWrite = 1;

    // Translucent windows are opaque black without a compositing manager, so
    // the crest is drawn only where one runs (and OpenGL is looked at only then).
    if (m_platform.surfaces->showsTranslucentWindows()
        && m_platform.surfaces->hasPipeline(RippleRenderer::Pipeline::CrestOverlay)) {
        for (const RippleScreen &screen : screens) {
            RippleSurfaceSetup setup;
            setup.screen = screen;
            setup.pipeline = RippleRenderer::Pipeline::CrestOverlay;
            setup.uniforms = uniformsFor(screen, t.origin, t.from, t.to, t.withoutSaturation);
            setup.opaque = false;
            setup.clock = m_platform.clock;
            if (std::unique_ptr<RippleSurface> window = m_platform.surfaces->create(std::move(setup)))
                m_activeWindows.push_back(std::move(window));
        }
        for (const auto &window : m_activeWindows)
            window->present();
    }
    tier1Tick();
}

void RippleTransitionEngine::tier1Tick()
{
    if (!m_transition || m_state != State::Tier1) {
        m_tier1Timer.stop();
        return;
    }
    const double now = m_platform.clock();
    const double period = m_tier1FramePeriod;
    double elapsed = now - m_transition->tier1Start;
    // The first frame goes out with the request and is already one refresh
    // in: the fade's start is what the screen shows now.
    if (m_transition->tier1Frames++ == 0)
        elapsed = std::max(elapsed, period);
    const double t = std::clamp(elapsed / duration, 0.0, 1.0);
    const auto engine = colorEngine();
    // A desktop's night light runs its own transition: it gets the target once.
    const FadeColour colour = engine && !engine->followsEveryFrame()
                                  ? FadeColour{double(m_transition->to.temperature), double(m_transition->to.saturation)}
                                  : fadeColour(m_transition->from, m_transition->to, t);
    if (engine)
        engine->applyColorFrame(colour.temperature, colour.saturation);
    if (t < 1.0) {
        scheduleTier1Tick(elapsed, now, m_platform.clock());
        return;
    }

    m_tier1Timer.stop();
    if (engine)
        engine->clearRevealMasks();
    const quint64 generation = m_generation;
    const std::function<void()> applyTarget = std::exchange(m_transition->applyTarget, {});
    const std::function<void()> completion = std::exchange(m_transition->completion, {});
    if (applyTarget)
        applyTarget();
    if (generation != m_generation)
        return;
    closeWindows();
    m_transition.reset();
    setState(State::Idle);
    if (completion)
        completion();
}

// The next frame is the refresh boundary as many refreshes on as writes
// take, so slow writes lower the rate rather than queue up, and a late tick
// does not bunch the following ones. Two writes in a row must be slow: one
// alone may just have lost the processor for a moment.
void RippleTransitionEngine::scheduleTier1Tick(double shownElapsed, double writeStart, double written)
{
    const double period = m_tier1FramePeriod;
    const double write = written - writeStart;
    double &previous = m_transition->tier1PreviousWrite;
    m_tier1FramesPerWrite = framesPerWrite(previous < 0.0 ? write : std::min(write, previous), period);
    previous = write;
    const double next = std::floor(shownElapsed / period + 1e-9) + double(m_tier1FramesPerWrite);
    const double wait = std::clamp(m_transition->tier1Start + next * period - written, 0.0,
                                   double(m_tier1FramesPerWrite) * period);
    m_tier1Timer.start(int(std::ceil(wait * 1000.0)));
}

void RippleTransitionEngine::closeWindows()
{
    // Moved out first: a window's destructor must not find itself in the list.
    std::vector<std::unique_ptr<RippleSurface>> windows = std::move(m_activeWindows);
    m_activeWindows.clear();
    const bool hadWindows = !windows.empty();
    windows.clear();
    // The pictures and the renderer's buffers were freed into the C library's
    // heap, which keeps them (some 30 MB after a 1080p ripple); hand them back
    // once the current event is over.
    if (hadWindows)
        QTimer::singleShot(0, &returnFreeHeapToSystem);
}
