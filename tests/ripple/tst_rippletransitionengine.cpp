#include "core/colormath.h"
#include "engines/displaycolorengine.h"
#include "platform/x11/x11screencapture.h"
#include "platform/x11/xrandrcolorstage.h"
#include "ripple/rippleframetiming.h"
#include "ripple/rippletransitionengine.h"
#include "ripple/ripplewindowfactory.h"
#include "stderrcapture.h"
#include "xrandrprobe.h"

#include <QElapsedTimer>
#include <QTemporaryFile>
#include <QTest>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

using Pipeline = RippleRenderer::Pipeline;
using State = RippleTransitionEngine::State;

class RecordingSurfaceFactory;

// Stands in for a GL window: it keeps what it was built with and runs the
// same frame clock; the test swaps its frames by hand, and it tells the
// engine about them as a window would (first frame, final frame, failure).
class RecordingSurface : public RippleSurface {
public:
    RecordingSurface(RecordingSurfaceFactory *factory, RippleSurfaceSetup setup);
    ~RecordingSurface() override;

    void present() override { presented = true; }
    void takeDown() override;
    void frame()
    {
        if (takenDown)
            return;
        const RippleFrameTiming::Frame f = timing.frameAt(setup.clock());
        lastFrameTime = f.time;
        const bool first = ++framesSwapped == 1;
        // Copies: either call may destroy this window.
        const auto firstFrame = setup.onFirstFrame;
        const auto finished = f.finishesNow ? setup.onFinished : std::function<void()>();
        if (first && firstFrame)
            firstFrame();
        if (finished)
            finished();
    }
    void fail()
    {
        const auto failed = setup.onFailed;
        if (failed)
            failed();
    }

    RecordingSurfaceFactory *factory;
    RippleSurfaceSetup setup;
    RippleFrameTiming timing;
    bool presented = false;
    bool takenDown = false;
    int framesSwapped = 0;
    float lastFrameTime = -1.0f;
};

class RecordingSurfaceFactory : public RippleSurfaceFactory {
public:
    bool hasPipeline(Pipeline pipeline) const override { return pipeline == Pipeline::Refract ? refract : crest; }
    bool showsTranslucentWindows() const override { return translucent; }
    std::unique_ptr<RippleSurface> create(RippleSurfaceSetup setup) override
    {
        if (setup.screen.name == refused)
            return nullptr;
        ++created;
        return std::make_unique<RecordingSurface>(this, std::move(setup));
    }

    // One frame on every window still open, as their timers would draw them.
    void frameAll()
    {
        const QList<RecordingSurface *> windows = live;
        for (RecordingSurface *window : windows) {
            if (live.contains(window))
                window->frame();
        }
    }

    bool refract = true;
    bool crest = true;
    bool translucent = false;
    int created = 0;
    QList<RecordingSurface *> live;
    QStringList *events = nullptr;
    QString refused; // the screen no window can be made for
};

RecordingSurface::RecordingSurface(RecordingSurfaceFactory *f, RippleSurfaceSetup s)
    : factory(f)
    , setup(std::move(s))
    , timing(setup.clock(), RippleTransitionEngine::duration)
{
    factory->live.append(this);
}

RecordingSurface::~RecordingSurface()
{
    factory->live.removeOne(this);
}

void RecordingSurface::takeDown()
{
    takenDown = true;
    if (factory->events)
        factory->events->append(QStringLiteral("down ") + setup.screen.name);
}

// The X server's pictures, with a hook that runs while a capture is under way.
class HookedCapture : public ScreenCaptureSource {
public:
    bool hasAccess() const override { return access; }
    bool isAvailable() const override { return x11.isAvailable(); }
    Result capture(const QRect &rect) override
    {
        const int index = captures++;
        rects.append(rect);
        if (during)
            during(index);
        return x11.capture(rect);
    }

    X11ScreenCapture x11;
    bool access = true;
    int captures = 0;
    QList<QRect> rects;
    std::function<void(int)> during;
};

const QString fallbackPrefix = QStringLiteral("Halvo ScreenCaptureKit screenshot fallback: ");

} // namespace

Q_DECLARE_METATYPE(RippleScreen)

// The engine's states and timing against a real colour engine on Xvfb and
// real X captures; only the GL windows are replaced, by windows that run the
// same frame clock but are drawn by the test.
class TestRippleTransitionEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void framesPerSecond_data();
    void framesPerSecond();
    void frameTimingFinishesOnce();

    void refractHidesStageThenAppliesAfterLastWindow_data();
    void refractHidesStageThenAppliesAfterLastWindow();
    void cancelDuringCapture_data();
    void cancelDuringCapture();
    void cancelWhileRippling();
    void cancelInsideApplyTarget();
    void firstFrameDeadline_data();
    void firstFrameDeadline();
    void screenWithoutWindowGivesTier1();
    void runTransitionWhileRunning_data();
    void runTransitionWhileRunning();
    void captureFailureFallsBackOnce();
    void refractUnavailableGivesTier1WithoutCapture_data();
    void refractUnavailableGivesTier1WithoutCapture();
    void tier1CrestWindowsOnlyWithCompositor_data();
    void tier1CrestWindowsOnlyWithCompositor();
    void fadeColour_data();
    void fadeColour();
    void tier1FadesThroughColourEngine_data();
    void tier1FadesThroughColourEngine();
    void tier1LowersRateForSlowWrites_data();
    void tier1LowersRateForSlowWrites();
    void uniformsPerScreen_data();
    void uniformsPerScreen();
    void gammaStageGradesWithoutSaturation_data();
    void gammaStageGradesWithoutSaturation();
    void warmUpCaptureIsQueued();
    void cancelWhenIdleOnlyUnhides();

