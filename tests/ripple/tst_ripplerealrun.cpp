#include "core/colormath.h"
#include "engines/displaycolorengine.h"
#include "platform/platformfactory.h"
#include "platform/x11/x11screencapture.h"
#include "platform/x11/xrandrcolorstage.h"
#include "ripple/ripplereference.h"
#include "ripple/rippletransitionengine.h"
#include "ripple/ripplewindow.h"
#include "ripple/ripplewindowfactory.h"
#include "keepdriverloaded.h"
#include "rootpicture.h"

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScopeGuard>
#include <QTest>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>

#include <cmath>
#include <memory>

namespace {

using State = RippleTransitionEngine::State;

// A test card: colour bars, a checker and lettering, so that a displaced or
// regraded region is plain to see in a screenshot.
QImage testCard(QSize size)
{
    QImage card(size, QImage::Format_RGB32);
    QPainter painter(&card);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(30, 60, 120));
    sky.setColorAt(1, QColor(200, 220, 240));
    painter.fillRect(card.rect(), sky);
    const QColor bars[] = {Qt::white, Qt::yellow, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::blue};
    const int barWidth = size.width() / 7;
    for (int i = 0; i < 7; ++i)
        painter.fillRect(i * barWidth, size.height() / 2, barWidth, size.height() / 4, bars[i]);
    for (int y = 0; y < size.height() / 2; y += 40) {
        for (int x = (y / 40) % 2 * 40; x < size.width(); x += 80)
            painter.fillRect(x, y, 40, 40, QColor(240, 240, 240, 120));
    }
    QFont font;
    font.setPixelSize(size.height() / 8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, size.height() * 3 / 4, size.width(), size.height() / 4), Qt::AlignCenter,
                     QStringLiteral("HALVOSCOPE"));
    painter.end();
    return card;
}

QList<RippleWindow *> rippleWindows()
{
    QList<RippleWindow *> windows;
    const QList<QWindow *> all = QGuiApplication::topLevelWindows();
    for (QWindow *window : all) {
        if (auto *ripple = qobject_cast<RippleWindow *>(window))
            windows.append(ripple);
    }
    return windows;
}

// Everything Qt sent to the X server so far has been handled, so a capture
// through another connection sees the frame last swapped.
void syncQtConnection()
{
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        XSync(x11->display(), False);
}

RippleRGBA texel(const QImage &picture, int x, int y)
{
    const QRgb p = picture.pixel(x, y);
    return {float(qRed(p)) / 255.0f, float(qGreen(p)) / 255.0f, float(qBlue(p)) / 255.0f, 1.0f};
}

float channelDifference(QRgb actual, const RippleRGBA &expected)
{
    return std::max({std::fabs(float(qRed(actual)) / 255.0f - expected.r),
                     std::fabs(float(qGreen(actual)) / 255.0f - expected.g),
                     std::fabs(float(qBlue(actual)) / 255.0f - expected.b)});
}

RippleRGBA graded(const RippleRGBA &c, const float white[4], float saturation)
{
    const ColorRGB g = RippleReference::grade({c.r, c.g, c.b}, {white[0], white[1], white[2]}, saturation);
    return {g.r, g.g, g.b, 1.0f};
}

// The real XRandR stage, telling the test about every gamma write and restore
// as it happens.
class ObservedStage : public ColorStage {
public:
    explicit ObservedStage(std::function<void(const QString &)> observer)
        : m_observer(std::move(observer))
    {
    }

    bool isAvailable() const override { return m_stage.isAvailable(); }
    void refresh() override { m_stage.refresh(); }
    void invalidate() override { m_stage.invalidate(); }
    QStringList activeOutputs() const override { return m_stage.activeOutputs(); }
    bool hasMatrix(const QString &output) const override { return m_stage.hasMatrix(output); }
    QStringList gammaCrtcs() const override { return m_stage.gammaCrtcs(); }
    GammaRamp originalGamma(const QString &crtc) const override { return m_stage.originalGamma(crtc); }
    bool writeMatrix(const QString &output, const ColorMatrix3x3 &matrix) override
    {
        m_observer(QStringLiteral("matrix"));
        return m_stage.writeMatrix(output, matrix);
    }
    bool writeGamma(const QString &crtc, const GammaRamp &ramp) override
    {
        m_observer(QStringLiteral("gamma"));
        return m_stage.writeGamma(crtc, ramp);
    }
    bool matrixHolds(const QString &output, const ColorMatrix3x3 &matrix) override
    {
        return m_stage.matrixHolds(output, matrix);
    }
    bool gammaHolds(const QString &crtc, const GammaRamp &ramp) override { return m_stage.gammaHolds(crtc, ramp); }
    void restoreMatrices() override { m_stage.restoreMatrices(); }
    void restoreGamma() override
    {
        m_observer(QStringLiteral("restore"));
        m_stage.restoreGamma();
    }
    void forgetOriginals() override { m_stage.forgetOriginals(); }
    void setConfigurationChangedHandler(std::function<void()> handler) override
    {
        m_stage.setConfigurationChangedHandler(std::move(handler));
    }

private:
    XRandrColorStage m_stage;
    std::function<void(const QString &)> m_observer;
};

