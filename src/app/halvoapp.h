#pragma once

#include <QObject>

#include <memory>

class BrightnessEngine;
class DisplayColorEngine;
class HalvoBusService;
class HalvoStore;
class KeepAwakeEngine;
class OnboardingWindowController;
class QSettings;
class RippleTransitioning;
class ScheduleEngine;
class StatusBarController;
class TerminationSignals;

// The program's composition root. Builds every long-lived object in a fixed
// order, answers a second launch by showing the popover, and returns the
// displays to the system's own state when the process ends, however it ends
// (quit from the popover, SIGTERM, SIGINT, SIGHUP).
class HalvoApp : public QObject {
    Q_OBJECT

public:
    explicit HalvoApp(QObject *parent = nullptr);
    ~HalvoApp() override;

    // Needs a QApplication. Returns the process's exit code: 0 at once when
    // another instance runs (it is asked to show its popover instead).
    int run();

    HalvoStore *store() const { return m_store.get(); }
    StatusBarController *statusBarController() const { return m_statusBarController.get(); }
    ScheduleEngine *scheduleEngine() const { return m_scheduleEngine.get(); }

    void applicationDidFinishLaunching();
    void applicationWillTerminate();
    void applicationShouldHandleReopen();

private:
    enum class Instance { First, Other, Unguarded };
    Instance claimSingleInstance();
    int askRunningInstanceToShowPopover();
    std::shared_ptr<RippleTransitioning> createRippleEngine();
    void handleFirstRun();
    void showOnboarding();
    void showPopover();

    std::shared_ptr<DisplayColorEngine> m_colorEngine;
    std::shared_ptr<BrightnessEngine> m_brightnessEngine;
    std::shared_ptr<KeepAwakeEngine> m_keepAwakeEngine;
    std::shared_ptr<RippleTransitioning> m_rippleEngine;
    std::unique_ptr<HalvoStore> m_store;
    std::unique_ptr<StatusBarController> m_statusBarController;
    std::unique_ptr<ScheduleEngine> m_scheduleEngine;
    std::unique_ptr<QSettings> m_userDefaults;
    // Declared after the store and the user defaults, so it goes first.
    std::unique_ptr<OnboardingWindowController> m_onboardingController;

    std::unique_ptr<HalvoBusService> m_busService;
    std::unique_ptr<TerminationSignals> m_terminationSignals;
    bool m_launched = false;
    bool m_terminated = false;
};
