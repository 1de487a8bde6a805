#pragma once

#include "ripple/ripplesurface.h"

#include <QString>

#include <functional>

// Makes RippleWindows. OpenGL is probed once, the first time anyone asks what
// it can do (never at construction, so a process that shows no ripple loads
// no graphics driver): an OpenGL 3.3 core context on an offscreen surface must
// be made current and the ripple programs must compile and link there.
// Without a QGuiApplication (or without a display) nothing is available, and
// the engine falls back accordingly.
class RippleWindowFactory : public RippleSurfaceFactory {
public:
    // `compositorRunning` says whether translucent windows blend with what is
    // beneath them; without it they are taken as never doing so.
    // `syncDisplay` returns once the display server has handled what the
    // windows sent, so a window taken down is off the screen by then.
    explicit RippleWindowFactory(std::function<bool()> compositorRunning = {},
                                 std::function<void()> syncDisplay = {});

    bool hasPipeline(RippleRenderer::Pipeline pipeline) const override;
    bool showsTranslucentWindows() const override;
    std::unique_ptr<RippleSurface> create(RippleSurfaceSetup setup) override;

    // What the probe found wrong, for diagnostics; empty when all is well.
    QString probeLog() const;
    int maxTextureSize() const;
    // Whether the probe has run (and so the graphics driver is loaded).
    bool probed() const { return m_probed; }

private:
    void probe() const;

    std::function<bool()> m_compositorRunning;
    std::function<void()> m_syncDisplay;
    // Filled in by the probe, on first use.
    mutable bool m_probed = false;
    mutable bool m_refract = false;
    mutable bool m_crest = false;
    mutable int m_maxTextureSize = 0;
    mutable QString m_log;
};
