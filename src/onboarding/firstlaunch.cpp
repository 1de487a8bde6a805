#include "onboarding/firstlaunch.h"

#include "core/halvostore.h"
#include "onboarding/relaunchmarker.h"

#include <QPointer>
#include <QSettings>
#include <QTimer>

void runFirstLaunchHandling(HalvoStore &store, QSettings &userDefaults,
                            std::function<void()> showPopover,
                            std::function<void()> showOnboarding)
{
    if (!RelaunchMarker::isSet(userDefaults)) {
        if (!store.hasCompletedOnboarding() && showOnboarding)
            showOnboarding();
        return;
    }

    RelaunchMarker::remove(userDefaults);
    // Saves the state file even when it already said so.
    store.setHasCompletedOnboarding(true);

    QPointer<HalvoStore> guard(&store);
    QTimer::singleShot(0, &store, [guard, showPopover = std::move(showPopover)] {
        if (!guard || !showPopover)
            return;
        RippleTransitioning *engine = guard->rippleEngine();
        if (!engine) {
            showPopover();
            return;
        }
        engine->warmUpCapture([guard, showPopover] {
            if (guard)
                showPopover();
        });
    });
}