private:
    void makeEngine();
    void run(RippleTransitionEngine::Colour from, RippleTransitionEngine::Colour to, bool refraction,
             QPointF origin = {1200, 12});
    std::function<void()> applyTarget(RippleTransitionEngine::Colour to, const QString &tag = {});
    std::function<void()> completion(const QString &tag = {});
    void advanceTo(double seconds);

    double m_now = 100.0;
    // Every reading of the injected clock comes this much later than the one
    // before: what a write costs, as the engine sees it.
    double m_clockStep = 0.0;
    QList<RippleScreen> m_screens;
    std::shared_ptr<HookedCapture> m_capture;
    std::shared_ptr<RecordingSurfaceFactory> m_factory;
    std::shared_ptr<DisplayColorEngine> m_colour;
    std::unique_ptr<RippleTransitionEngine> m_engine;
    std::unique_ptr<XRandrProbe> m_probe;
    QStringList m_events;
    bool m_hiddenAtApply = true;
};

void TestRippleTransitionEngine::init()
{
    m_now = 100.0;
    m_clockStep = 0.0;
    m_screens = {{QStringLiteral("screen"), QRect(0, 0, 1280, 800), 1.0, 60.0}};
    m_capture = std::make_shared<HookedCapture>();
    QVERIFY2(m_capture->isAvailable(), "needs an X server");
    m_factory = std::make_shared<RecordingSurfaceFactory>();
    m_factory->events = &m_events;
    m_probe = std::make_unique<XRandrProbe>();
    for (const XRandrProbe::Head &head : m_probe->heads())
        m_probe->deleteCtm(head);
    m_probe->sync();
    m_colour = std::make_shared<DisplayColorEngine>(std::make_unique<XRandrColorStage>());
    m_events.clear();
    m_hiddenAtApply = true;
    makeEngine();
}

void TestRippleTransitionEngine::cleanup()
{
    m_engine.reset();
    if (m_colour)
        m_colour->reset();
    m_colour.reset();
    m_factory.reset();
    m_capture.reset();
    if (m_probe) {
        for (const XRandrProbe::Head &head : m_probe->heads())
            m_probe->deleteCtm(head);
        m_probe->sync();
    }
    m_probe.reset();
}

void TestRippleTransitionEngine::makeEngine()
{
    RippleTransitionEngine::Platform platform;
    platform.clock = [this] { return std::exchange(m_now, m_now + m_clockStep); };
    platform.screens = [this] { return m_screens; };
    platform.capture = m_capture;
    platform.surfaces = m_factory;
    m_engine = std::make_unique<RippleTransitionEngine>(m_colour, std::move(platform));
}

std::function<void()> TestRippleTransitionEngine::applyTarget(RippleTransitionEngine::Colour to, const QString &tag)
{
    // What the store does: the target colour for real.
    return [this, to, tag] {
        m_events.append(QStringLiteral("apply") + tag);
        m_hiddenAtApply = m_colour->overlaysTemporarilyHidden();
        m_colour->applyColor(to.temperature, to.saturation);
    };
}

std::function<void()> TestRippleTransitionEngine::completion(const QString &tag)
{
    return [this, tag] { m_events.append(QStringLiteral("complete") + tag); };
}

void TestRippleTransitionEngine::run(RippleTransitionEngine::Colour from, RippleTransitionEngine::Colour to,
                                     bool refraction, QPointF origin)
{
    m_engine->runTransition(from.temperature, from.saturation, to.temperature, to.saturation, refraction, origin,
                            applyTarget(to), completion());
}

void TestRippleTransitionEngine::advanceTo(double seconds)
{
    m_now = 100.0 + seconds;
}

void TestRippleTransitionEngine::framesPerSecond_data()
{
    QTest::addColumn<qreal>("refreshRate");
    QTest::addColumn<int>("expected");
    QTest::newRow("30 Hz") << qreal(30) << 60;
    QTest::newRow("59.94 Hz") << qreal(59.94) << 60;
    QTest::newRow("60 Hz") << qreal(60) << 60;
    QTest::newRow("75 Hz") << qreal(75) << 75;
    QTest::newRow("143.9 Hz") << qreal(143.9) << 144;
    QTest::newRow("unknown (0)") << qreal(0) << 60;
    QTest::newRow("not a number") << std::numeric_limits<qreal>::quiet_NaN() << 60;
}

void TestRippleTransitionEngine::framesPerSecond()
{
    QFETCH(qreal, refreshRate);
    QFETCH(int, expected);
    QCOMPARE(RippleFrameTiming::framesPerSecond(refreshRate), expected);
}

void TestRippleTransitionEngine::frameTimingFinishesOnce()
{
    RippleFrameTiming timing(10.0, 3.0);
    QCOMPARE(timing.frameAt(10.0).time, 0.0f);
    const RippleFrameTiming::Frame before = timing.frameAt(12.999);
    QVERIFY(!before.finishesNow);
    QVERIFY(std::fabs(before.time - 2.999f) < 1e-4f);
    const RippleFrameTiming::Frame end = timing.frameAt(13.5);
    QVERIFY(end.finishesNow);
    QCOMPARE(end.time, 3.0f);
    QVERIFY(timing.isFinished());
    const RippleFrameTiming::Frame later = timing.frameAt(20.0);
    QVERIFY(!later.finishesNow);
    QCOMPARE(later.time, 3.0f);
}

// Rows: which of the two screens' windows swaps its first frame, and its
// final frame, first.
void TestRippleTransitionEngine::refractHidesStageThenAppliesAfterLastWindow_data()
{
    QTest::addColumn<int>("first");
    QTest::newRow("left screen first") << 0;
    QTest::newRow("right screen first") << 1;
}

