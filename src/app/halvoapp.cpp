#include "app/halvoapp.h"

#include "app/desktopnotifier.h"
#include "app/halvobusservice.h"
#include "app/processservices.h"
#include "app/remotecontrol.h"
#include "app/statusbarcontroller.h"
#include "app/terminationsignals.h"
#include "app/userdefaults.h"
#include "onboarding/firstlaunch.h"
#include "onboarding/onboardingmodel.h"
#include "onboarding/onboardingwindowcontroller.h"
#include "core/desktopextension.h"
#include "core/halvostore.h"
#include "core/panelbutton.h"
#include "core/statepersistence.h"
#include "core/systemlog.h"
#include "engines/brightnessengine.h"
#include "engines/displaycolorengine.h"
#include "engines/keepawakeengine.h"
#include "engines/colorstage.h"
#include "platform/platformfactory.h"
#include "ripple/rippletransitionengine.h"
#include "schedule/scheduleengine.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDateTime>
#include <QGuiApplication>
#include <QPointer>
#include <QQuickWindow>
#include <QScreen>
#include <QTimeZone>
#include <QVariantList>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

// A relaunch ("Relaunch", "Relaunch & Finish") starts the new process while
// the old one still owns the bus name. Every process puts its pid here; a
// child that inherits it knows it replaces its parent and waits for the name.
const char relaunchParentVariable[] = "HALVOSCOPE_RELAUNCHED_FROM";
constexpr int relaunchWaitMs = 10000;

} // namespace

HalvoApp::HalvoApp(LaunchRequest request, QObject *parent)
    : QObject(parent)
    , m_request(std::move(request))
{
}

HalvoApp::~HalvoApp()
{
    // Normally done from aboutToQuit; this covers an event loop that never ran.
    shutdown();
}

int HalvoApp::run()
{
    QApplication::setApplicationName(QStringLiteral("Halvoscope"));
    QApplication::setOrganizationName(QStringLiteral("Halvoscope"));
    QApplication::setApplicationVersion(QStringLiteral(HALVOSCOPE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.corvanta.Halvoscope"));
    QApplication::setQuitOnLastWindowClosed(false);
    // The popover is a few rows of text and symbols: Qt Quick's software
    // renderer draws it as crisply as OpenGL, starts faster and costs about
    // a third of the memory (no GL driver in the process).
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    // The bus object exists before the name is claimed: a second launch may
    // call it as soon as the name is ours. Calls wait in the event loop until
    // the launch below has finished.
    QPointer<HalvoApp> self(this);
    m_busService = std::make_unique<HalvoBusService>(
        nullptr, [self] {
            if (self)
                self->reopen();
        },
        QDBusConnection::sessionBus());
    m_busService->setQuitAction([] { QCoreApplication::quit(); });

    const Instance instance = claimSingleInstance();
    if (instance == Instance::Other) {
        m_busService.reset();
        return forwardRequestToRunningInstance();
    }
    switch (instance) {
    case Instance::Other:
        break;
    case Instance::Unguarded:
        std::fprintf(stderr, "halvoscope: no D-Bus session bus; cannot guard against a second "
                             "instance, and the D-Bus interface is not available.\n");
        break;
    case Instance::First:
        break;
    }

    m_terminationSignals = std::make_unique<TerminationSignals>();
    connect(m_terminationSignals.get(), &TerminationSignals::received, qApp, &QCoreApplication::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &HalvoApp::shutdown);
    endWithTheBusIfStartedByIt();

    start();
    return QApplication::exec();
}

HalvoApp::Instance HalvoApp::claimSingleInstance()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Instance::Unguarded;
    if (!m_busService->registerObject()) {
        std::fprintf(stderr, "halvoscope: cannot export %s on the session bus\n",
                     qPrintable(HalvoBusService::objectPath));
    }
    const auto claim = [&bus] {
        return bus.interface()->registerService(HalvoBusService::serviceName,
                                                QDBusConnectionInterface::DontQueueService,
                                                QDBusConnectionInterface::DontAllowReplacement);
    };
    QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = claim();

    const bool relaunched = !qEnvironmentVariableIsEmpty(relaunchParentVariable);
    qputenv(relaunchParentVariable, QByteArray::number(qint64(::getpid())));
    if (relaunched && reply.isValid() && reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        // The instance we replace is still shutting down: give it a moment.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < relaunchWaitMs) {
            QThread::msleep(100);
            reply = claim();
            if (!reply.isValid() || reply.value() == QDBusConnectionInterface::ServiceRegistered)
                break;
        }
    }
    if (!reply.isValid()) {
        std::fprintf(stderr, "halvoscope: cannot claim %s on the session bus: %s\n",
                     qPrintable(HalvoBusService::serviceName), qPrintable(reply.error().message()));
        return Instance::Unguarded;
    }
    return reply.value() == QDBusConnectionInterface::ServiceRegistered ? Instance::First
                                                                        : Instance::Other;
}