// Whether the X server has the window mapped, asked through a connection
// of its own, so only requests the server has handled count.
// The engine's parts as the application hands them over on this display.
RippleTransitionEngine::Platform sessionParts()
{
    const RippleAdapters adapters = createRippleAdapters();
    RippleTransitionEngine::Platform parts;
    parts.capture = adapters.capture;
    parts.compositorRunning = adapters.compositorRunning;
    parts.syncDisplay = adapters.syncDisplay;
    return parts;
}

bool mappedOnServer(Display *display, QWindow *window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, static_cast<::Window>(window->winId()), &attributes))
        return false;
    return attributes.map_state != IsUnmapped;
}

} // namespace

// The whole engine on a private Xvfb with openbox and Mesa: real capture of
// the root window, real OpenGL windows, the real colour engine on XRandR.
class TestRippleRealRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void refractRippleOverKnownPicture();
    void crestWindowsUnderCompositingManager();
    void stageFollowsSwappedFrames_data();
    void stageFollowsSwappedFrames();
    void windowWithoutItsPictureStaysOffScreen_data();
    void windowWithoutItsPictureStaysOffScreen();

private:
    void saveShot(const QImage &image, const QString &name);

    QImage m_picture;
    std::unique_ptr<X11ScreenCapture> m_capture;
    std::shared_ptr<DisplayColorEngine> m_colour;
    std::unique_ptr<RippleTransitionEngine> m_engine;
    QStringList m_events;
    QList<RippleWindow *> m_windows; // while a transition runs
};

void TestRippleRealRun::init()
{
    m_capture = std::make_unique<X11ScreenCapture>();
    QVERIFY2(m_capture->isAvailable(), "needs an X server");
    m_picture = testCard(m_capture->rootSize());
    QVERIFY(RootPicture::show(m_picture));
    m_colour = std::make_shared<DisplayColorEngine>(std::make_unique<XRandrColorStage>());
    m_engine = std::make_unique<RippleTransitionEngine>(m_colour, sessionParts());
    // Asking for refraction probes OpenGL, so Mesa's driver is loaded now.
    m_engine->refractAvailable();
    keepGraphicsDriverLoaded();
    m_events.clear();
}

void TestRippleRealRun::cleanup()
{
    m_windows.clear();
    m_engine.reset();
    if (m_colour)
        m_colour->reset();
    m_colour.reset();
    m_capture.reset();
}

