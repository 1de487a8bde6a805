// The refraction ripple on the available OpenGL (Mesa's llvmpipe here), at
// 1920×1080 and 3840×2160, inside its own headless session of the larger size.
//
// 1. Memory: resident size and whether Mesa is mapped at start, once the
//    engine was told a ripple is likely, after the first ripple through the
//    engine, and after a 4K window too.
// 2. Real ripples: two refract transitions through one engine on a 1080p
//    screen with X captures, the first of them loading the graphics driver:
//    the time from the request to the first frame on the screen, and the
//    frames per second reached; then one 4K window on its own.
// 3. The renderer into a framebuffer object, each frame waited for with
//    glFinish, median reported: "every pixel" runs the full refract program
//    over the whole frame as the windows did before; "whole frame" is the
//    first frame of a window now; "advanced" the frames after it, which
//    redraw only the ring the wave crossed since the frame before. The
//    process CPU time per frame is printed too: a software rasteriser runs on
//    this process's threads, so it says what a frame costs with the cores to
//    itself.
// 4. Accuracy at full resolution against the CPU reference (the bound is 3
//    steps of 255), every pixel and advanced.
//
// Optional arguments: frames per offscreen run (default 90); how long before
// the first ripple's click the engine was told a ripple is likely, in ms
// (default 500, as when the popover opens; -1: not told, the driver loads at
// the click).

#include "platform/x11/x11screencapture.h"
#include "ripple/ripplereference.h"
#include "ripple/ripplerenderer.h"
#include "ripple/rippleshadersource.h"
#include "ripple/rippletransitionengine.h"
#include "ripple/rippleuniforms.h"
#include "ripple/ripplewindow.h"
#include "ripple/ripplewindowfactory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QScreen>
#include <QThread>
#include <QVector2D>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

constexpr QSize fullHd{1920, 1080};
constexpr QSize ultraHd{3840, 2160};

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

// Near the top-right corner, where a panel's icon sits.
RippleUniforms benchUniforms(QSize size)
{
    RippleUniforms uniforms = RippleUniforms::forScreen(QRectF(QPointF(0, 0), QSizeF(size)),
                                                        QPointF(size.width() * 0.9, size.height() * 0.02),
                                                        6500, 100, 1900, 60);
    uniforms.duration = float(RippleTransitionEngine::duration);
    return uniforms;
}

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

QByteArray procLine(const char *file, const QByteArray &key)
{
    QFile status(QString::fromLatin1(file));
    if (!status.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(key))
            return line.mid(key.size()).simplified();
    }
    return {};
}

void printMemory(const char *when)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    const QByteArray mapped = maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
    std::printf("memory %-34s RSS %s (anonymous %s); Mesa driver %s, LLVM %s\n", when,
                procLine("/proc/self/status", "VmRSS:").constData(),
                procLine("/proc/self/status", "RssAnon:").constData(),
                mapped.contains("_dri.so") ? "mapped" : "not mapped", mapped.contains("libLLVM") ? "mapped" : "not mapped");
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

void waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// One ripple in a real window covering `size` pixels from the top-left.
void realWindow(RippleWindowFactory &factory, QSize size)
{
    QElapsedTimer clock;
    int firstFrames = 0;
    int finished = 0;
    int failed = 0;
    double firstFrameMs = 0;
    RippleSurfaceSetup setup;
    setup.screen = {QStringLiteral("bench"), QRect(QPoint(0, 0), size), 1.0, 60.0};
    setup.pipeline = RippleRenderer::Pipeline::Refract;
    setup.picture = benchPicture(size);
    setup.uniforms = benchUniforms(size);
    setup.clock = &RippleTransitionEngine::monotonicSeconds;
    setup.onFirstFrame = [&] {
        ++firstFrames;
        firstFrameMs = double(clock.nsecsElapsed()) / 1e6;
    };
    setup.onFinished = [&finished] { ++finished; };
    setup.onFailed = [&failed] { ++failed; };
    clock.start();
    std::unique_ptr<RippleSurface> surface = factory.create(std::move(setup));
    auto *window = dynamic_cast<RippleWindow *>(surface.get());
    if (!window) {
        std::printf("window %4dx%-4d  could not be made\n", size.width(), size.height());
        return;
    }
    window->present();
    waitFor([&] { return firstFrames > 0 || failed > 0; }, 5000);
    const double cpuStart = processCpuMs();
    const int swappedAtFirst = window->framesSwapped();
    QElapsedTimer running;
    running.start();
    waitFor([&] { return finished > 0 || failed > 0; }, 15000);
    const double seconds = double(running.nsecsElapsed()) / 1e9;
    const int frames = window->framesSwapped() - swappedAtFirst;
    std::printf("window %4dx%-4d  first frame on screen %6.1f ms after present(); %5.1f frames per second "
                "(%d in %.2f s)%s; CPU %6.2f ms per frame\n",
                size.width(), size.height(), firstFrameMs, frames / std::max(seconds, 1e-3), frames, seconds,
                failed ? "  FAILED" : "", (processCpuMs() - cpuStart) / std::max(frames, 1));
    window->takeDown();
}

