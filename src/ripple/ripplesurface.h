#pragma once

#include "ripple/ripplerenderer.h"
#include "ripple/rippleuniforms.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

// One screen as the ripple sees it.
struct RippleScreen {
    QString name;
    QRect geometry; // logical, in Qt's global coordinates
    qreal devicePixelRatio = 1.0;
    qreal refreshRate = 60.0; // frames per second the screen reports

    // The screen's rectangle on the display server. Qt keeps a screen's
    // top-left in device pixels and scales only its size; a fractional pixel
    // count is cut off.
    QRect devicePixelRect() const
    {
        const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
        return QRect(geometry.topLeft(), QSize(int(geometry.width() * ratio), int(geometry.height() * ratio)));
    }
};

// Everything one ripple window needs.
struct RippleSurfaceSetup {
    RippleScreen screen;
    RippleRenderer::Pipeline pipeline = RippleRenderer::Pipeline::Refract;
    QImage picture;          // what the refract program samples; null for the crest
    RippleUniforms uniforms; // `time` is filled in per frame
    bool opaque = true;
    std::function<double()> clock; // seconds; the window starts its 3 s when built
    // Each at most once, on the main thread, never from inside a paint:
    // onFirstFrame once the first frame has been swapped to the screen;
    // onFinished once the frame that reached the end has been swapped;
    // onFailed instead of both when the picture cannot be shown (the window
    // is then off the screen and draws nothing).
    std::function<void()> onFirstFrame;
    std::function<void()> onFinished;
    std::function<void()> onFailed;
};

// A window showing the ripple on one screen. Destroying it takes it off the
// screen at once.
class RippleSurface {
public:
    virtual ~RippleSurface() = default;
    // Puts the window on its screen above everything else and starts drawing.
    virtual void present() = 0;
    // Takes the window off the screen and returns once the display server
    // has done so; the window draws nothing more.
    virtual void takeDown() = 0;
};

// Makes the ripple windows; the engine asks it what the graphics stack can do.
class RippleSurfaceFactory {
public:
    virtual ~RippleSurfaceFactory() = default;

    // A ripple is likely soon: whatever finding out what the graphics stack
    // can do costs may start now, without holding up the caller.
    virtual void prepare() {}
    // Whether windows with this program can be drawn at all.
    virtual bool hasPipeline(RippleRenderer::Pipeline pipeline) const = 0;
    // Whether a window that is not opaque shows what lies beneath it.
    virtual bool showsTranslucentWindows() const = 0;
    // Null when no window can be made for this screen and picture.
    virtual std::unique_ptr<RippleSurface> create(RippleSurfaceSetup setup) = 0;
};