void TestRippleTransitionEngine::refractHidesStageThenAppliesAfterLastWindow()
{
    QFETCH(int, first);
    const int second = 1 - first;
    m_screens = {{QStringLiteral("left"), QRect(0, 0, 640, 800), 1.0, 60.0},
                 {QStringLiteral("right"), QRect(640, 0, 640, 800), 1.0, 60.0}};
    m_colour->applyColor(3000, 100);

    run({3000, 100}, {1800, 100}, true);
    QCOMPARE(m_engine->state(), State::Capturing);
    QCOMPARE(m_capture->captures, 0);
    QTRY_COMPARE(m_engine->state(), State::Rippling);
    QCOMPARE(m_capture->rects, (QList<QRect>{QRect(0, 0, 640, 800), QRect(640, 0, 640, 800)}));
    QCOMPARE(m_factory->live.size(), 2);
    for (const RecordingSurface *window : std::as_const(m_factory->live)) {
        QVERIFY(window->presented);
        QVERIFY(window->setup.opaque);
        QCOMPARE(window->setup.pipeline, Pipeline::Refract);
        QCOMPARE(window->setup.picture.size(), QSize(640, 800));
        QCOMPARE(window->setup.uniforms.duration, 3.0f);
    }
    // The stage stays until every window has a frame on the screen, however
    // long that takes.
    QTest::qWait(50);
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    m_factory->live[first]->frame();
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    m_factory->live[second]->frame();
    QVERIFY(m_colour->overlaysTemporarilyHidden());

    advanceTo(2.99);
    m_factory->frameAll();
    QCOMPARE(m_engine->state(), State::Rippling);

    advanceTo(3.0);
    m_factory->live[first]->frame();
    QVERIFY(m_factory->live[first]->timing.isFinished());
    QCOMPARE(m_engine->state(), State::Rippling);
    QVERIFY(m_events.isEmpty());
    QVERIFY(m_colour->overlaysTemporarilyHidden());

    // Both windows go before the target; it reaches the stage only as the
    // stage comes back.
    advanceTo(3.4);
    m_factory->live[second]->frame();
    QCOMPARE(m_events, (QStringList{QStringLiteral("down left"), QStringLiteral("down right"),
                                    QStringLiteral("apply"), QStringLiteral("complete")}));
    QVERIFY(m_hiddenAtApply);
    QCOMPARE(m_engine->state(), State::Idle);
    QCOMPARE(m_colour->currentTemperature(), qint64(1800));
    QVERIFY(m_colour->usingGammaFallback());
    QVERIFY(m_factory->live.isEmpty());
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
}

// Rows: when the cancel arrives while the pictures are being taken.
void TestRippleTransitionEngine::cancelDuringCapture_data()
{
    QTest::addColumn<int>("cancelInCapture"); // -1: before the first capture runs
    QTest::addColumn<int>("expectedCaptures");
    QTest::newRow("before the first capture") << -1 << 0;
    QTest::newRow("inside the first capture") << 0 << 1;
    QTest::newRow("inside the last capture") << 1 << 2;
}

void TestRippleTransitionEngine::cancelDuringCapture()
{
    QFETCH(int, cancelInCapture);
    QFETCH(int, expectedCaptures);
    m_screens = {{QStringLiteral("left"), QRect(0, 0, 640, 800), 1.0, 60.0},
                 {QStringLiteral("right"), QRect(640, 0, 640, 800), 1.0, 60.0}};
    m_capture->during = [this, cancelInCapture](int index) {
        if (index == cancelInCapture)
            m_engine->cancelTransition();
    };
    m_colour->applyColor(2500, 80);

    run({2500, 80}, {6500, 100}, true);
    QCOMPARE(m_engine->state(), State::Capturing);
    if (cancelInCapture < 0)
        m_engine->cancelTransition();

    QTRY_COMPARE(m_capture->captures, expectedCaptures);
    QCOMPARE(m_engine->state(), State::Idle);
    advanceTo(5.0);
    QTest::qWait(100);
    QCOMPARE(m_capture->captures, expectedCaptures);
    QCOMPARE(m_factory->created, 0);
    QVERIFY(m_events.isEmpty());
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    QCOMPARE(m_colour->currentTemperature(), qint64(2500));
}

void TestRippleTransitionEngine::cancelWhileRippling()
{
    m_colour->applyColor(4000, 60);
    run({4000, 60}, {1000, 100}, true);
    QTRY_COMPARE(m_engine->state(), State::Rippling);
    m_factory->frameAll();
    QVERIFY(m_colour->overlaysTemporarilyHidden());
    advanceTo(1.5);
    m_factory->frameAll();

    m_engine->cancelTransition();
    QCOMPARE(m_engine->state(), State::Idle);
    QVERIFY(m_factory->live.isEmpty());
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    QCOMPARE(m_colour->currentTemperature(), qint64(4000));

    advanceTo(4.0);
    QTest::qWait(100);
    QVERIFY(m_events.isEmpty());
    QCOMPARE(m_colour->currentTemperature(), qint64(4000));
}

// The store cancels from inside its own step (a preset picked without
// animation): no completion, the stage back, nothing left on the screen.
void TestRippleTransitionEngine::cancelInsideApplyTarget()
{
    m_colour->applyColor(4000, 60);
    m_engine->runTransition(
        4000, 60, 1000, 100, true, {100, 100},
        [this] {
            m_events.append(QStringLiteral("apply"));
            QCOMPARE(m_engine->state(), State::Finishing);
            m_engine->cancelTransition();
            m_colour->applyColor(2000, 100);
        },
        completion());
    QTRY_COMPARE(m_engine->state(), State::Rippling);
    advanceTo(3.2);
    m_factory->frameAll();

    QCOMPARE(m_engine->state(), State::Idle);
    QCOMPARE(m_events, (QStringList{QStringLiteral("down screen"), QStringLiteral("apply")}));
    QVERIFY(m_factory->live.isEmpty());
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    QCOMPARE(m_colour->currentTemperature(), qint64(2000));
    QVERIFY(m_colour->usingGammaFallback());
}

