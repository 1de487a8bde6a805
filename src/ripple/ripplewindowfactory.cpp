#include "ripple/ripplewindowfactory.h"

#include "ripple/ripplewindow.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>
#include <QThread>

#include <utility>

RippleWindowFactory::RippleWindowFactory(std::function<bool()> compositorRunning,
                                         std::function<void()> syncDisplay)
    : m_compositorRunning(std::move(compositorRunning))
    , m_syncDisplay(std::move(syncDisplay))
{
}

RippleWindowFactory::~RippleWindowFactory()
{
    // The probe's context and surface live on its thread; it ends by itself.
    if (m_prepareThread)
        m_prepareThread->wait();
}

void RippleWindowFactory::prepare()
{
    if (m_probed || m_prepareThread || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    // Under X an offscreen surface is a GLX pixel buffer, which any thread
    // may make; making it is what loads the driver. A platform without
    // contexts on other threads probes on the main thread, when first asked.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !QOpenGLContext::supportsThreadedOpenGL())
        return;
    m_probed = true;
    m_prepared = std::make_shared<ProbeResult>();
    m_prepareThread.reset(QThread::create([result = m_prepared] { *result = probeOnThisThread(); }));
    m_prepareThread->setObjectName(QStringLiteral("ripple probe"));
    m_prepareThread->start(QThread::LowPriority);
}

RippleWindowFactory::ProbeResult RippleWindowFactory::probeOnThisThread()
{
    ProbeResult result;
    const QSurfaceFormat format = RippleRenderer::requiredFormat();
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface)) {
        result.log = QStringLiteral("no OpenGL context");
        return result;
    }
    if (!RippleRenderer::canRunOn(context)) {
        result.log = QStringLiteral("OpenGL %1.%2 is older than 3.3")
                         .arg(context.format().majorVersion())
                         .arg(context.format().minorVersion());
        context.doneCurrent();
        return result;
    }

    {
        RippleRenderer renderer;
        renderer.initialize();
        result.refract = renderer.hasPipeline(RippleRenderer::Pipeline::Refract);
        result.crest = renderer.hasPipeline(RippleRenderer::Pipeline::CrestOverlay);
        result.log = renderer.log();
        context.functions()->glGetIntegerv(GL_MAX_TEXTURE_SIZE, &result.maxTextureSize);
        renderer.release();
    }
    context.doneCurrent();
    return result;
}

void RippleWindowFactory::probe() const
{
    if (m_prepareThread) {
        m_prepareThread->wait();
        m_prepareThread.reset();
        m_result = std::move(*std::exchange(m_prepared, {}));
        return;
    }
    if (m_probed)
        return;
    m_probed = true;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        m_result.log = QStringLiteral("no GUI application");
        return;
    }
    m_result = probeOnThisThread();
}

QString RippleWindowFactory::probeLog() const
{
    probe();
    return m_result.log;
}

int RippleWindowFactory::maxTextureSize() const
{
    probe();
    return m_result.maxTextureSize;
}

bool RippleWindowFactory::hasPipeline(RippleRenderer::Pipeline pipeline) const
{
    probe();
    return pipeline == RippleRenderer::Pipeline::Refract ? m_result.refract : m_result.crest;
}

bool RippleWindowFactory::showsTranslucentWindows() const
{
    return m_compositorRunning && m_compositorRunning();
}

std::unique_ptr<RippleSurface> RippleWindowFactory::create(RippleSurfaceSetup setup)
{
    if (!hasPipeline(setup.pipeline) || !setup.clock)
        return nullptr;
    // A picture the GPU cannot hold leaves this screen out of the ripple.
    if (setup.pipeline == RippleRenderer::Pipeline::Refract
        && (setup.picture.isNull() || setup.picture.width() > maxTextureSize()
            || setup.picture.height() > maxTextureSize()))
        return nullptr;

    QScreen *screen = nullptr;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *candidate : screens) {
        if (candidate->name() == setup.screen.name) {
            screen = candidate;
            break;
        }
    }
    return std::make_unique<RippleWindow>(std::move(setup), screen, m_syncDisplay);
}
