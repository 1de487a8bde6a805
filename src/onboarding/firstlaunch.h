#pragma once

#include <functional>

class HalvoStore;
class QSettings;

// The last step of the launch. With the relaunch marker set, finishes the
// onboarding that asked for the relaunch: the marker is removed, onboarding
// is recorded as complete, and once the capture is warmed up (on a later turn
// of the event loop) `showPopover` runs. Without the marker, `showOnboarding`
// runs when onboarding was never completed; otherwise nothing happens.
void runFirstLaunchHandling(HalvoStore &store, QSettings &userDefaults,
                            std::function<void()> showPopover,
                            std::function<void()> showOnboarding);