// Rows: what the two windows do after they were put on the screen. A window
// without a first frame within the deadline, or one that cannot show its
// picture, ends the transition as if it had run to its end.
void TestRippleTransitionEngine::firstFrameDeadline_data()
{
    QTest::addColumn<QList<bool>>("swapsFirstFrame");
    QTest::addColumn<int>("failing"); // -1: none
    QTest::addColumn<bool>("ends");
    QTest::newRow("neither window swaps a frame") << QList<bool>{false, false} << -1 << true;
    QTest::newRow("one of two never swaps") << QList<bool>{true, false} << -1 << true;
    QTest::newRow("one cannot show its picture") << QList<bool>{true, false} << 1 << true;
    QTest::newRow("both swap: the deadline passes unused") << QList<bool>{true, true} << -1 << false;
}

void TestRippleTransitionEngine::firstFrameDeadline()
{
    QFETCH(QList<bool>, swapsFirstFrame);
    QFETCH(int, failing);
    QFETCH(bool, ends);
    m_screens = {{QStringLiteral("left"), QRect(0, 0, 640, 800), 1.0, 60.0},
                 {QStringLiteral("right"), QRect(640, 0, 640, 800), 1.0, 60.0}};
    m_colour->applyColor(5000, 100);
    QElapsedTimer presented;
    connect(m_engine.get(), &RippleTransitionEngine::stateChanged, this, [&presented](State state) {
        if (state == State::Rippling)
            presented.start();
    });
    run({5000, 100}, {2000, 100}, true);
    QTRY_COMPARE(m_engine->state(), State::Rippling);
    for (int i = 0; i < 2; ++i) {
        if (swapsFirstFrame[i])
            m_factory->live[i]->frame();
    }
    if (failing >= 0)
        m_factory->live[failing]->fail();
    QCOMPARE(m_colour->overlaysTemporarilyHidden(), !ends);

    // Generous where it must end; twice the deadline where it must not.
    const int deadline = int(RippleTransitionEngine::firstFrameDeadline.count());
    const bool ended = QTest::qWaitFor([this] { return m_engine->state() == State::Idle; }, ends ? 5000 : 2 * deadline);
    QCOMPARE(ended, ends);
    if (!ends) {
        QCOMPARE(m_engine->state(), State::Rippling);
        QVERIFY(m_colour->overlaysTemporarilyHidden());
        QVERIFY(m_events.isEmpty());
        return;
    }
    // A failure ends it at once; silence only at the deadline.
    if (failing >= 0)
        QVERIFY(presented.elapsed() < deadline);
    else
        QVERIFY(presented.elapsed() >= deadline - 50);
    QCOMPARE(m_events, (QStringList{QStringLiteral("down left"), QStringLiteral("down right"),
                                    QStringLiteral("apply"), QStringLiteral("complete")}));
    QVERIFY(!m_hiddenAtApply);
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    QCOMPARE(m_colour->currentTemperature(), qint64(2000));
    QVERIFY(m_colour->usingGammaFallback());
    QVERIFY(m_factory->live.isEmpty());
}

// The stage is hidden for all screens at once, so one screen without a
// window would show its desktop ungraded: the fade runs instead.
void TestRippleTransitionEngine::screenWithoutWindowGivesTier1()
{
    m_screens = {{QStringLiteral("left"), QRect(0, 0, 640, 800), 1.0, 60.0},
                 {QStringLiteral("right"), QRect(640, 0, 640, 800), 1.0, 60.0}};
    m_factory->refused = QStringLiteral("right");
    m_colour->applyColor(5000, 100);
    run({5000, 100}, {2000, 100}, true);
    QTRY_COMPARE(m_engine->state(), State::Tier1);
    QCOMPARE(m_capture->captures, 2);
    QVERIFY(m_factory->live.isEmpty());
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    advanceTo(3.0);
    QTRY_COMPARE(m_engine->state(), State::Idle);
    QCOMPARE(m_events, (QStringList{QStringLiteral("apply"), QStringLiteral("complete")}));
    QCOMPARE(m_colour->currentTemperature(), qint64(2000));
}

// Rows: the state the first transition is in when the second one starts.
void TestRippleTransitionEngine::runTransitionWhileRunning_data()
{
    QTest::addColumn<bool>("firstRefracts");
    QTest::addColumn<State>("interruptIn");
    QTest::newRow("capturing") << true << State::Capturing;
    QTest::newRow("rippling") << true << State::Rippling;
    QTest::newRow("tier-1") << false << State::Tier1;
}

void TestRippleTransitionEngine::runTransitionWhileRunning()
{
    QFETCH(bool, firstRefracts);
    QFETCH(State, interruptIn);
    const RippleTransitionEngine::Colour first{1800, 90};
    m_engine->runTransition(6500, 100, first.temperature, first.saturation, firstRefracts, {100, 100},
                            applyTarget(first, QStringLiteral("-first")), completion(QStringLiteral("-first")));
    if (interruptIn != State::Capturing && interruptIn != State::Tier1)
        QTRY_COMPARE(m_engine->state(), State::Rippling);
    if (interruptIn == State::Rippling) {
        m_factory->frameAll();
        QVERIFY(m_colour->overlaysTemporarilyHidden());
    }
    if (interruptIn == State::Tier1) {
        advanceTo(1.0);
        QTRY_VERIFY(m_colour->shownTemperature() < 6000.0);
    }
    QCOMPARE(m_engine->state(), interruptIn);
    const QStringList before = m_events;

    // The second starts from wherever the store says it is; it does not refract.
    const RippleTransitionEngine::Colour second{3000, 100};
    const double start = m_now - 100.0;
    m_engine->runTransition(6500, 100, second.temperature, second.saturation, false, {100, 100},
                            applyTarget(second, QStringLiteral("-second")), completion(QStringLiteral("-second")));
    QCOMPARE(m_engine->state(), State::Tier1);
    QVERIFY(m_factory->live.isEmpty());
    QVERIFY(!m_colour->overlaysTemporarilyHidden());

    advanceTo(start + 3.0);
    QTRY_COMPARE(m_engine->state(), State::Idle);
    m_factory->frameAll();
    QTest::qWait(80);
    QCOMPARE(m_events, before + (QStringList{QStringLiteral("apply-second"), QStringLiteral("complete-second")}));
    QVERIFY(!m_events.contains(QStringLiteral("complete-first")));
    QCOMPARE(m_colour->currentTemperature(), qint64(3000));
}

