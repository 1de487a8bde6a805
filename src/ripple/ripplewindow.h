#pragma once

#include "ripple/rippleframetiming.h"
#include "ripple/ripplerenderer.h"
#include "ripple/ripplesurface.h"

#include <QOpenGLWindow>
#include <QTimer>

#include <array>
#include <functional>

class QScreen;

// The ripple on one screen: a frameless window above everything else that
// takes no input, never shows in a task bar, and draws one ripple frame at a
// time with its own OpenGL 3.3 core context. Frames are paced at the screen's
// refresh rate (60 Hz at least) until the ripple's time is up. The setup's
// callbacks follow frames as swapped to the screen, not as drawn.
class RippleWindow : public QOpenGLWindow, public RippleSurface {
    Q_OBJECT

public:
    // `syncDisplay` returns once the display server has handled what this
    // window sent; takeDown waits on it.
    RippleWindow(RippleSurfaceSetup setup, QScreen *screen, std::function<void()> syncDisplay = {});
    ~RippleWindow() override;

    void present() override;
    void takeDown() override;

    RippleRenderer::Pipeline pipeline() const { return m_setup.pipeline; }
    const RippleUniforms &uniforms() const { return m_setup.uniforms; }
    // The ripple time of the frame drawn last, and how many were drawn.
    float lastFrameTime() const { return m_lastFrameTime; }
    int framesDrawn() const { return m_framesDrawn; }
    bool isFinished() const { return m_timing.isFinished(); }
    // False when the programs or the picture could not be set up; the window
    // then shows black (or nothing) for its 3 s instead.
    bool canDraw() const { return m_ready; }
    // The ripple time of the frame swapped last, and how many were swapped.
    float lastSwappedTime() const { return m_lastSwappedTime; }
    int framesSwapped() const { return m_framesSwapped; }

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void frameSwappedToScreen();
    void fail();
    void notify(std::function<void()> RippleSurfaceSetup::*callback);
    void markFrame();
    bool backBufferHoldsLastFrame();

    RippleSurfaceSetup m_setup;
    std::function<void()> m_syncDisplay;
    RippleFrameTiming m_timing;
    RippleRenderer m_renderer;
    QTimer m_frameTimer;
    bool m_ready = false;
    float m_lastFrameTime = 0.0f;
    int m_framesDrawn = 0;
    float m_lastSwappedTime = 0.0f;
    int m_framesSwapped = 0;
    bool m_finishDrawn = false;
    // The frame drawn last, for a refract window to advance from, and the
    // mark its bottom-left pixel carries.
    bool m_wholeFrameDrawn = false;
    QSize m_keptSize;
    float m_previousTime = 0.0f;
    unsigned m_frameMark = 0;
    std::array<uchar, 4> m_markedPixel{};
    bool m_failed = false;
    bool m_takenDown = false;
};