// The engine as the application keeps it: one for the process, on a
// 1920×1080 screen with X captures.
std::unique_ptr<RippleTransitionEngine> benchEngine()
{
    RippleTransitionEngine::Platform platform;
    platform.screens = [] { return QList<RippleScreen>{{QStringLiteral("bench"), QRect(QPoint(0, 0), fullHd), 1.0, 60.0}}; };
    platform.capture = std::make_shared<X11ScreenCapture>();
    return std::make_unique<RippleTransitionEngine>(std::weak_ptr<DisplayColorEngine>(), std::move(platform));
}

// A refract transition through the engine, as a click starts it: the time
// until its window's first frame is on the screen.
void engineRipple(RippleTransitionEngine &engine, const char *which)
{
    bool done = false;
    QElapsedTimer clock;
    clock.start();
    engine.runTransition(6500, 100, 1900, 60, true, QPointF(fullHd.width() * 0.9, 20), {}, [&done] { done = true; });
    const bool refract = engine.state() == RippleTransitionEngine::State::Capturing;
    RippleWindow *window = nullptr;
    waitFor([&] {
        const QList<QWindow *> windows = QGuiApplication::topLevelWindows();
        for (QWindow *candidate : windows) {
            if (auto *ripple = qobject_cast<RippleWindow *>(candidate); ripple && ripple->framesSwapped() > 0)
                window = ripple;
        }
        return window || done;
    }, 5000);
    const double firstFrameMs = double(clock.nsecsElapsed()) / 1e6;
    const int swappedAtFirst = window ? window->framesSwapped() : 0;
    const double cpuStart = processCpuMs();
    QElapsedTimer running;
    running.start();
    int frames = 0;
    waitFor([&] {
        if (window)
            frames = window->framesSwapped() - swappedAtFirst;
        return done;
    }, 15000);
    const double seconds = double(running.nsecsElapsed()) / 1e9;
    if (!refract || !window) {
        std::printf("%s ripple: no refraction here\n", which);
        return;
    }
    std::printf("%s ripple, 1920x1080: first frame on screen %6.1f ms after the transition was asked for; "
                "%5.1f frames per second; CPU %6.2f ms per frame\n",
                which, firstFrameMs, frames / std::max(seconds, 1e-3), (processCpuMs() - cpuStart) / std::max(frames, 1));
}

// The refract program over every pixel, as a single viewport triangle.
class EveryPixel {
public:
    bool build()
    {
        m_program.addShaderFromSourceCode(QOpenGLShader::Vertex,
                                          RippleShaderSource::stage(RippleShaderSource::vertexRole));
        m_program.addShaderFromSourceCode(QOpenGLShader::Fragment,
                                          RippleShaderSource::stage(RippleShaderSource::refractFragmentRole));
        if (!m_program.link() || !m_vertexArray.create())
            return false;
        QOpenGLExtraFunctions *gl = QOpenGLContext::currentContext()->extraFunctions();
        gl->glUniformBlockBinding(m_program.programId(),
                                  gl->glGetUniformBlockIndex(m_program.programId(), RippleShaderSource::uniformBlock), 1);
        gl->glGenBuffers(1, &m_buffer);
        gl->glBindBuffer(GL_UNIFORM_BUFFER, m_buffer);
        gl->glBufferData(GL_UNIFORM_BUFFER, sizeof(RippleUniforms), nullptr, GL_DYNAMIC_DRAW);
        gl->glBindBuffer(GL_UNIFORM_BUFFER, 0);
        return true;
    }
    ~EveryPixel()
    {
        if (m_buffer != 0)
            QOpenGLContext::currentContext()->extraFunctions()->glDeleteBuffers(1, &m_buffer);
    }

    // The picture must be bound on unit 0 (the renderer's upload leaves it unbound).
    void draw(const RippleUniforms &uniforms, QSize size, GLuint texture)
    {
        QOpenGLExtraFunctions *gl = QOpenGLContext::currentContext()->extraFunctions();
        gl->glViewport(0, 0, size.width(), size.height());
        gl->glBindBuffer(GL_UNIFORM_BUFFER, m_buffer);
        gl->glBufferSubData(GL_UNIFORM_BUFFER, 0, sizeof(RippleUniforms), &uniforms);
        gl->glBindBufferBase(GL_UNIFORM_BUFFER, 1, m_buffer);
        gl->glActiveTexture(GL_TEXTURE0);
        gl->glBindTexture(GL_TEXTURE_2D, texture);
        m_program.bind();
        m_program.setUniformValue(RippleShaderSource::pictureSampler, 0);
        m_program.setUniformValue(RippleShaderSource::targetSizeUniform,
                                  QVector2D(float(size.width()), float(size.height())));
        m_vertexArray.bind();
        gl->glDrawArrays(GL_TRIANGLES, 0, 3);
        m_vertexArray.release();
        m_program.release();
        gl->glBindTexture(GL_TEXTURE_2D, 0);
    }

private:
    QOpenGLShaderProgram m_program;
    QOpenGLVertexArrayObject m_vertexArray;
    GLuint m_buffer = 0;
};