void TestRippleTransitionEngine::captureFailureFallsBackOnce()
{
    // The second screen claims to lie beyond the root window: the X server
    // refuses that capture.
    m_screens = {{QStringLiteral("inside"), QRect(0, 0, 1280, 800), 1.0, 60.0},
                 {QStringLiteral("beyond"), QRect(1280, 0, 1280, 800), 1.0, 60.0}};
    m_factory->translucent = true;
    const QPointF origin(1250, 10);

    StderrCapture stderrLines;
    run({6500, 100}, {2000, 50}, true, origin);
    QTRY_COMPARE(m_engine->state(), State::Tier1);
    const QStringList lines = stderrLines.take();

    QCOMPARE(m_capture->captures, 2);
    QStringList fallbackLines;
    for (const QString &line : lines) {
        if (line.contains(QLatin1String("Halvo ")))
            fallbackLines.append(line);
    }
    QCOMPARE(fallbackLines.size(), 1);
    QVERIFY2(fallbackLines.first().startsWith(fallbackPrefix), qPrintable(fallbackLines.first()));
    QVERIFY2(fallbackLines.first().contains(QLatin1String("outside the 1280x800 root window")),
             qPrintable(fallbackLines.first()));

    // Tier-1 with the same origin and colours: crest windows on both screens.
    QCOMPARE(m_factory->live.size(), 2);
    for (RecordingSurface *window : std::as_const(m_factory->live)) {
        QCOMPARE(window->setup.pipeline, Pipeline::CrestOverlay);
        QVERIFY(!window->setup.opaque);
        QVERIFY(window->setup.picture.isNull());
        const RippleUniforms expected = RippleTransitionEngine::uniformsFor(window->setup.screen, origin, {6500, 100}, {2000, 50}, false);
        QCOMPARE(window->setup.uniforms.origin[0], expected.origin[0]);
        QCOMPARE(window->setup.uniforms.origin[1], expected.origin[1]);
        QCOMPARE(window->setup.uniforms.toWhite[0], expected.toWhite[0]);
        QCOMPARE(window->setup.uniforms.toWhite[2], expected.toWhite[2]);
    }
    advanceTo(3.0);
    QTRY_COMPARE(m_engine->state(), State::Idle);
    QCOMPARE(m_events, (QStringList{QStringLiteral("apply"), QStringLiteral("complete")}));
    QCOMPARE(m_colour->currentTemperature(), qint64(2000));
    QCOMPARE(m_colour->currentSaturation(), qint64(50));
    QVERIFY(m_factory->live.isEmpty());
}

// Rows: why refraction cannot run; never a capture, never a log line.
void TestRippleTransitionEngine::refractUnavailableGivesTier1WithoutCapture_data()
{
    QTest::addColumn<bool>("realWindowFactory"); // under QCoreApplication it finds no OpenGL
    QTest::addColumn<bool>("access");
    QTest::addColumn<bool>("refraction");
    QTest::newRow("no OpenGL") << true << true << true;
    QTest::newRow("no capture permission") << false << false << true;
    QTest::newRow("refraction switched off") << false << true << false;
}

void TestRippleTransitionEngine::refractUnavailableGivesTier1WithoutCapture()
{
    QFETCH(bool, realWindowFactory);
    QFETCH(bool, access);
    QFETCH(bool, refraction);
    m_capture->access = access;
    std::shared_ptr<RippleWindowFactory> realFactory;
    if (realWindowFactory) {
        realFactory = std::make_shared<RippleWindowFactory>([] { return true; });
        QVERIFY(!realFactory->hasPipeline(Pipeline::Refract));
        QVERIFY(!realFactory->hasPipeline(Pipeline::CrestOverlay));
        RippleTransitionEngine::Platform platform;
        platform.clock = [this] { return m_now; };
        platform.screens = [this] { return m_screens; };
        platform.capture = m_capture;
        platform.surfaces = realFactory;
        m_engine = std::make_unique<RippleTransitionEngine>(m_colour, std::move(platform));
    }

    StderrCapture stderrLines;
    run({6500, 100}, {1000, 100}, refraction);
    QCOMPARE(m_engine->state(), State::Tier1);
    QCOMPARE(m_engine->refractAvailable(), !realWindowFactory && access);
    advanceTo(3.0);
    QTRY_COMPARE(m_engine->state(), State::Idle);
    QCOMPARE(m_capture->captures, 0);
    QVERIFY(!stderrLines.take().join(QLatin1Char('\n')).contains(fallbackPrefix));
    QCOMPARE(m_events, (QStringList{QStringLiteral("apply"), QStringLiteral("complete")}));
}