int HalvoApp::forwardRequestToRunningInstance()
{
    return forwardRequest(RemoteControl(QDBusConnection::sessionBus()), m_request);
}

int HalvoApp::forwardRequest(const RemoteControl &instance, const LaunchRequest &request)
{
    if (request.activatePreset) {
        if (const int status = instance.activatePreset(request.presetID); status != RemoteControl::succeeded)
            return status;
    }
    // A plain second launch shows the popover; --preset alone does not.
    if (request.showPopover || !request.activatePreset)
        return instance.showPopover();
    return RemoteControl::succeeded;
}

// An instance the session bus started for a call belongs to that bus: a
// private bus of a test or of a remote session ends without a logout, and
// the instance would keep the displays coloured with nobody to reach it.
// libdbus reports the lost connection as a local Disconnected signal.
void HalvoApp::endWithTheBusIfStartedByIt()
{
    if (qEnvironmentVariable("DBUS_STARTER_BUS_TYPE") != QLatin1String("session"))
        return;
    QDBusConnection::sessionBus().connect(
        QString(), QStringLiteral("/org/freedesktop/DBus/Local"), QStringLiteral("org.freedesktop.DBus.Local"),
        QStringLiteral("Disconnected"), this, SLOT(busDisconnected()));
}

void HalvoApp::busDisconnected()
{
    std::fprintf(stderr, "halvoscope: the session bus that started Halvoscope has gone; quitting.\n");
    QCoreApplication::quit();
}

void HalvoApp::carryOutRequest()
{
    if (m_request.activatePreset && m_busService)
        m_busService->ActivatePreset(m_request.presetID);
    if (m_request.showPopover)
        showPopover();
}

