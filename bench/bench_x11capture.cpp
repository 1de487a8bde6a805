// Full-screen capture of a 1920×1080 root window, XShm against XGetImage.
// Run outside a 1080p X server it starts one for itself through the
// headless-session script.
#include "platform/x11/x11screencapture.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr QSize screenSize{1920, 1080};
constexpr int rounds = 40;

struct Figures {
    double best = 0;
    double median = 0;
    double mean = 0;
    double faults = 0;  // minor page faults of this process per capture
};

long minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

bool measure(X11ScreenCapture &capture, X11ScreenCapture::Method method, Figures *figures)
{
    const QRect rect(QPoint(0, 0), screenSize);
    for (int i = 0; i < 3; ++i) {
        if (!capture.captureWith(method, rect).ok())
            return false;
    }
    std::vector<double> times;
    QElapsedTimer timer;
    const long faultsBefore = minorFaults();
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        const ScreenCaptureSource::Result result = capture.captureWith(method, rect);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!result.ok())
            return false;
    }
    figures->faults = double(minorFaults() - faultsBefore) / rounds;
    std::sort(times.begin(), times.end());
    figures->best = times.front();
    figures->median = times[times.size() / 2];
    double sum = 0;
    for (double t : times)
        sum += t;
    figures->mean = sum / double(times.size());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    X11ScreenCapture capture;
    if (!capture.isAvailable() || capture.rootSize() != screenSize) {
        if (qEnvironmentVariableIsSet("HALVOSCOPE_BENCH_NESTED") || argc < 1) {
            std::fprintf(stderr, "bench_x11capture: no %dx%d X server\n", screenSize.width(), screenSize.height());
            return 1;
        }
        setenv("HALVOSCOPE_BENCH_NESTED", "1", 1);
        const QByteArray size = QByteArray::number(screenSize.width()) + 'x' + QByteArray::number(screenSize.height());
        execl(HALVOSCOPE_HEADLESS_SESSION, HALVOSCOPE_HEADLESS_SESSION, "--size", size.constData(), "--", argv[0],
              static_cast<char *>(nullptr));
        std::perror("bench_x11capture: headless-session");
        return 1;
    }

    std::printf("full-screen capture of %dx%d, %d rounds (ms: best / median / mean; page faults per capture)\n",
                screenSize.width(), screenSize.height(), rounds);
    const std::pair<const char *, X11ScreenCapture::Method> methods[] = {
        {"XShm", X11ScreenCapture::Method::SharedMemory}, {"XGetImage", X11ScreenCapture::Method::GetImage}};
    int status = 0;
    {
        // What the first ripple after start-up pays: the segment is new.
        std::vector<double> times;
        QElapsedTimer timer;
        for (int i = 0; i < 5; ++i) {
            X11ScreenCapture fresh;
            timer.start();
            const bool ok = fresh.captureWith(X11ScreenCapture::Method::SharedMemory, QRect(QPoint(0, 0), screenSize)).ok();
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (!ok)
                status = 1;
        }
        std::sort(times.begin(), times.end());
        std::printf("  %-10s %7.2f / %7.2f  (first capture, new shared segment)\n", "XShm", times.front(),
                    times[times.size() / 2]);
    }
    for (const auto &[name, method] : methods) {
        Figures figures;
        if (!measure(capture, method, &figures)) {
            std::printf("  %-10s unavailable\n", name);
            status = 1;
            continue;
        }
        std::printf("  %-10s %7.2f / %7.2f / %7.2f  %6.0f\n", name, figures.best, figures.median, figures.mean,
                    figures.faults);
    }
    return status;
}
