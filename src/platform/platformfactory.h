#pragma once

#include "engines/keepawakeadapters.h"

#include <QDBusConnection>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class BrightnessDisplaySource;
class DesktopExtension;
class ColorStage;
class LoginItemService;
class PanelButton;
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
    // The desktop's own button for the application (GNOME Shell's
    // extension), which takes the tray icon's place; null where there is none.
    std::unique_ptr<PanelButton> panelButton;
    // What the desktop says of Halvoscope's part inside it (GNOME Shell's
    // extension); null on desktops without one.
    std::unique_ptr<DesktopExtension> desktopExtension;
    // A Wayland compositor runs the session (our windows may still be on XWayland).
    bool waylandSession = false;
};

// The adapters of the session this process runs in: XRandR colour (in a
// Wayland session the desktop's night light on GNOME and KDE Plasma, else the
// compositor's gamma control, and no capture there), the X
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

// Whether this process runs in a Wayland session: $WAYLAND_DISPLAY's socket
// takes a connection, or XDG_SESSION_TYPE is "wayland" and the X server (an
// XWayland) offers no usable colour (`xColourUsable` false).
bool isWaylandSession(const std::function<bool()> &xColourUsable);

// In a Wayland session (`waylandSession`, from isWaylandSession), the
// desktop's own colour stage: Halvoscope's GNOME Shell extension where it
// answers on `sessionBus`, else KWin's (createKWinColorStage), else GNOME's
// night light where its settings daemon's colour plugin answers. Null
// otherwise.
std::unique_ptr<ColorStage> createDesktopColorStage(const QDBusConnection &sessionBus, bool waylandSession);

// Halvoscope's KWin effect where KWin loads it; else KWin's night light
// where its object answers, marked when KWin refused the effect. Null
// without KWin.
std::unique_ptr<ColorStage> createKWinColorStage(const QDBusConnection &sessionBus);

// The keep-awake adapters alone, on the given buses and X display (empty
// means $DISPLAY). GNOME's session manager, where it is on the session bus,
// takes the place of the ScreenSaver service.
KeepAwakeAdapters createKeepAwakeAdapters(QDBusConnection sessionBus, QDBusConnection systemBus,
                                          const QString &xDisplayName = {});