void HalvoApp::start()
{
    if (m_launched)
        return;
    m_launched = true;

    // No task-bar entry and no window of our own: QApplication shows nothing
    // until asked, and our windows keep out of task bars themselves.

    QPointer<HalvoApp> self(this);
    // The store reads brightness once at start, usually before a background
    // listing of displays is in; it hears of levels as they arrive.
    SessionPlatform platform = createSessionPlatform([self] {
        if (self && self->m_store)
            self->m_store->refreshBrightness();
    });

    m_colorEngine = std::make_shared<DisplayColorEngine>(std::move(platform.colorStage));
    m_colorUnavailableReason = platform.colorUnavailableReason;
    m_brightnessEngine = std::make_shared<BrightnessEngine>(std::move(platform.brightnessSources), [] {
        const QScreen *primary = QGuiApplication::primaryScreen();
        return primary ? primary->name() : QString();
    });
    m_keepAwakeEngine = std::make_shared<KeepAwakeEngine>(std::move(platform.keepAwake));

    m_rippleEngine = createRippleEngine(platform);

    m_store = std::make_unique<HalvoStore>(
        StatePersistence(), m_colorEngine, m_brightnessEngine, m_keepAwakeEngine, m_rippleEngine,
        [] { return QDateTime::currentDateTime(); },
        std::move(platform.loginItem),
        []() -> std::optional<QRectF> {
            const QScreen *primary = QGuiApplication::primaryScreen();
            return primary ? std::optional<QRectF>(primary->geometry()) : std::nullopt;
        });
    m_busService->setStore(m_store.get());
    QObject::connect(m_colorEngine.get(), &DisplayColorEngine::noticeRaised, m_store.get(),
                     &HalvoStore::reportDisplayProblem);
    // The saved preset's colour goes on the screens first: everything after
    // it only adds ways to change it. What the store reports from here on
    // already reaches the desktop's notifications.
    notifyWhatHappens();
    m_store->reapplyActivePreset();

    StatusBarController::Actions actions;
    actions.showOnboarding = [self] {
        if (self)
            self->showOnboarding();
    };
    actions.quit = [] { QCoreApplication::quit(); };
    actions.waylandSession = platform.waylandSession;
    actions.screenCapabilities = [engine = std::weak_ptr<DisplayColorEngine>(m_colorEngine)] {
        const std::shared_ptr<DisplayColorEngine> colorEngine = engine.lock();
        return colorEngine ? colorEngine->screenCapabilities() : ScreenColorCapabilities{};
    };
    m_panelButton = std::move(platform.panelButton);
    m_desktopExtension = std::move(platform.desktopExtension);
    actions.desktopExtension = m_desktopExtension.get();
    restartWhenExtensionStarts();
    m_statusBarController =
        std::make_unique<StatusBarController>(m_store.get(), std::move(actions), m_panelButton.get());
    QObject::connect(m_colorEngine.get(), &DisplayColorEngine::screenCapabilitiesChanged,
                     m_statusBarController.get(), &StatusBarController::screenCapabilitiesChanged);
    notifyOfMissingTray();

    m_scheduleEngine = std::make_unique<ScheduleEngine>([self] {
        if (self && self->m_store)
            self->m_store->checkSchedule(QTimeZone::systemTimeZone());
    },
                                                        std::move(platform.sleepWatcher));
    m_scheduleEngine->start();

    m_userDefaults = UserDefaults::open();
    handleFirstRun();
    carryOutRequest();
}

// The colour stage and the tray are chosen once, at start: an extension the
// user switches on meanwhile is taken up by starting again.
void HalvoApp::restartWhenExtensionStarts()
{
    if (!m_desktopExtension || m_desktopExtension->state() == DesktopExtension::State::Enabled)
        return;
    QObject::connect(m_desktopExtension.get(), &DesktopExtension::stateChanged, this, [this] {
        if (m_desktopExtension->state() != DesktopExtension::State::Enabled)
            return;
        logSystemLine(QStringLiteral("Halvoscope starts again to use its GNOME Shell extension"));
        if (ProcessServices::launchNewInstance())
            QCoreApplication::quit();
    });
}

std::shared_ptr<RippleTransitioning> HalvoApp::createRippleEngine(const SessionPlatform &platform)
{
    RippleTransitionEngine::Platform parts;
    parts.capture = platform.ripple.capture;
    parts.compositorRunning = platform.ripple.compositorRunning;
    parts.syncDisplay = platform.ripple.syncDisplay;
    return std::make_shared<RippleTransitionEngine>(m_colorEngine, std::move(parts));
}

// What the user cannot see otherwise: a display server whose colours cannot
// be changed, and faults that happen away from the popover (a state file
// that cannot be written).
void HalvoApp::notifyWhatHappens()
{
    m_notifier = std::make_unique<DesktopNotifier>(QDBusConnection::sessionBus());
    DesktopNotifier *notifier = m_notifier.get();
    HalvoStore *store = m_store.get();
    QObject::connect(store, &HalvoStore::errorMessageChanged, notifier, [notifier, store] {
        if (const std::optional<QString> message = store->errorMessage())
            notifier->notifyOnce(QStringLiteral("Halvoscope"), *message);
    });
    if (!m_colorEngine->canChangeColor()) {
        const QString why = !m_colorUnavailableReason.isEmpty()
                                ? m_colorUnavailableReason
                                : QCoreApplication::translate("HalvoApp", "The display server offers no way to change the screen's colors (no XRandR). "
                                                                          "Presets still set brightness and Keep Awake.");
        logSystemLine(QCoreApplication::translate("HalvoApp", "Halvoscope cannot change the screen's colors: %1").arg(why));
        notifier->notifyOnce(QCoreApplication::translate("HalvoApp", "Halvoscope cannot change the screen's colors"), why);
    }
    QObject::connect(store, &HalvoStore::stateSaveFailed, notifier,
                     [notifier](const QString &filePath, const QString &error) {
                         notifier->notifyOnce(QCoreApplication::translate("HalvoApp", "Halvoscope could not save its settings"),
                                              QCoreApplication::translate("HalvoApp", "Writing %1 failed: %2").arg(filePath, error));
                     });
}