// Screenshots go where HALVOSCOPE_SHOTS_DIR points, for a person to look at.
void TestRippleRealRun::saveShot(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("HALVOSCOPE_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY(image.save(dir + QLatin1Char('/') + name));
}

void TestRippleRealRun::refractRippleOverKnownPicture()
{
    QVERIFY2(m_engine->refractAvailable(), "needs OpenGL 3.3 (Mesa llvmpipe)");
    const QPointF origin(1180, 12);
    const RippleTransitionEngine::Colour to{1000, 100};
    m_engine->runTransition(
        6500, 100, to.temperature, to.saturation, true, origin,
        [this, to] {
            m_events.append(QStringLiteral("apply"));
            m_colour->applyColor(to.temperature, to.saturation);
        },
        [this] { m_events.append(QStringLiteral("complete")); });

    QTRY_COMPARE(m_engine->state(), State::Rippling);
    const QList<RippleWindow *> windows = rippleWindows();
    QCOMPARE(windows.size(), 1);
    RippleWindow *window = windows.first();
    QCOMPARE(window->geometry(), QRect(QPoint(0, 0), m_picture.size()));
    QVERIFY(window->flags().testFlag(Qt::WindowTransparentForInput));
    QVERIFY(window->flags().testFlag(Qt::BypassWindowManagerHint));
    QVERIFY(window->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window->flags().testFlag(Qt::Tool));
    QTRY_VERIFY(m_colour->overlaysTemporarilyHidden());

    // Mid-ripple: what the screen shows now.
    QTRY_VERIFY_WITH_TIMEOUT(window->lastFrameTime() >= 1.2f, 5000);
    QVERIFY(window->canDraw());
    syncQtConnection();
    const ScreenCaptureSource::Result onScreen = m_capture->capture(QRect(QPoint(0, 0), m_picture.size()));
    const float time = window->lastFrameTime();
    QVERIFY2(onScreen.ok(), qPrintable(onScreen.error));
    saveShot(m_picture, QStringLiteral("ripple-picture.png"));
    saveShot(onScreen.image, QStringLiteral("ripple-mid-refract.png"));

    RippleUniforms u = window->uniforms();
    u.time = time;
    const float progress = RippleReference::progress(u);
    const float front = progress * (RippleReference::largestRadius(u.origin[0], u.origin[1], u.aspect) + 0.30f);
    const QSize size = m_picture.size();
    int oldSettled = 0;
    int newSettled = 0;
    int moved = 0;
    for (int y = 2; y < size.height(); y += 9) {
        for (int x = 3; x < size.width(); x += 9) {
            const float dx = ((float(x) + 0.5f) / float(size.width()) - u.origin[0]) * u.aspect;
            const float dy = (float(y) + 0.5f) / float(size.height()) - u.origin[1];
            const float ring = std::hypot(dx, dy) - front;
            const QRgb shown = onScreen.image.pixel(x, y);
            if (ring > 0.35f) {
                // Far outside the ring: the picture as it was, undisplaced.
                const float diff = channelDifference(shown, graded(texel(m_picture, x, y), u.fromWhite, u.fromSaturation));
                QVERIFY2(diff <= 3.0f / 255.0f, qPrintable(QStringLiteral("old grading at %1,%2 off by %3").arg(x).arg(y).arg(diff)));
                ++oldSettled;
            } else if (ring < -0.35f) {
                const float diff = channelDifference(shown, graded(texel(m_picture, x, y), u.toWhite, u.toSaturation));
                QVERIFY2(diff <= 3.0f / 255.0f, qPrintable(QStringLiteral("new grading at %1,%2 off by %3").arg(x).arg(y).arg(diff)));
                ++newSettled;
            } else if (std::fabs(ring) < 0.1f) {
                const float diffOld = channelDifference(shown, graded(texel(m_picture, x, y), u.fromWhite, u.fromSaturation));
                const float diffNew = channelDifference(shown, graded(texel(m_picture, x, y), u.toWhite, u.toSaturation));
                if (std::min(diffOld, diffNew) > 0.08f)
                    ++moved;
            }
        }
    }
    QVERIFY2(oldSettled > 100 && newSettled > 100,
             qPrintable(QStringLiteral("t = %1: %2 old, %3 new").arg(time).arg(oldSettled).arg(newSettled)));
    // The wave visibly moves the picture around the ring.
    QVERIFY2(moved > 50, qPrintable(QStringLiteral("only %1 displaced samples").arg(moved)));
    QVERIFY(m_events.isEmpty());

    QTRY_COMPARE_WITH_TIMEOUT(m_engine->state(), State::Idle, 10000);
    QCOMPARE(m_events, (QStringList{QStringLiteral("apply"), QStringLiteral("complete")}));
    QVERIFY(rippleWindows().isEmpty());
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
    QCOMPARE(m_colour->currentTemperature(), qint64(1000));

    // Gone from the screen: the picture shows again, and the gamma ramps
    // that now carry the colour never reach a capture.
    const ScreenCaptureSource::Result after = m_capture->capture(QRect(QPoint(0, 0), m_picture.size()));
    QVERIFY(after.ok());
    QVERIFY(after.image == m_picture);
}

// With a compositing manager announced (this test owns its selection, as one
// would), tier-1 draws translucent crest windows over the fading colour.
void TestRippleRealRun::crestWindowsUnderCompositingManager()
{
    Display *display = XOpenDisplay(nullptr);
    QVERIFY(display);
    const Window owner = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, XInternAtom(display, "_NET_WM_CM_S0", False), owner, CurrentTime);
    XSync(display, False);
    QVERIFY(m_capture->compositingManagerRunning());

    m_engine->runTransition(
        6500, 100, 2000, 100, false, QPointF(640, 400),
        [this] {
            m_events.append(QStringLiteral("apply"));
            m_colour->applyColor(2000, 100);
        },
        [this] { m_events.append(QStringLiteral("complete")); });
    QCOMPARE(m_engine->state(), State::Tier1);
    const QList<RippleWindow *> windows = rippleWindows();
    QCOMPARE(windows.size(), 1);
    RippleWindow *window = windows.first();
    QCOMPARE(window->pipeline(), RippleRenderer::Pipeline::CrestOverlay);
    QVERIFY(window->format().alphaBufferSize() >= 8);

    QTRY_VERIFY_WITH_TIMEOUT(window->lastFrameTime() >= 1.0f, 5000);
    QVERIFY(window->canDraw());
    // Paced at the screen's 60 Hz, not as fast as llvmpipe can draw.
    QVERIFY2(window->framesDrawn() <= int(window->lastFrameTime() * 60.0f) + 15,
             qPrintable(QStringLiteral("%1 frames in %2 s").arg(window->framesDrawn()).arg(window->lastFrameTime())));
    const QImage frame = window->grabFramebuffer();
    RippleUniforms u = window->uniforms();
    u.time = window->lastFrameTime();
    saveShot(frame, QStringLiteral("ripple-crest-frame.png"));

    // The crest program's own alpha, compared where the ring is bright.
    int compared = 0;
    float largest = 0.0f;
    for (int y = 5; y < frame.height(); y += 11) {
        for (int x = 5; x < frame.width(); x += 11) {
            const RippleRGBA expected = RippleReference::crest((float(x) + 0.5f) / float(frame.width()),
                                                               (float(y) + 0.5f) / float(frame.height()), u);
            const float alpha = float(qAlpha(frame.pixel(x, y))) / 255.0f;
            largest = std::max(largest, std::fabs(alpha - expected.a));
            QVERIFY(alpha <= 0.35f + 2.0f / 255.0f);
            ++compared;
        }
    }
    QVERIFY(compared > 1000);
    QVERIFY2(largest <= 0.05f, qPrintable(QStringLiteral("crest alpha off by %1").arg(largest)));
    QVERIFY(m_colour->shownTemperature() < 6500.0);

    QTRY_COMPARE_WITH_TIMEOUT(m_engine->state(), State::Idle, 10000);
    QCOMPARE(m_events, (QStringList{QStringLiteral("apply"), QStringLiteral("complete")}));
    QVERIFY(rippleWindows().isEmpty());
    QCOMPARE(m_colour->currentTemperature(), qint64(2000));
    XDestroyWindow(display, owner);
    XCloseDisplay(display);
}

