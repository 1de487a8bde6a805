#include "platform/platformfactory.h"

#include "platform/dbus/logindinhibitor.h"
#include "platform/dbus/logindsession.h"
#include "platform/dbus/logindsleepwatcher.h"
#include "platform/dbus/screensaverinhibitor.h"
#include "platform/sysfs/backgrounddisplaysource.h"
#include "platform/sysfs/backlightdisplaysource.h"
#include "platform/sysfs/ddcdisplaysource.h"
#include "platform/sysfs/ddcutillibrary.h"
#include "platform/wayland/waylandcolorstage.h"
#include "platform/x11/x11applicationsync.h"
#include "platform/x11/x11screencapture.h"
#include "platform/x11/xrandrcolorstage.h"
#include "platform/x11/xscreensaversuspender.h"
#include "platform/xdg/autostartloginitem.h"

#include <QGuiApplication>
#include <QScreen>

KeepAwakeAdapters createKeepAwakeAdapters(QDBusConnection sessionBus, QDBusConnection systemBus,
                                          const QString &xDisplayName)
{
    KeepAwakeAdapters adapters;
    adapters.display = std::make_unique<ScreenSaverInhibitor>(std::move(sessionBus));
    adapters.blankingTimers = std::make_unique<XScreenSaverSuspender>(xDisplayName);
    adapters.system = std::make_unique<LogindInhibitor>(std::move(systemBus));
    return adapters;
}

std::unique_ptr<SleepWatcher> createSleepWatcher(QDBusConnection systemBus)
{
    return std::make_unique<LogindSleepWatcher>(std::move(systemBus));
}

RippleAdapters createRippleAdapters()
{
    RippleAdapters adapters;
    auto capture = std::make_shared<X11ScreenCapture>();
    adapters.compositorRunning = [capture] { return capture->compositingManagerRunning(); };
    adapters.syncDisplay = &syncApplicationDisplay;
    adapters.capture = std::move(capture);
    return adapters;
}

// A Wayland session is one whose compositor answers on $WAYLAND_DISPLAY
// ($XDG_SESSION_TYPE only hints at it). There the X server, if any, is
// XWayland, whose gamma and CTM never reach the screens: colour goes through
// the compositor's gamma control, and the screens cannot be captured.
std::unique_ptr<WaylandColorStage> connectWaylandSession()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return nullptr;
    auto stage = std::make_unique<WaylandColorStage>();
    if (!stage->isConnected())
        return nullptr;
    return stage;
}

RippleAdapters createWaylandRippleAdapters()
{
    RippleAdapters adapters;
    // No capture: refraction is off and every change fades, without crests.
    adapters.compositorRunning = [] { return false; };
    adapters.syncDisplay = &syncApplicationDisplay;
    return adapters;
}

SessionPlatform createSessionPlatform(std::function<void()> brightnessListed)
{
    SessionPlatform platform;
    std::unique_ptr<WaylandColorStage> wayland = connectWaylandSession();
    const bool waylandSession = wayland != nullptr;
    if (wayland && !wayland->hasGammaControl()) {
        platform.colorUnavailableReason = QStringLiteral(
            "The Wayland compositor offers no gamma control, so the screen's colours cannot be changed. "
            "Presets still set brightness and Keep Awake.");
    }
    if (wayland)
        platform.colorStage = std::move(wayland);
    else
        platform.colorStage = std::make_unique<XRandrColorStage>();

    const QDBusConnection systemBus = QDBusConnection::systemBus();
    platform.brightnessSources.push_back(std::make_unique<BacklightDisplaySource>(
        QStringLiteral("/sys"),
        systemBus.isConnected() ? std::make_shared<LogindSession>(systemBus) : nullptr));
    // DDC/CI answers in tens of milliseconds per monitor: listed, read and
    // written on a thread of its own, listed again when screens change.
    auto ddc = std::make_unique<BackgroundDisplaySource>(
        [] { return std::make_unique<DdcDisplaySource>(std::make_shared<DdcutilLibrary>()); });
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QObject::connect(app, &QGuiApplication::screenAdded, ddc.get(),
                         &BackgroundDisplaySource::refresh);
        QObject::connect(app, &QGuiApplication::screenRemoved, ddc.get(),
                         &BackgroundDisplaySource::refresh);
    }
    if (brightnessListed) {
        QObject::connect(ddc.get(), &BackgroundDisplaySource::updated, ddc.get(),
                         std::move(brightnessListed));
    }
    platform.brightnessSources.push_back(std::move(ddc));

    platform.keepAwake = createKeepAwakeAdapters(QDBusConnection::sessionBus(), systemBus);

    platform.ripple = waylandSession ? createWaylandRippleAdapters() : createRippleAdapters();

    platform.loginItem = std::make_shared<AutostartLoginItem>();
    platform.sleepWatcher = createSleepWatcher(systemBus);
    return platform;
}
