#pragma once

#include "engines/keepawakeadapters.h"

#include <QDBusConnection>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class BrightnessDisplaySource;
class ColorStage;
class LoginItemService;
class ScreenCaptureSource;
class SleepWatcher;

// What the ripple transition needs of the display server.
struct RippleAdapters {
    std::shared_ptr<ScreenCaptureSource> capture;
    // Whether translucent windows blend with what lies beneath them.
    std::function<bool()> compositorRunning;
    // Returns once the display server has handled what our windows sent.
    std::function<void()> syncDisplay;
};

// Everything this session's display server, buses and kernel offer the
// engines, each behind the interface its engine defines.
struct SessionPlatform {
    std::unique_ptr<ColorStage> colorStage;
    // Why the colour stage cannot change colours, for the user; empty for the
    // display server's usual reason.
    QString colorUnavailableReason;
    // Listed in the order the brightness engine asks them.
    std::vector<std::unique_ptr<BrightnessDisplaySource>> brightnessSources;
    KeepAwakeAdapters keepAwake;
    RippleAdapters ripple;
    std::shared_ptr<LoginItemService> loginItem;
    std::unique_ptr<SleepWatcher> sleepWatcher;
};

// The adapters of the session this process runs in: XRandR colour (in a
// Wayland session the compositor's gamma control, and no capture), the X
// server's capture and timers, the desktop's ScreenSaver service and logind
// on the session and system buses, backlights and DDC/CI monitors, and an
// XDG autostart entry. A new colour backend is one more branch here.
// `brightnessListed` is called on the main thread whenever a background
// listing of displays has come in. Needs a QGuiApplication.
SessionPlatform createSessionPlatform(std::function<void()> brightnessListed);

// The ripple's adapters alone, on $DISPLAY.
RippleAdapters createRippleAdapters();

// Sleep and wake as announced on `systemBus`; a disconnected bus watches
// nothing.
std::unique_ptr<SleepWatcher> createSleepWatcher(QDBusConnection systemBus);

// The keep-awake adapters alone, on the given buses and X display (empty
// means $DISPLAY).
KeepAwakeAdapters createKeepAwakeAdapters(QDBusConnection sessionBus, QDBusConnection systemBus,
                                          const QString &xDisplayName = {});
