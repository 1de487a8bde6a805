#include "platform/platformfactory.h"

#include "platform/dbus/gnomesessioninhibitor.h"
#include "platform/dbus/logindinhibitor.h"
#include "platform/dbus/logindsession.h"
#include "platform/dbus/logindsleepwatcher.h"
#include "platform/dbus/screensaverinhibitor.h"
#include "platform/desktop/gnomenightlightstage.h"
#include "platform/desktop/gnomeshellextensionstage.h"
#include "platform/desktop/gnomeshellextensionstatus.h"
#include "platform/desktop/gnomeshellpanelbutton.h"
#include "platform/desktop/kwineffectstage.h"
#include "platform/desktop/kwinnightlightstage.h"
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

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Whether $WAYLAND_DISPLAY names a socket that takes a connection.
bool waylandDisplayAnswers()
{
    QString path = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (path.isEmpty())
        return false;
    if (QDir::isRelativePath(path)) {
        const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtimeDir.isEmpty())
            return false;
        path = runtimeDir + QLatin1Char('/') + path;
    }
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(encoded.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, encoded.constData(), static_cast<size_t>(encoded.size()));
    // Never blocks: a compositor too busy to take the connection at once
    // (EAGAIN) still answers.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const bool answers = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0
                         || errno == EAGAIN;
    ::close(fd);
    return answers;
}

} // namespace

bool isWaylandSession(const std::function<bool()> &xColourUsable)
{
    if (waylandDisplayAnswers())
        return true;
    return qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
           && !(xColourUsable && xColourUsable());
}

// KWin and GNOME let no other client set gamma on Wayland. Halvoscope's own
// filter (the GNOME Shell extension, the KWin effect) shows every preset
// where it answers; otherwise the desktop's night light takes the
// temperature. Told apart by what answers on the bus. Where none is used, a
// night light or a KWin filter left on by an earlier run that crashed is
// still given back.
std::unique_ptr<ColorStage> createDesktopColorStage(const QDBusConnection &sessionBus, bool waylandSession)
{
    if (waylandSession) {
        if (GnomeShellExtensionStage::isPresent(sessionBus))
            return std::make_unique<GnomeShellExtensionStage>(sessionBus);
        if (std::unique_ptr<ColorStage> kwin = createKWinColorStage(sessionBus))
            return kwin;
        if (GnomeNightLightStage::isPresent(sessionBus))
            return std::make_unique<GnomeNightLightStage>();
    }
    KWinEffectStage::recoverRecord(sessionBus);
    // Constructing the stage is what recovers its record.
    if (NightLightRecord::load(QStringLiteral("kwin"))) {
        const KWinNightLightStage recovery(sessionBus);
    }
    if (NightLightRecord::load(QStringLiteral("gnome")) && GnomeNightLightStage::isSchemaInstalled()) {
        const GnomeNightLightStage recovery;
    }
    return nullptr;
}

std::unique_ptr<ColorStage> createKWinColorStage(const QDBusConnection &sessionBus)
{
    auto effect = std::make_unique<KWinEffectStage>(sessionBus);
    const KWinEffectStage::Probe probe = effect->probe();
    if (probe == KWinEffectStage::Probe::Loaded)
        return effect;
    if (!KWinNightLightStage::isPresent(sessionBus))
        return nullptr;
    auto nightLight = std::make_unique<KWinNightLightStage>(sessionBus);
    if (probe == KWinEffectStage::Probe::Refused)
        nightLight->markFilterRefused();
    return nightLight;
}

KeepAwakeAdapters createKeepAwakeAdapters(QDBusConnection sessionBus, QDBusConnection systemBus,
                                          const QString &xDisplayName)
{
    KeepAwakeAdapters adapters;
    // GNOME's idle handling listens to its session manager only.
    if (GnomeSessionInhibitor::isPresent(sessionBus))
        adapters.display = std::make_unique<GnomeSessionInhibitor>(std::move(sessionBus));
    else
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
    // GNOME and KDE Plasma on Wayland: the desktop's night light; another
    // Wayland compositor: its gamma control; otherwise the X server's XRandR.
    // The X server is asked only where the session type leaves it open; a
    // Wayland session has no use for XWayland's colour.
    std::unique_ptr<XRandrColorStage> xrandr;
    const auto xColourUsable = [&xrandr] {
        if (!xrandr)
            xrandr = std::make_unique<XRandrColorStage>();
        return xrandr->isAvailable();
    };
    const bool waylandSession = isWaylandSession(xColourUsable);
    platform.waylandSession = waylandSession;
    platform.colorStage = createDesktopColorStage(QDBusConnection::sessionBus(), waylandSession);
    if (!platform.colorStage) {
        if (std::unique_ptr<WaylandColorStage> wayland = connectWaylandSession()) {
            if (!wayland->hasGammaControl()) {
                platform.colorUnavailableReason = QCoreApplication::translate(
                    "PlatformFactory",
                    "The Wayland compositor offers no gamma control, so the screen's colors cannot be changed. "
                    "Presets still set brightness and Keep Awake.");
            }
            platform.colorStage = std::move(wayland);
        } else {
            platform.colorStage = xrandr ? std::move(xrandr) : std::make_unique<XRandrColorStage>();
        }
    }
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
    // The extension's button serves X11 GNOME sessions too, whose top bar
    // shows no tray icons either.
    if (GnomeShellExtensionStage::isPresent(QDBusConnection::sessionBus()))
        platform.panelButton = std::make_unique<GnomeShellPanelButton>(QDBusConnection::sessionBus());
    if (GnomeShellExtensionStatus::isPresent(QDBusConnection::sessionBus()))
        platform.desktopExtension = std::make_unique<GnomeShellExtensionStatus>(QDBusConnection::sessionBus());
    return platform;
}
