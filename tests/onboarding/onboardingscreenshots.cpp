// Writes pictures of the onboarding window's pages, for people to look at
// the UI without a desktop: onboarding_screenshots OUTPUT_FOLDER. Run it on
// an X server (scripts/headless-session.sh) or the offscreen platform.

#include "onboardingrig.h"

#include "app/apptranslations.h"
#include "onboarding/onboardingmodel.h"
#include "onboarding/onboardingwindowcontroller.h"

#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Shot {
    const char *name;
    int step;
    bool granted;
    std::function<void(OnboardingModel &)> prepare;
    int settleMs;
    // False: a session without screen capture, where nobody can grant it.
    bool requestable = true;
};

} // namespace

int main(int argc, char *argv[])
{
    // LANGUAGE=de and the like show the pages in that language.
    AppTranslations translations;
    QGuiApplication app(argc, argv);
    translations.install(app);
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "onboarding_screenshots: cannot create %s\n", qPrintable(folder));
        return 1;
    }

    const Shot shots[] = {
        {"onboarding-step0", 0, true, {}, 500},
        {"onboarding-step1", 1, true, {}, 500},
        {"onboarding-step2", 2, true, {}, 500},
        {"onboarding-step2-no-permission", 2, false,
         [](OnboardingModel &model) { model.requestPermission(); }, 500},
        {"onboarding-step2-no-capture", 2, false, {}, 500, false},
        {"onboarding-step2-ripple", 2, true,
         [](OnboardingModel &model) { model.playPreviewRipple(); }, 380},
    };

    int failures = 0;
    for (const Shot &shot : shots) {
        OnboardingRig rig;
        rig.ripple->granted = shot.granted;
        rig.ripple->requestable = shot.requestable;
        rig.make();
        OnboardingWindowController controller(rig.store.get(), rig.defaults.get(), {},
                                              {[] {}, [] {}, {}});
        controller.show(shot.step);
        wait(300);
        if (shot.prepare && controller.model())
            shot.prepare(*controller.model());
        wait(shot.settleMs);
        const QImage image = controller.window() ? controller.window()->grabWindow() : QImage();
        const QString path = QDir(folder).filePath(QString::fromLatin1(shot.name) + QStringLiteral(".png"));
        if (image.isNull() || !image.save(path)) {
            std::fprintf(stderr, "onboarding_screenshots: could not write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return failures == 0 ? 0 : 1;
}