void printTiming(const char *name, QSize size, const std::vector<double> &ms, double cpuPerFrame, double budgetMs)
{
    const Timing t = summarise(ms);
    std::printf("%-24s %4dx%-4d  median %6.2f ms  (min %6.2f, max %6.2f, %zu frames)%s;  CPU %6.2f ms per frame\n",
                name, size.width(), size.height(), t.median, t.minimum, t.maximum, ms.size(),
                t.median <= budgetMs ? "  within budget" : "  OVER budget", cpuPerFrame);
}

// Frames of one ripple at `rate` frames per second of ripple time, `frames`
// of them from the start.
bool benchSize(QOpenGLContext &context, RippleRenderer &renderer, QSize size, int frames, double rate)
{
    QOpenGLFunctions *gl = context.functions();
    QOpenGLFramebufferObject target(size);
    if (!target.isValid()) {
        std::printf("%dx%d: no framebuffer object of this size\n", size.width(), size.height());
        return false;
    }
    target.bind();
    const double budgetMs = 1000.0 / rate;
    std::printf("-- %dx%d, a frame every %.1f ms of ripple time\n", size.width(), size.height(), budgetMs);

    const QImage picture = benchPicture(size);
    QElapsedTimer clock;
    clock.start();
    if (!renderer.setPicture(picture)) {
        std::printf("%dx%d: picture upload failed\n", size.width(), size.height());
        return false;
    }
    gl->glFinish();
    std::printf("picture upload %.2f ms\n", double(clock.nsecsElapsed()) / 1e6);

    // The texture the renderer uploaded, for the every-pixel program.
    GLuint texture = 0;
    {
        QImage texels = picture;
        gl->glGenTextures(1, &texture);
        gl->glBindTexture(GL_TEXTURE_2D, texture);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size.width(), size.height(), 0, GL_BGRA, GL_UNSIGNED_BYTE,
                         texels.constBits());
        gl->glBindTexture(GL_TEXTURE_2D, 0);
    }

    EveryPixel everyPixel;
    if (!everyPixel.build()) {
        std::printf("the refract program did not build\n");
        return false;
    }
    RippleUniforms uniforms = benchUniforms(size);
    const auto timeOf = [&](int i) { return std::min(float(i / rate), uniforms.duration); };

    enum class Way { EveryPixel, WholeFrame, Advanced };
    const std::pair<Way, const char *> ways[] = {{Way::EveryPixel, "refract, every pixel"},
                                                 {Way::WholeFrame, "refract, whole frame"},
                                                 {Way::Advanced, "refract, advanced"}};
    for (const auto &[way, name] : ways) {
        uniforms.time = 0.0f;
        // A few frames first, so that shader variants are compiled before timing.
        for (int i = 0; i < 3; ++i) {
            everyPixel.draw(uniforms, size, texture);
            renderer.draw(RippleRenderer::Pipeline::Refract, uniforms, size);
        }
        gl->glFinish();

        std::vector<double> ms;
        ms.reserve(size_t(frames));
        const double cpuStart = processCpuMs();
        for (int i = 0; i < frames; ++i) {
            uniforms.time = timeOf(i);
            clock.restart();
            if (way == Way::EveryPixel)
                everyPixel.draw(uniforms, size, texture);
            else if (way == Way::WholeFrame || i == 0)
                renderer.draw(RippleRenderer::Pipeline::Refract, uniforms, size);
            else
                renderer.drawAdvance(uniforms, timeOf(i - 1), size);
            gl->glFinish();
            // The first advanced frame is a whole one; it is timed above.
            if (way != Way::Advanced || i > 0)
                ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        printTiming(name, size, ms, (processCpuMs() - cpuStart) / frames, budgetMs);
    }

    // Accuracy at a few times: every pixel, and advanced frames from the start.
    const RippleReference::Sampler sampler = RippleReference::bilinearSampler(picture);
    const auto largestDifference = [&](const RippleUniforms &at) {
        QImage frame(size, QImage::Format_RGBA8888);
        gl->glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, frame.bits());
        float worst = 0.0f;
        for (int y = 0; y < size.height(); ++y) {
            const uchar *row = frame.constScanLine(size.height() - 1 - y);
            const float v = (float(y) + 0.5f) / float(size.height());
            for (int x = 0; x < size.width(); ++x) {
                const float u = (float(x) + 0.5f) / float(size.width());
                const RippleRGBA want = RippleReference::refract(u, v, at, sampler);
                const float channels[3] = {want.r, want.g, want.b};
                for (int c = 0; c < 3; ++c)
                    worst = std::max(worst, std::abs(float(row[x * 4 + c]) - channels[c] * 255.0f));
            }
        }
        return worst;
    };
    const float checkTimes[] = {0.9f, 1.8f};
    float previous = 0.0f;
    for (const float checkTime : checkTimes) {
        uniforms.time = checkTime;
        everyPixel.draw(uniforms, size, texture);
        const float everyPixelDifference = largestDifference(uniforms);
        uniforms.time = 0.0f;
        renderer.draw(RippleRenderer::Pipeline::Refract, uniforms, size);
        previous = 0.0f;
        for (int i = 1; previous < checkTime; ++i) {
            uniforms.time = std::min(timeOf(i), checkTime);
            renderer.drawAdvance(uniforms, previous, size);
            previous = uniforms.time;
        }
        const float advancedDifference = largestDifference(uniforms);
        std::printf("at %.1f s, largest difference from the CPU reference in 255ths: every pixel %.2f, "
                    "advanced %.2f%s\n",
                    double(checkTime), double(everyPixelDifference), double(advancedDifference),
                    advancedDifference <= 3.0f ? "" : "  OVER 3");
    }

    gl->glDeleteTextures(1, &texture);
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
    const int frames = argc > 1 ? std::max(2, atoi(argv[1])) : 90;
    const int prepareMs = argc > 2 ? atoi(argv[2]) : 500;
    // Always in a session of its own of the larger size, started here.
    if (!qEnvironmentVariableIsSet("HALVOSCOPE_BENCH_NESTED")) {
        setenv("HALVOSCOPE_BENCH_NESTED", "1", 1);
        const QByteArray size = QByteArray::number(ultraHd.width()) + 'x' + QByteArray::number(ultraHd.height());
        const QByteArray count = QByteArray::number(frames);
        const QByteArray prepare = QByteArray::number(prepareMs);
        execl(HALVOSCOPE_HEADLESS_SESSION, HALVOSCOPE_HEADLESS_SESSION, "--size", size.constData(), "--", argv[0],
              count.constData(), prepare.constData(), static_cast<char *>(nullptr));
        std::perror("bench_ripple: headless-session");
        return 1;
    }
    QGuiApplication app(argc, argv);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->size().width() < ultraHd.width() || screen->size().height() < ultraHd.height()) {
        std::fprintf(stderr, "bench_ripple: no %dx%d X server\n", ultraHd.width(), ultraHd.height());
        return 1;
    }

    std::printf("CPU threads: %d, LP_NUM_THREADS=%s, load average before: %s\n", QThread::idealThreadCount(),
                qEnvironmentVariableIsSet("LP_NUM_THREADS") ? qgetenv("LP_NUM_THREADS").constData() : "(default)",
                loadAverage().constData());
    printMemory("at start (no ripple yet)");

    // The first ripple of the process loads the graphics driver: at the
    // click, or ahead of it when the engine was told a ripple is likely (as
    // opening the popover does) `prepareMs` before the click.
    const std::unique_ptr<RippleTransitionEngine> engine = benchEngine();
    if (prepareMs >= 0) {
        engine->prepare();
        waitFor([] { return false; }, prepareMs);
        std::printf("prepared %d ms before the click\n", prepareMs);
        printMemory("prepared, no ripple yet");
    }
    engineRipple(*engine, "first");
    waitFor([] { return false; }, 300);
    printMemory("after the first ripple");
    engineRipple(*engine, "second");

    bool ok = true;
    {
        RippleWindowFactory factory;
        ok = factory.hasPipeline(RippleRenderer::Pipeline::Refract);
        if (ok)
            realWindow(factory, ultraHd);
    }
    // Let the windows' deferred deletions and the X server catch up.
    waitFor([] { return false; }, 300);
    printMemory("after the ripples, windows gone");
    malloc_trim(0);
    printMemory("and after malloc_trim");

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
    {
        RippleRenderer renderer;
        if (!renderer.initialize()) {
            std::printf("bench_ripple: the ripple programs did not build: %s\n", qPrintable(renderer.log()));
            return 1;
        }
        ok = benchSize(context, renderer, fullHd, frames * 2, 60.0) && ok;
        ok = benchSize(context, renderer, ultraHd, frames, 30.0) && ok;
    }
    std::printf("load average after: %s\n", loadAverage().constData());
    context.doneCurrent();
    return ok ? 0 : 1;
}
