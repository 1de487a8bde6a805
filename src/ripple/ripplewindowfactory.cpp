#include "ripple/ripplewindowfactory.h"

#include "ripple/ripplewindow.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>

RippleWindowFactory::RippleWindowFactory(std::function<bool()> compositorRunning,
                                         std::function<void()> syncDisplay)
    : m_compositorRunning(std::move(compositorRunning))
    , m_syncDisplay(std::move(syncDisplay))
{
}

void RippleWindowFactory::probe() const
{
    if (m_probed)
        return;
    m_probed = true;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        m_log = QStringLiteral("no GUI application");
        return;
    }
    const QSurfaceFormat format = RippleRenderer::requiredFormat();
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface)) {
        m_log = QStringLiteral("no OpenGL context");
        return;
    }
    if (!RippleRenderer::canRunOn(context)) {
        m_log = QStringLiteral("OpenGL %1.%2 is older than 3.3")
                    .arg(context.format().majorVersion())
                    .arg(context.format().minorVersion());
        context.doneCurrent();
        return;
    }

    {
        RippleRenderer renderer;
        renderer.initialize();
        m_refract = renderer.hasPipeline(RippleRenderer::Pipeline::Refract);
        m_crest = renderer.hasPipeline(RippleRenderer::Pipeline::CrestOverlay);
        m_log = renderer.log();
        context.functions()->glGetIntegerv(GL_MAX_TEXTURE_SIZE, &m_maxTextureSize);
        renderer.release();
    }
    context.doneCurrent();
}

QString RippleWindowFactory::probeLog() const
{
    probe();
    return m_log;
}

int RippleWindowFactory::maxTextureSize() const
{
    probe();
    return m_maxTextureSize;
}

bool RippleWindowFactory::hasPipeline(RippleRenderer::Pipeline pipeline) const
{
    probe();
    return pipeline == RippleRenderer::Pipeline::Refract ? m_refract : m_crest;
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
