#include "ripple/ripplewindow.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>

#include <array>

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
    // Straight into the back buffer: a framebuffer of our own would cost a
    // copy of the whole window per frame.
    : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate)
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
    // A refract frame differs from the one before only around the moving
    // ring, so it is advanced from the frame the back buffer holds, where
    // that is the last one drawn.
    const bool refract = m_setup.pipeline == RippleRenderer::Pipeline::Refract;
    const bool advance = refract && m_wholeFrameDrawn && target == m_keptSize && backBufferHoldsLastFrame();
    const bool drawn = m_ready
                       && (advance ? m_renderer.drawAdvance(m_setup.uniforms, m_previousTime, target)
                                   : m_renderer.draw(m_setup.pipeline, m_setup.uniforms, target));
    m_wholeFrameDrawn = drawn;
    m_keptSize = target;
    m_previousTime = frame.time;
    if (drawn && refract)
        markFrame();
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

// A swap may leave the back buffer holding the last frame, an older one or
// nothing defined, and the display server does not say which. So every
// refract frame carries its number (modulo 8) in the lowest bit of each
// colour channel of its bottom-left pixel, a change no one can see, and the
// next frame advances only from a back buffer that still shows that mark.
void RippleWindow::markFrame()
{
    QOpenGLFunctions *gl = context()->functions();
    std::array<uchar, 4> pixel{};
    gl->glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    m_frameMark = m_frameMark + 1;
    for (int channel = 0; channel < 3; ++channel)
        pixel[size_t(channel)] = uchar((pixel[size_t(channel)] & 0xfe) | ((m_frameMark >> channel) & 1));
    m_markedPixel = pixel;
    gl->glEnable(GL_SCISSOR_TEST);
    gl->glScissor(0, 0, 1, 1);
    gl->glClearColor(float(pixel[0]) / 255.0f, float(pixel[1]) / 255.0f, float(pixel[2]) / 255.0f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    gl->glDisable(GL_SCISSOR_TEST);
}

bool RippleWindow::backBufferHoldsLastFrame()
{
    std::array<uchar, 4> pixel{};
    context()->functions()->glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel[0] == m_markedPixel[0] && pixel[1] == m_markedPixel[1] && pixel[2] == m_markedPixel[2];
}
