// Frame time of the ripple programs on the available OpenGL at full-screen
// sizes: each frame is drawn into a framebuffer object and waited for with
// glFinish, and the median is reported. A software rasteriser renders on this
// process's own threads, so the process CPU time per frame is printed too: on
// a busy machine it says what the frame would take with the cores to itself.

#include "ripple/ripplerenderer.h"
#include "ripple/rippleuniforms.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// What an X capture looks like to the renderer: 32-bit BGRA.
QImage benchPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const bool cell = ((x / 32) + (y / 32)) % 2 == 0;
            line[x] = qRgb(255 * x / size.width(), 255 * y / size.height(), cell ? 220 : 40);
        }
    }
    return image;
}

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Timing {
    double median = 0;
    double minimum = 0;
    double maximum = 0;
};

Timing summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return {median, ms.front(), ms.back()};
}

bool benchSize(QOpenGLContext &context, RippleRenderer &renderer, QSize size, int frames)
{
    QOpenGLFunctions *gl = context.functions();
    QOpenGLFramebufferObject target(size);
    if (!target.isValid()) {
        std::printf("%dx%d: no framebuffer object of this size\n", size.width(), size.height());
        return false;
    }
    target.bind();

    const QImage picture = benchPicture(size);
    QElapsedTimer clock;
    clock.start();
    if (!renderer.setPicture(picture)) {
        std::printf("%dx%d: picture upload failed\n", size.width(), size.height());
        return false;
    }
    gl->glFinish();
    const double uploadMs = double(clock.nsecsElapsed()) / 1e6;

    RippleUniforms uniforms = RippleUniforms::forScreen(QRectF(QPointF(0, 0), QSizeF(size)),
                                                        QPointF(size.width() * 0.9, size.height() * 0.02),
                                                        6500, 100, 1900, 60);
    const RippleRenderer::Pipeline pipelines[] = {RippleRenderer::Pipeline::Refract,
                                                  RippleRenderer::Pipeline::CrestOverlay};
    for (const RippleRenderer::Pipeline pipeline : pipelines) {
        const char *name = pipeline == RippleRenderer::Pipeline::Refract ? "refract" : "crest overlay";
        // A few frames first, so that shader variants are compiled before timing.
        for (int i = 0; i < 3; ++i)
            renderer.draw(pipeline, uniforms, size);
        gl->glFinish();

        std::vector<double> ms;
        ms.reserve(size_t(frames));
        const double cpuStart = processCpuMs();
        for (int i = 0; i < frames; ++i) {
            // Sweep the whole ripple, the ring crossing the screen.
            uniforms.time = uniforms.duration * float(i) / float(frames);
            clock.restart();
            renderer.draw(pipeline, uniforms, size);
            gl->glFinish();
            ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        const double cpuPerFrame = (processCpuMs() - cpuStart) / frames;
        const Timing t = summarise(ms);
        std::printf("%-13s %4dx%-4d  median %6.2f ms  (min %6.2f, max %6.2f, %d frames)%s;"
                    "  CPU %6.2f ms per frame\n",
                    name, size.width(), size.height(), t.median, t.minimum, t.maximum, frames,
                    t.median <= 1000.0 / 60.0 ? "  within 16.7 ms" : "  OVER 16.7 ms", cpuPerFrame);
    }
    std::printf("picture upload %4dx%-4d  %6.2f ms\n", size.width(), size.height(), uploadMs);
    target.release();
    return true;
}

QByteArray loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("unknown");
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(1, atoi(argv[1])) : 60;

    const QSurfaceFormat format = RippleRenderer::requiredFormat();
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create() || !context.makeCurrent(&surface) || !RippleRenderer::canRunOn(context)) {
        std::printf("bench_ripple: no OpenGL 3.3 core context here\n");
        return 1;
    }

    std::printf("OpenGL: %s, %s\n", reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER)),
                reinterpret_cast<const char *>(context.functions()->glGetString(GL_VERSION)));
    std::printf("CPU threads: %d, LP_NUM_THREADS=%s, load average before: %s\n", QThread::idealThreadCount(),
                qEnvironmentVariableIsSet("LP_NUM_THREADS") ? qgetenv("LP_NUM_THREADS").constData() : "(default)",
                loadAverage().constData());

    bool ok = true;
    {
        RippleRenderer renderer;
        if (!renderer.initialize()) {
            std::printf("bench_ripple: the ripple programs did not build: %s\n", qPrintable(renderer.log()));
            return 1;
        }
        ok = benchSize(context, renderer, {1920, 1080}, frames) && ok;
        ok = benchSize(context, renderer, {3840, 2160}, frames) && ok;
    }
    std::printf("load average after: %s\n", loadAverage().constData());
    context.doneCurrent();
    return ok ? 0 : 1;
}
