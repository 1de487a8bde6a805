#include "ripple/ripplewindow.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>

namespace {

constexpr double rippleDuration = 3.0;

QSurfaceFormat rippleFormat(bool opaque)
{
    QSurfaceFormat format = RippleRenderer::requiredFormat();
    format.setAlphaBufferSize(opaque ? 0 : 8);
    format.setDepthBufferSize(0);
    format.setStencilBufferSize(0);
    return format;
}

} // namespace

RippleWindow::RippleWindow(RippleSurfaceSetup setup, QScreen *screen, std::function<void()> syncDisplay)
    // A refract frame differs from the one before only around the moving
    // ring, so its window keeps its frame between paints and redraws that
    // part; the crest window starts every frame from transparent.
    : QOpenGLWindow(setup.pipeline == RippleRenderer::Pipeline::Refract ? QOpenGLWindow::PartialUpdateBlit
                                                                        : QOpenGLWindow::NoPartialUpdate)
    , m_setup(std::move(setup))
    , m_syncDisplay(std::move(syncDisplay))
    , m_timing(m_setup.clock(), rippleDuration)
{
    setFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput
             | Qt::BypassWindowManagerHint | Qt::Tool);
    setFormat(rippleFormat(m_setup.opaque));
    if (screen)
        setScreen(screen);
    setGeometry(m_setup.screen.geometry);

    m_frameTimer.setTimerType(Qt::PreciseTimer);
    m_frameTimer.setInterval(1000 / RippleFrameTiming::framesPerSecond(m_setup.screen.refreshRate));
    connect(&m_frameTimer, &QTimer::timeout, this, [this] { update(); });
    connect(this, &QOpenGLWindow::frameSwapped, this, &RippleWindow::frameSwappedToScreen);
}

RippleWindow::~RippleWindow()
{
    m_frameTimer.stop();
    // The GL objects belong to this window's context, which must be current
    // to free them.
    if (context()) {
        makeCurrent();
        m_renderer.release();
        doneCurrent();
    }
}

void RippleWindow::present()
{
    // A refract window without a picture would only ever show black.
    if (m_setup.pipeline == RippleRenderer::Pipeline::Refract && m_setup.picture.isNull()) {
        fail();
        return;
    }
    show();
    raise();
    m_frameTimer.start();
}

void RippleWindow::takeDown()
{
    m_frameTimer.stop();
    m_takenDown = true;
    hide();
    if (m_syncDisplay)
        m_syncDisplay();
}

void RippleWindow::initializeGL()
{
    m_renderer.initialize();
    m_ready = m_renderer.hasPipeline(m_setup.pipeline);
    if (m_setup.pipeline == RippleRenderer::Pipeline::Refract)
        m_ready = m_ready && m_renderer.setPicture(m_setup.picture);
    // The texture holds the picture now; the copy in memory is not needed.
    m_setup.picture = QImage();
    // Unmapped here, the swap that follows this first paint never reaches
    // the screen, so the black it would show is never seen.
    if (!m_ready && m_setup.pipeline == RippleRenderer::Pipeline::Refract) {
        hide();
        fail();
    }
}

void RippleWindow::fail()
{
    if (m_failed || m_takenDown)
        return;
    m_failed = true;
    m_frameTimer.stop();
    notify(&RippleSurfaceSetup::onFailed);
}

// Queued: whoever listens may close this window. Nothing is heard from a
// window once it has been taken down.
void RippleWindow::notify(std::function<void()> RippleSurfaceSetup::*callback)
{
    QTimer::singleShot(0, this, [this, callback] {
        if (m_takenDown)
            return;
        const std::function<void()> call = m_setup.*callback;
        if (call)
            call();
    });
}

void RippleWindow::frameSwappedToScreen()
{
    if (m_failed || m_takenDown)
        return;
    m_lastSwappedTime = m_lastFrameTime;
    if (++m_framesSwapped == 1)
        notify(&RippleSurfaceSetup::onFirstFrame);
    if (m_finishDrawn) {
        m_finishDrawn = false;
        notify(&RippleSurfaceSetup::onFinished);
    }
}

void RippleWindow::paintGL()
{
    if (m_failed)
        return;
    const RippleFrameTiming::Frame frame = m_timing.frameAt(m_setup.clock());
    m_setup.uniforms.time = frame.time;
    m_lastFrameTime = frame.time;

    QOpenGLFunctions *gl = context()->functions();
    const qreal ratio = devicePixelRatio();
    const QSize target(qRound(width() * ratio), qRound(height() * ratio));
    if (!m_setup.opaque) {
        gl->glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
    }
    // The kept frame is gone when the framebuffer was made anew (the window
    // changed size) or was never drawn whole.
    const GLuint framebuffer = defaultFramebufferObject();
    const bool advance = m_setup.pipeline == RippleRenderer::Pipeline::Refract && m_wholeFrameDrawn
                         && framebuffer == m_keptFramebuffer && target == m_keptSize;
    const bool drawn = m_ready
                       && (advance ? m_renderer.drawAdvance(m_setup.uniforms, m_previousTime, target)
                                   : m_renderer.draw(m_setup.pipeline, m_setup.uniforms, target));
    m_wholeFrameDrawn = drawn;
    m_keptFramebuffer = framebuffer;
    m_keptSize = target;
    m_previousTime = frame.time;
    if (!drawn) {
        gl->glClearColor(0.0f, 0.0f, 0.0f, m_setup.opaque ? 1.0f : 0.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
    }
    ++m_framesDrawn;

    if (frame.finishesNow) {
        m_frameTimer.stop();
        m_finishDrawn = true;
    }
}
