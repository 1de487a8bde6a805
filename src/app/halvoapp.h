#pragma once

#include <QObject>
#include <QString>

#include <memory>

class BrightnessEngine;
class DisplayColorEngine;
class HalvoBusService;
class HalvoStore;
class KeepAwakeEngine;
class OnboardingWindowController;
class DesktopExtension;
class PanelButton;
class QSettings;
class RemoteControl;
class RippleTransitioning;
class ScheduleEngine;
struct SessionPlatform;
class DesktopNotifier;
class StatusBarController;
class TerminationSignals;

// The program's composition root. Builds every long-lived object in a fixed
// order, hands a second launch's request to the running instance (showing
// its popover unless told otherwise), and returns the displays to the
// system's own state when the process ends, however it ends (quit from the
// popover, SIGTERM, SIGINT, SIGHUP).
class HalvoApp : public QObject {
    Q_OBJECT

public:
    // What the command line asks of this launch.
    struct LaunchRequest {
        // Activate `presetID` as a click on its row would. An id that neither
        // the running instance nor the state file knows ends the launch with
        // an error, before anything starts.
        bool activatePreset = false;
        QString presetID;
        // Open the popover once launched.
        bool showPopover = false;
    };

    explicit HalvoApp(LaunchRequest request, QObject *parent = nullptr);
    ~HalvoApp() override;

    // Needs a QApplication. Returns the process's exit code. When another
    // instance runs, it gets the request (by default: show the popover) and
    // this returns at once, 0 when the instance carried it out.
    int run();

    // How to get a panel icon on this desktop (XDG_CURRENT_DESKTOP), in a sentence.
    static QString trayAdvice(const QString &currentDesktop);

    // Hands `request` to the instance that runs; returns the exit code.
    static int forwardRequest(const RemoteControl &instance, const LaunchRequest &request);

    HalvoStore *store() const { return m_store.get(); }
    StatusBarController *statusBarController() const { return m_statusBarController.get(); }
    ScheduleEngine *scheduleEngine() const { return m_scheduleEngine.get(); }

    void start();
    void shutdown();
    void reopen();

private Q_SLOTS:
    void busDisconnected();

private:
    enum class Instance { First,
                          Other,
                          Unguarded };
    Instance claimSingleInstance();
    int forwardRequestToRunningInstance();
    void carryOutRequest();
    std::shared_ptr<RippleTransitioning> createRippleEngine(const SessionPlatform &platform);
    void restartWhenExtensionStarts();
    void handleFirstRun();
    void showOnboarding();
    void showPopover();
    void notifyWhatHappens();
    void notifyOfMissingTray();
    void endWithTheBusIfStartedByIt();

    std::shared_ptr<DisplayColorEngine> m_colorEngine;
    // Set by the platform where its own words say better why colour cannot change.
    QString m_colorUnavailableReason;
    std::shared_ptr<BrightnessEngine> m_brightnessEngine;
    std::shared_ptr<KeepAwakeEngine> m_keepAwakeEngine;
    std::shared_ptr<RippleTransitioning> m_rippleEngine;
    std::unique_ptr<HalvoStore> m_store;
    // Declared before the controller, which uses it until it goes.
    std::unique_ptr<PanelButton> m_panelButton;
    std::unique_ptr<DesktopExtension> m_desktopExtension;
    std::unique_ptr<StatusBarController> m_statusBarController;
    std::unique_ptr<ScheduleEngine> m_scheduleEngine;
    std::unique_ptr<QSettings> m_userDefaults;
    // Declared after the store and the user defaults, so it goes first.
    std::unique_ptr<OnboardingWindowController> m_onboardingController;

    std::unique_ptr<HalvoBusService> m_busService;
    std::unique_ptr<TerminationSignals> m_terminationSignals;
    std::unique_ptr<DesktopNotifier> m_notifier;
    LaunchRequest m_request;
    bool m_launched = false;
    bool m_terminated = false;
};