void TestRippleTransitionEngine::tier1CrestWindowsOnlyWithCompositor_data()
{
    QTest::addColumn<bool>("compositor");
    QTest::addColumn<bool>("crestProgram");
    QTest::addColumn<int>("windows");
    QTest::newRow("compositing manager") << true << true << 2;
    QTest::newRow("no compositing manager") << false << true << 0;
    QTest::newRow("crest program missing") << true << false << 0;
}

void TestRippleTransitionEngine::tier1CrestWindowsOnlyWithCompositor()
{
    QFETCH(bool, compositor);
    QFETCH(bool, crestProgram);
    QFETCH(int, windows);
    m_screens = {{QStringLiteral("left"), QRect(0, 0, 640, 800), 1.0, 60.0},
                 {QStringLiteral("right"), QRect(640, 0, 640, 800), 1.0, 144.0}};
    m_factory->translucent = compositor;
    m_factory->crest = crestProgram;

    run({6500, 100}, {2700, 100}, false);
    QCOMPARE(m_factory->live.size(), windows);
    for (const RecordingSurface *window : std::as_const(m_factory->live))
        QVERIFY(window->presented);
    advanceTo(3.0);
    QTRY_COMPARE(m_engine->state(), State::Idle);
    QVERIFY(m_factory->live.isEmpty());
    QCOMPARE(m_events, (QStringList{QStringLiteral("apply"), QStringLiteral("complete")}));
}

void TestRippleTransitionEngine::fadeColour_data()
{
    QTest::addColumn<qint64>("fromTemperature");
    QTest::addColumn<qint64>("fromSaturation");
    QTest::addColumn<qint64>("toTemperature");
    QTest::addColumn<qint64>("toSaturation");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("saturation");
    QTest::newRow("start") << qint64(6500) << qint64(100) << qint64(1000) << qint64(100) << 0.0 << 6500.0 << 100.0;
    QTest::newRow("half way, e = 1/2") << qint64(6500) << qint64(100) << qint64(1000) << qint64(100) << 0.5
                                       << 3750.0 << 100.0;
    QTest::newRow("end") << qint64(6500) << qint64(100) << qint64(1000) << qint64(100) << 1.0 << 1000.0 << 100.0;
    // e(1/4) = 0.15625: 4000 + 390.625, 50 + 7.8125, neither rounded.
    QTest::newRow("quarter, eased") << qint64(4000) << qint64(50) << qint64(6500) << qint64(100) << 0.25
                                    << 4390.625 << 57.8125;
    QTest::newRow("downward quarter") << qint64(6500) << qint64(100) << qint64(4000) << qint64(50) << 0.25
                                      << 6109.375 << 92.1875;
    QTest::newRow("before the start") << qint64(2000) << qint64(0) << qint64(6500) << qint64(200) << -0.5
                                      << 2000.0 << 0.0;
    QTest::newRow("after the end") << qint64(2000) << qint64(0) << qint64(6500) << qint64(200) << 1.5
                                   << 6500.0 << 200.0;
}

void TestRippleTransitionEngine::fadeColour()
{
    QFETCH(qint64, fromTemperature);
    QFETCH(qint64, fromSaturation);
    QFETCH(qint64, toTemperature);
    QFETCH(qint64, toSaturation);
    QFETCH(double, t);
    QFETCH(double, temperature);
    QFETCH(double, saturation);
    const RippleTransitionEngine::FadeColour colour = RippleTransitionEngine::fadeColour({fromTemperature, fromSaturation}, {toTemperature, toSaturation}, t);
    QCOMPARE(colour.temperature, temperature);
    QCOMPARE(colour.saturation, saturation);
}

// The fade as the screen gets it: the first frame with the request, then
// in-between colours off the 100 K and 5 % steps, on the Xvfb ramps as well.
void TestRippleTransitionEngine::tier1FadesThroughColourEngine_data()
{
    QTest::addColumn<qint64>("fromTemperature");
    QTest::addColumn<qint64>("fromSaturation");
    QTest::addColumn<qint64>("toTemperature");
    QTest::addColumn<qint64>("toSaturation");
    QTest::addColumn<double>("at");
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("saturation");
    // e(1/4) = 0.15625.
    QTest::newRow("towards red, a quarter in") << qint64(6500) << qint64(100) << qint64(1000) << qint64(100)
                                               << 0.75 << 5640.625 << 100.0;
    QTest::newRow("towards neutral, half way") << qint64(1000) << qint64(100) << qint64(6500) << qint64(100)
                                               << 1.5 << 3750.0 << 100.0;
    QTest::newRow("saturation only") << qint64(6500) << qint64(100) << qint64(6500) << qint64(0) << 0.75
                                     << 6500.0 << 84.375;
}

void TestRippleTransitionEngine::tier1FadesThroughColourEngine()
{
    QFETCH(qint64, fromTemperature);
    QFETCH(qint64, fromSaturation);
    QFETCH(qint64, toTemperature);
    QFETCH(qint64, toSaturation);
    QFETCH(double, at);
    QFETCH(double, temperature);
    QFETCH(double, saturation);
    m_colour->applyColor(fromTemperature, fromSaturation);

    run({fromTemperature, fromSaturation}, {toTemperature, toSaturation}, false);
    // Already on the screen, before the event loop has run once.
    QVERIFY(m_colour->shownTemperature() != double(fromTemperature)
            || m_colour->shownSaturation() != double(fromSaturation));
    QCOMPARE(m_colour->currentTemperature(), fromTemperature);

    advanceTo(at);
    QTRY_VERIFY(qFuzzyCompare(m_colour->shownTemperature(), temperature)
                && qFuzzyCompare(m_colour->shownSaturation(), saturation));
    const XRandrProbe::Head head = m_probe->heads().constFirst();
    const GammaRamp shown = m_probe->gamma(head);
    const WhitePoint white = ColorMath::whitePointAt(temperature);
    QCOMPARE(shown, GammaRamp::linear(shown.size()).scaled(white.r, white.g, white.b));
    QVERIFY(m_events.isEmpty());
    QCOMPARE(m_engine->state(), State::Tier1);

    advanceTo(3.0);
    QTRY_COMPARE(m_engine->state(), State::Idle);
    QCOMPARE(m_events, (QStringList{QStringLiteral("apply"), QStringLiteral("complete")}));
    QCOMPARE(m_colour->currentTemperature(), toTemperature);
    QCOMPARE(m_colour->currentSaturation(), toSaturation);
    QCOMPARE(m_colour->shownTemperature(), double(toTemperature));
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
}

