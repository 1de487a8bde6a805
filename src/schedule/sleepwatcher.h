#pragma once

#include <functional>

// Tells when the system goes to sleep and when it has woken up.
class SleepWatcher {
public:
    virtual ~SleepWatcher() = default;

    // Starts reporting: `changed(true)` before sleep, `changed(false)` after
    // waking. False when nothing can be watched; the callback is then never
    // called. Watching again replaces the callback.
    virtual bool watch(std::function<void(bool goingToSleep)> changed) = 0;
    virtual void unwatch() = 0;
};
