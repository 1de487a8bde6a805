#pragma once

#include "ripple/ripplesurface.h"

#include <QString>

#include <functional>
#include <memory>

class QThread;

// Makes RippleWindows. OpenGL is probed once, the first time anyone asks what
// it can do or when `prepare` is called (never at construction, so a process
// that shows no ripple loads no graphics driver): an OpenGL 3.3 core context
// on an offscreen surface must be made current and the ripple programs must
// compile and link there.
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
    ~RippleWindowFactory() override;
    RippleWindowFactory(const RippleWindowFactory &) = delete;
    RippleWindowFactory &operator=(const RippleWindowFactory &) = delete;

    // Starts the probe on a thread of its own and returns at once, so that
    // loading the graphics driver and compiling the programs (a few hundred
    // milliseconds on a software rasteriser) is done before a ripple is
    // asked for. Whoever asks while it runs waits for it; there is never a
    // second probe. Does nothing once probed, and on display servers where
    // an offscreen surface may be a window (which only the main thread may
    // make): there the probe stays where it is first needed.
    void prepare() override;
    // Whether a probe started by `prepare` has not been waited for yet.
    bool preparing() const { return m_prepareThread != nullptr; }

    bool hasPipeline(RippleRenderer::Pipeline pipeline) const override;
    bool showsTranslucentWindows() const override;
    std::unique_ptr<RippleSurface> create(RippleSurfaceSetup setup) override;

    // What the probe found wrong, for diagnostics; empty when all is well.
    QString probeLog() const;
    int maxTextureSize() const;
    // Whether the probe has run or `prepare` started it (and so the graphics
    // driver is loaded or loading).
    bool probed() const { return m_probed; }

private:
    struct ProbeResult {
        bool refract = false;
        bool crest = false;
        int maxTextureSize = 0;
        QString log;
    };

    // Any thread; makes its own surface and context and frees them.
    static ProbeResult probeOnThisThread();
    void probe() const;

    std::function<bool()> m_compositorRunning;
    std::function<void()> m_syncDisplay;
    // Filled in by the probe, on first use.
    mutable bool m_probed = false;
    mutable ProbeResult m_result;
    // The probe `prepare` started, and where it puts what it found.
    mutable std::unique_ptr<QThread> m_prepareThread;
    mutable std::shared_ptr<ProbeResult> m_prepared;
};
