#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

#include <functional>

class DesktopExtension;
class HalvoStore;
class OnboardingModel;
class QQuickView;
class QQuickWindow;
class QSettings;

// Owns the onboarding window: opens it (or brings it forward), ends a
// completed onboarding and applies the close-button rules. A closed window
// takes its page state with it; the next show starts afresh.
class OnboardingWindowController : public QObject {
    Q_OBJECT

public:
    struct ProcessActions {
        // Starts a fresh, independent instance of this program.
        std::function<void()> launchNewInstance;
        // The application's normal quit path.
        std::function<void()> quit;
        // GNOME Shell's extension, whose state the guide shows; null elsewhere.
        QPointer<DesktopExtension> desktopExtension;
    };

    static constexpr QSize windowSize{520, 470};
    // Room kept for the window manager's title bar above the window.
    static constexpr int titleBarAllowance = 32;

    // `userDefaults` must outlive the controller. `onComplete` runs after a
    // finished onboarding (the application opens its popover there). The
    // process actions come from the application, which owns its process.
    OnboardingWindowController(HalvoStore *store, QSettings *userDefaults,
                               std::function<void()> onComplete,
                               ProcessActions process,
                               QObject *parent = nullptr);
    ~OnboardingWindowController() override;

    // Opens the window at `startStep` (clamped to 0…2), or brings the open
    // one to the front keeping its page.
    void show(int startStep = 0);
    // Ends a completed onboarding: marker removed, onboarding recorded,
    // window closed, then onComplete.
    void finish();

    // Both null while no window is open.
    QQuickWindow *window() const;
    OnboardingModel *model() const { return m_model; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow(int startStep);
    void discardWindow();
    void bringToFront();

    QPointer<HalvoStore> m_store;
    QSettings *m_userDefaults;
    std::function<void()> m_onComplete;
    ProcessActions m_process;
    QPointer<QQuickView> m_window;
    QPointer<OnboardingModel> m_model;
};