// Two real windows (each half of the root) hand the grading over to and from
// the gamma stage. Xvfb has no scan-out, so the order is what is checked:
// the stage steps aside only after both windows' first frames were swapped,
// and the target reaches it only once the windows' final frames were swapped
// and the server has unmapped them. Rows: OpenGL probed before, or the
// ripple asked for while the probe `prepare` started still runs.
void TestRippleRealRun::stageFollowsSwappedFrames_data()
{
    QTest::addColumn<bool>("prepared");
    QTest::newRow("probed before") << false;
    QTest::newRow("asked during the prepared probe") << true;
}

void TestRippleRealRun::stageFollowsSwappedFrames()
{
    QFETCH(bool, prepared);
    Display *display = XOpenDisplay(nullptr);
    QVERIFY(display);
    const auto closeDisplay = qScopeGuard([display] { XCloseDisplay(display); });

    m_engine.reset();
    m_colour.reset();
    m_colour = std::make_shared<DisplayColorEngine>(std::make_unique<ObservedStage>([this, display](const QString &event) {
        if (event == QLatin1String("restore") || !m_engine || m_engine->state() != State::Finishing) {
            m_events.append(event);
            return;
        }
        // A write while the windows go: what each showed last and whether it
        // is still on the screen.
        for (RippleWindow *window : std::as_const(m_windows)) {
            m_events.append(QStringLiteral("%1 over t=%2 %3")
                                .arg(event)
                                .arg(window->lastSwappedTime())
                                .arg(mappedOnServer(display, window) ? QStringLiteral("mapped")
                                                                     : QStringLiteral("unmapped")));
        }
    }));
    const QSize root = m_picture.size();
    RippleTransitionEngine::Platform platform = sessionParts();
    platform.screens = [root] {
        const int half = root.width() / 2;
        return QList<RippleScreen>{{QStringLiteral("left"), QRect(0, 0, half, root.height()), 1.0, 60.0},
                                   {QStringLiteral("right"), QRect(half, 0, root.width() - half, root.height()),
                                    1.0, 60.0}};
    };
    const auto surfaces = std::make_shared<RippleWindowFactory>(platform.compositorRunning, platform.syncDisplay);
    platform.surfaces = surfaces;
    m_engine = std::make_unique<RippleTransitionEngine>(m_colour, std::move(platform));
    if (!prepared)
        QVERIFY2(m_engine->refractAvailable(), "needs OpenGL 3.3 (Mesa llvmpipe)");
    m_colour->applyColor(3000, 100);
    QVERIFY(m_colour->usingGammaFallback());
    m_events.clear();

    // Connected before any frame can be drawn: the windows are shown in the
    // same step that enters Rippling.
    connect(m_engine.get(), &RippleTransitionEngine::stateChanged, this, [&](State state) {
        if (state != State::Rippling)
            return;
        m_windows = rippleWindows();
        for (RippleWindow *window : std::as_const(m_windows)) {
            // The window counts its own swap before this runs.
            connect(window, &QOpenGLWindow::frameSwapped, this, [this, window] {
                if (window->framesSwapped() == 1)
                    m_events.append(window->x() == 0 ? QStringLiteral("first frame left")
                                                     : QStringLiteral("first frame right"));
            });
        }
    });
    if (prepared) {
        m_engine->prepare();
        QVERIFY(surfaces->preparing());
    }
    m_engine->runTransition(
        3000, 100, 1000, 100, true, QPointF(root.width() / 2.0, 12),
        [this] {
            m_events.append(QStringLiteral("apply"));
            m_colour->applyColor(1000, 100);
        },
        [this] { m_events.append(QStringLiteral("complete")); });
    // The transition took the prepared probe's answer; none is running now.
    QCOMPARE(m_engine->state(), State::Capturing);
    QVERIFY(!surfaces->preparing());
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->state(), State::Idle, 15000);
    QCOMPARE(m_windows.size(), 2);
    m_windows.clear();
    QVERIFY(rippleWindows().isEmpty());

    QStringList firstFrames = m_events.mid(0, 2);
    firstFrames.sort();
    QCOMPARE(firstFrames, (QStringList{QStringLiteral("first frame left"), QStringLiteral("first frame right")}));
    QCOMPARE(m_events.mid(2), (QStringList{QStringLiteral("restore"), QStringLiteral("apply"),
                                           QStringLiteral("gamma over t=3 unmapped"),
                                           QStringLiteral("gamma over t=3 unmapped"), QStringLiteral("complete")}));
    QCOMPARE(m_colour->currentTemperature(), qint64(1000));
    QVERIFY(!m_colour->overlaysTemporarilyHidden());
}