// A write that takes longer than a refresh of the fastest screen makes the
// fade skip whole refreshes; the fade still ends with its target.
void TestRippleTransitionEngine::tier1LowersRateForSlowWrites_data()
{
    QTest::addColumn<double>("writeSeconds");
    QTest::addColumn<qreal>("refreshRate");
    QTest::addColumn<int>("framesPerWrite");
    QTest::newRow("10 ms at 60 Hz") << 0.010 << qreal(60) << 1;
    QTest::newRow("20 ms at 60 Hz") << 0.020 << qreal(60) << 2;
    QTest::newRow("40 ms at 60 Hz") << 0.040 << qreal(60) << 3;
    QTest::newRow("10 ms at 144 Hz") << 0.010 << qreal(144) << 2;
}

void TestRippleTransitionEngine::tier1LowersRateForSlowWrites()
{
    QFETCH(double, writeSeconds);
    QFETCH(qreal, refreshRate);
    QFETCH(int, framesPerWrite);
    m_screens = {{QStringLiteral("screen"), QRect(0, 0, 1280, 800), 1.0, refreshRate}};
    m_clockStep = writeSeconds;
    run({6500, 100}, {3000, 100}, false);
    QCOMPARE(m_engine->tier1FramePeriod(), 1.0 / double(RippleFrameTiming::framesPerSecond(refreshRate)));
    QCOMPARE(m_engine->tier1FramesPerWrite(), framesPerWrite);
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->state(), State::Idle, 30000);
    QCOMPARE(m_events, (QStringList{QStringLiteral("apply"), QStringLiteral("complete")}));
    QCOMPARE(m_colour->currentTemperature(), qint64(3000));
}

// Rows: screen layouts, each with the origin on the first screen; the picture
// is taken at the screen's full pixel size.
void TestRippleTransitionEngine::uniformsPerScreen_data()
{
    QTest::addColumn<QList<RippleScreen>>("screens");
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<QList<QPointF>>("textureOrigins");
    QTest::addColumn<QList<float>>("aspects");
    QTest::addColumn<QList<QRect>>("captured");

    QTest::newRow("side by side")
        << QList<RippleScreen>{{QStringLiteral("a"), QRect(0, 0, 800, 400), 1.0, 60.0},
                               {QStringLiteral("b"), QRect(800, 0, 480, 800), 1.0, 60.0}}
        << QPointF(780, 10) << QList<QPointF>{{780.0 / 800, 10.0 / 400}, {-20.0 / 480, 10.0 / 800}}
        << QList<float>{2.0f, 0.6f} << QList<QRect>{QRect(0, 0, 800, 400), QRect(800, 0, 480, 800)};
    QTest::newRow("stacked, origin above the lower screen")
        << QList<RippleScreen>{{QStringLiteral("top"), QRect(0, 0, 1280, 400), 1.0, 60.0},
                               {QStringLiteral("bottom"), QRect(0, 400, 1280, 400), 1.0, 60.0}}
        << QPointF(1270, 12) << QList<QPointF>{{1270.0 / 1280, 12.0 / 400}, {1270.0 / 1280, -388.0 / 400}}
        << QList<float>{3.2f, 3.2f} << QList<QRect>{QRect(0, 0, 1280, 400), QRect(0, 400, 1280, 400)};
    QTest::newRow("scaled by 2")
        << QList<RippleScreen>{{QStringLiteral("hidpi"), QRect(0, 0, 640, 400), 2.0, 60.0}} << QPointF(320, 100)
        << QList<QPointF>{{0.5, 0.25}} << QList<float>{1.6f} << QList<QRect>{QRect(0, 0, 1280, 800)};
}

void TestRippleTransitionEngine::uniformsPerScreen()
{
    QFETCH(QList<RippleScreen>, screens);
    QFETCH(QPointF, origin);
    QFETCH(QList<QPointF>, textureOrigins);
    QFETCH(QList<float>, aspects);
    QFETCH(QList<QRect>, captured);
    m_screens = screens;

    run({6500, 100}, {1800, 40}, true, origin);
    QTRY_COMPARE(m_engine->state(), State::Rippling);
    QCOMPARE(m_capture->rects, captured);
    QCOMPARE(m_factory->live.size(), screens.size());
    const WhitePoint from = ColorMath::whitePoint(6500);
    const WhitePoint to = ColorMath::whitePoint(1800);
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const RecordingSurface *window = m_factory->live[i];
        const RippleUniforms &u = window->setup.uniforms;
        QCOMPARE(window->setup.screen.name, screens[i].name);
        QCOMPARE(window->setup.picture.size(), captured[i].size());
        QVERIFY(std::fabs(u.origin[0] - float(textureOrigins[i].x())) < 1e-6f);
        QVERIFY(std::fabs(u.origin[1] - float(textureOrigins[i].y())) < 1e-6f);
        QVERIFY(std::fabs(u.aspect - aspects[i]) < 1e-6f);
        QCOMPARE(u.time, 0.0f);
        QCOMPARE(u.duration, 3.0f);
        QCOMPARE(u.fromSaturation, 1.0f);
        // Xvfb's output has no colour matrix, so 1800 K lands on the gamma
        // ramps, which cannot show saturation: the ripple grades it at 100 %.
        QCOMPARE(u.toSaturation, 1.0f);
        QCOMPARE(u.fromWhite[0], from.r);
        QCOMPARE(u.toWhite[1], to.g);
        QCOMPARE(u.toWhite[2], to.b);
        QCOMPARE(u.toWhite[3], 1.0f);
    }
}

