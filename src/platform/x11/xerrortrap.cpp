#include "platform/x11/xerrortrap.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

struct Watched {
    Display *display;
    int lastError;
    bool lost;
};

std::mutex registryMutex;
std::vector<Watched> registry;
XErrorHandler previousErrorHandler = nullptr;
XIOErrorHandler previousIOErrorHandler = nullptr;

Watched *find(Display *display)
{
    auto it = std::find_if(registry.begin(), registry.end(), [display](const Watched &w) { return w.display == display; });
    return it == registry.end() ? nullptr : &*it;
}

int onError(Display *display, XErrorEvent *event)
{
    XErrorHandler forward = nullptr;
    {
        std::lock_guard lock(registryMutex);
        if (Watched *w = find(display)) {
            w->lastError = event->error_code;
            return 0;
        }
        forward = previousErrorHandler;
    }
    return forward ? forward(display, event) : 0;
}

int onIOError(Display *display)
{
    XIOErrorHandler forward = nullptr;
    {
        std::lock_guard lock(registryMutex);
        if (Watched *w = find(display)) {
            // Returning lets Xlib go on to the per-display exit handler below.
            w->lost = true;
            return 0;
        }
        forward = previousIOErrorHandler;
    }
    return forward ? forward(display) : 0;
}

void onConnectionExit(Display *display, void *)
{
    std::lock_guard lock(registryMutex);
    if (Watched *w = find(display))
        w->lost = true;
}

} // namespace

namespace XErrorTrap {

void watch(Display *display)
{
    std::lock_guard lock(registryMutex);
    if (find(display))
        return;
    if (registry.empty()) {
        previousErrorHandler = XSetErrorHandler(onError);
        previousIOErrorHandler = XSetIOErrorHandler(onIOError);
    }
    registry.push_back({display, 0, false});
    XSetIOErrorExitHandler(display, onConnectionExit, nullptr);
}

void unwatch(Display *display)
{
    std::lock_guard lock(registryMutex);
    auto it = std::find_if(registry.begin(), registry.end(), [display](const Watched &w) { return w.display == display; });
    if (it == registry.end())
        return;
    registry.erase(it);
    if (!registry.empty())
        return;
    // Hand the handlers back only if nobody replaced ours in the meantime;
    // otherwise ours stay and keep forwarding to what came before.
    XErrorHandler current = XSetErrorHandler(previousErrorHandler);
    if (current != onError)
        XSetErrorHandler(current);
    XIOErrorHandler currentIO = XSetIOErrorHandler(previousIOErrorHandler);
    if (currentIO != onIOError)
        XSetIOErrorHandler(currentIO);
}

int takeError(Display *display)
{
    std::lock_guard lock(registryMutex);
    Watched *w = find(display);
    if (!w)
        return 0;
    const int code = w->lastError;
    w->lastError = 0;
    return code;
}

bool connectionLost(Display *display)
{
    std::lock_guard lock(registryMutex);
    const Watched *w = find(display);
    return w && w->lost;
}

} // namespace XErrorTrap