// Rows: pictures a refract window cannot show. It reports the failure, never
// a frame, and leaves the screen as it was instead of covering it in black.
void TestRippleRealRun::windowWithoutItsPictureStaysOffScreen_data()
{
    QTest::addColumn<int>("width"); // 0: no picture at all; -1: one texel wider than the GPU takes
    QTest::newRow("no picture") << 0;
    QTest::newRow("wider than any texture") << -1;
}

void TestRippleRealRun::windowWithoutItsPictureStaysOffScreen()
{
    QFETCH(int, width);
    const RippleWindowFactory factory;
    QVERIFY2(factory.hasPipeline(RippleRenderer::Pipeline::Refract), "needs OpenGL 3.3 (Mesa llvmpipe)");
    Display *display = XOpenDisplay(nullptr);
    QVERIFY(display);
    const auto closeDisplay = qScopeGuard([display] { XCloseDisplay(display); });

    int firstFrames = 0;
    int failures = 0;
    RippleSurfaceSetup setup;
    setup.screen = {QStringLiteral("corner"), QRect(0, 0, 320, 200), 1.0, 60.0};
    setup.pipeline = RippleRenderer::Pipeline::Refract;
    if (width != 0)
        setup.picture = QImage(factory.maxTextureSize() + 1, 8, QImage::Format_RGB32);
    setup.uniforms = RippleTransitionEngine::uniformsFor(setup.screen, {10, 10}, {6500, 100}, {2000, 100}, false);
    setup.clock = &RippleTransitionEngine::monotonicSeconds;
    setup.onFirstFrame = [&firstFrames] { ++firstFrames; };
    setup.onFailed = [&failures] { ++failures; };
    RippleWindow window(std::move(setup), nullptr, &syncQtConnection);
    window.present();

    QTRY_COMPARE(failures, 1);
    QVERIFY(!window.isVisible());
    syncQtConnection();
    QVERIFY(!mappedOnServer(display, &window));
    const ScreenCaptureSource::Result shown = m_capture->capture(QRect(0, 0, 320, 200));
    QVERIFY2(shown.ok(), qPrintable(shown.error));
    QVERIFY(shown.image == m_picture.copy(0, 0, 320, 200));
    // Frames still queued when it failed are not announced.
    QCoreApplication::processEvents();
    QCOMPARE(firstFrames, 0);
    QCOMPARE(failures, 1);
}

QTEST_MAIN(TestRippleRealRun)
#include "tst_ripplerealrun.moc"