// Nor can they see that no tray shows the icon. Once per login session: the
// mark lives in the runtime folder, which the session's end empties.
void HalvoApp::notifyOfMissingTray()
{
    DesktopNotifier *notifier = m_notifier.get();
    QObject::connect(m_statusBarController.get(), &StatusBarController::trayUnavailable, notifier, [notifier] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                               + QStringLiteral("/Halvoscope");
        const QString mark = folder + QStringLiteral("/tray-notice-")
                             + qEnvironmentVariable("XDG_SESSION_ID", QStringLiteral("session"));
        if (QFileInfo::exists(mark))
            return;
        QDir().mkpath(folder);
        if (QFile file(mark); file.open(QIODevice::WriteOnly))
            file.close();
        notifier->notifyOnce(tr("Halvoscope is running"),
                             tr("No panel shows its icon. To open Halvoscope, launch it again or run "
                                "\"halvoscope --show\". %1")
                                 .arg(trayAdvice(qEnvironmentVariable("XDG_CURRENT_DESKTOP"))));
    });
}

// How a panel icon comes about on the desktop XDG_CURRENT_DESKTOP names.
QString HalvoApp::trayAdvice(const QString &currentDesktop)
{
    const QStringList desktops = currentDesktop.toLower().split(QLatin1Char(':'));
    const auto is = [&desktops](const char *name) { return desktops.contains(QLatin1String(name)); };
    if (is("gnome") || is("ubuntu"))
        return tr("For an icon in the top bar, enable Halvoscope's GNOME Shell extension "
                  "(gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension "
                  "(package gnome-shell-extension-appindicator).");
    if (is("kde"))
        return tr("For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).");
    if (is("xfce"))
        return tr("For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).");
    if (is("sway") || is("hyprland") || is("river") || is("labwc") || is("wayfire"))
        return tr("For an icon, give the bar a tray: swaybar's tray_output, or Waybar's tray module.");
    if (is("lxqt") || is("mate") || is("x-cinnamon") || is("lxde") || is("budgie"))
        return tr("For an icon, add the system tray (notification area) to a panel.");
    return tr("For an icon, run a panel with a system tray (for example trayer or stalonetray).");
}

void HalvoApp::handleFirstRun()
{
    QPointer<HalvoApp> self(this);
    runFirstLaunchHandling(
        *m_store, *m_userDefaults,
        [self] {
            if (self)
                self->showPopover();
        },
        [self] {
            if (self)
                self->showOnboarding();
        });
}

void HalvoApp::showOnboarding()
{
    if (!m_onboardingController) {
        QPointer<HalvoApp> self(this);
        OnboardingWindowController::ProcessActions process;
        process.launchNewInstance = [] { ProcessServices::launchNewInstance(); };
        process.quit = [] { QCoreApplication::quit(); };
        process.desktopExtension = m_desktopExtension.get();
        m_onboardingController = std::make_unique<OnboardingWindowController>(
            m_store.get(), m_userDefaults.get(), [self] {
                if (self)
                    self->showPopover();
            },
            std::move(process));
    }
    m_onboardingController->show(0);
}

void HalvoApp::showPopover()
{
    if (m_statusBarController)
        m_statusBarController->showPopover();
}

void HalvoApp::shutdown()
{
    if (!m_launched || m_terminated)
        return;
    m_terminated = true;
    if (m_scheduleEngine)
        m_scheduleEngine->stop();
    if (m_statusBarController)
        m_statusBarController->closePopover();
    if (m_store)
        m_store->prepareForTermination();
}

void HalvoApp::reopen()
{
    if (m_statusBarController)
        m_statusBarController->showPopover();
}