// Rows: the colour stage before the transition, and what the ripple grades
// with. Xvfb has no CTM unless the row makes one (as a KMS driver would).
void TestRippleTransitionEngine::gammaStageGradesWithoutSaturation_data()
{
    QTest::addColumn<bool>("ctm");
    QTest::addColumn<bool>("seenGammaBefore");
    QTest::addColumn<qint64>("fromTemperature");
    QTest::addColumn<qint64>("fromSaturation");
    QTest::addColumn<qint64>("toTemperature");
    QTest::addColumn<qint64>("toSaturation");
    QTest::addColumn<float>("fromFactor");
    QTest::addColumn<float>("toFactor");
    QTest::newRow("gamma, to another colour") << false << false << qint64(4000) << qint64(50) << qint64(3000)
                                              << qint64(0) << 1.0f << 1.0f;
    QTest::newRow("gamma, to neutral") << false << false << qint64(4000) << qint64(50) << qint64(6500)
                                       << qint64(100) << 1.0f << 1.0f;
    QTest::newRow("gamma seen before, from neutral") << false << true << qint64(6500) << qint64(100)
                                                     << qint64(3000) << qint64(0) << 1.0f << 1.0f;
    QTest::newRow("gamma, from neutral at start-up") << false << false << qint64(6500) << qint64(100)
                                                     << qint64(3000) << qint64(0) << 1.0f << 1.0f;
    QTest::newRow("matrix, to another colour") << true << false << qint64(4000) << qint64(50) << qint64(3000)
                                               << qint64(0) << 0.5f << 0.0f;
    QTest::newRow("matrix, from neutral") << true << false << qint64(6500) << qint64(100) << qint64(3000)
                                          << qint64(150) << 1.0f << 1.5f;
}

void TestRippleTransitionEngine::gammaStageGradesWithoutSaturation()
{
    QFETCH(bool, ctm);
    QFETCH(bool, seenGammaBefore);
    QFETCH(qint64, fromTemperature);
    QFETCH(qint64, fromSaturation);
    QFETCH(qint64, toTemperature);
    QFETCH(qint64, toSaturation);
    QFETCH(float, fromFactor);
    QFETCH(float, toFactor);
    if (ctm) {
        // A CTM as a KMS driver would expose it, there before the colour
        // engine starts.
        m_engine.reset();
        m_colour.reset();
        for (const XRandrProbe::Head &head : m_probe->heads())
            m_probe->setCtm(head, XRandrProbe::identityCtm());
        m_probe->sync();
        m_colour = std::make_shared<DisplayColorEngine>(std::make_unique<XRandrColorStage>());
        makeEngine();
    }
    if (seenGammaBefore) {
        m_colour->applyColor(2000, 100);
        QVERIFY(m_colour->usingGammaFallback());
        run({2000, 100}, {6500, 100}, false);
        advanceTo(3.0);
        QTRY_COMPARE(m_engine->state(), State::Idle);
        advanceTo(0.0);
        m_events.clear();
    }
    m_colour->applyColor(fromTemperature, fromSaturation);
    QCOMPARE(m_colour->usingGammaFallback(), !ctm && !ColorMath::isNeutral(fromTemperature, fromSaturation));

    run({fromTemperature, fromSaturation}, {toTemperature, toSaturation}, true);
    QTRY_COMPARE(m_engine->state(), State::Rippling);
    QCOMPARE(m_factory->live.size(), 1);
    const RippleUniforms &u = m_factory->live.first()->setup.uniforms;
    QCOMPARE(u.fromSaturation, fromFactor);
    QCOMPARE(u.toSaturation, toFactor);
    QCOMPARE(u.toWhite[0], ColorMath::whitePoint(toTemperature).r);

    // What the screen shows at the end agrees with the last frame's grading.
    advanceTo(3.0);
    m_factory->frameAll();
    QTRY_COMPARE(m_engine->state(), State::Idle);
    if (!ColorMath::isNeutral(toTemperature, toSaturation))
        QCOMPARE(m_colour->usingGammaFallback(), !ctm);
}

void TestRippleTransitionEngine::warmUpCaptureIsQueued()
{
    int done = 0;
    m_engine->warmUpCapture([&] { ++done; });
    QCOMPARE(done, 0);
    QCOMPARE(m_capture->captures, 0);
    QTRY_COMPARE(done, 1);
    QCOMPARE(m_capture->rects, QList<QRect>{QRect(0, 0, 16, 16)});

    // Without permission there is no capture, but the caller still hears back.
    m_capture->access = false;
    m_engine->warmUpCapture([&] { ++done; });
    QTRY_COMPARE(done, 2);
    QCOMPARE(m_capture->captures, 1);
    QVERIFY(m_engine->hasScreenCaptureAccess() == false);
}

void TestRippleTransitionEngine::cancelWhenIdleOnlyUnhides()
{
    m_colour->applyColor(3000, 100);
    m_colour->setOverlaysHidden(true);
    m_engine->cancelTransition();
    QCOMPARE(m_engine->state(), State::Idle);
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    QCOMPARE(m_colour->currentTemperature(), qint64(3000));
    QVERIFY(m_events.isEmpty());
    QCOMPARE(m_factory->created, 0);
}

QTEST_GUILESS_MAIN(TestRippleTransitionEngine)
#include "tst_rippletransitionengine.moc"
