#pragma once

#include "core/screencolorcapability.h"

#include <QColor>
#include <QIcon>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class DesktopExtension;
class HalvoStore;
class PanelButton;
class PopoverContext;
class PopoverNavigation;
class PopoverWindow;
class QQmlEngine;
class X11InputMonitor;

// The tray icon and the popover that hangs from it. A left click toggles the
// popover; a right click, or a left click with Control held, returns to
// Standard. The icon and its tooltip follow the store. While the popover is
// open, a left or right press anywhere outside it and the icon closes it.
// Where the desktop has a button of ours in its top bar (`panelButton`),
// that button takes the tray icon's place, and no tray is looked for.
class StatusBarController : public QObject {
    Q_OBJECT

public:
    struct Actions {
        std::function<void()> showOnboarding;
        std::function<void()> quit;
        // What each screen can show, for the popover's pages.
        std::function<ScreenColorCapabilities()> screenCapabilities;
        // GNOME Shell's extension, for the settings page; null elsewhere.
        QPointer<DesktopExtension> desktopExtension;
        // A Wayland compositor runs the session: presses on other programs'
        // surfaces never reach us, so losing activation means a click elsewhere.
        bool waylandSession = false;
    };

    StatusBarController(HalvoStore *store, Actions actions, PanelButton *panelButton = nullptr,
                        QObject *parent = nullptr);
    ~StatusBarController() override;

    PopoverNavigation *navigation() const { return m_navigation; }
    QSystemTrayIcon *trayIcon() const { return m_trayIcon; }
    // Nothing until the popover is first opened, and again once a closed
    // popover has been released.
    PopoverWindow *popoverWindow() const { return m_popover; }

    // A closed popover keeps its window and QML engine this long, so opening
    // it again soon is quick; then both go and their memory with them.
    static constexpr std::chrono::milliseconds defaultPopoverReleaseDelay{20000};
    void setPopoverReleaseDelay(std::chrono::milliseconds delay) { m_popoverRelease.setInterval(delay); }

    bool isPopoverShown() const;

    // The running application was launched again: the popover, as from a click.
    void showPopover();
    void openPopover();
    void closePopover();

    void handleActivation(QSystemTrayIcon::ActivationReason reason);

    // What the screens can show changed: the popover's pages read it again.
    void screenCapabilitiesChanged();

    // The icon's centre in global coordinates while it can be seen.
    std::optional<QPointF> statusButtonCenter() const;

Q_SIGNALS:
    // Some seconds after start no tray had taken the icon: the user sees
    // nothing of the running application.
    void trayUnavailable();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void returnToStandard();
    void handlePanelClick(int button, const QRect &geometry);
    // The icon's or the panel button's rectangle; empty while unknown.
    QRect buttonGeometry() const;
    void togglePopover();
    void scheduleIconUpdate();
    void updateStatusIcon();
    void showTrayIconWhenAvailable();
    void checkPanelColour();
    std::optional<QColor> panelColourBehindIcon() const;
    void ensurePopover();
    void releasePopover();
    void watchInputWhileOpen();
    void placePopover();
    void watchOutsideInput();
    void handleOutsidePress(int button, const QPoint &nativePosition);
    void handlePopoverFocusLost();
    void stopWatchingInputWhileClosed();

    QPointer<HalvoStore> m_store;
    Actions m_actions;
    PopoverNavigation *m_navigation;
    QSystemTrayIcon *m_trayIcon;
    QTimer m_trayPoll;
    QPointer<PanelButton> m_panelButton;
    // Where the panel button was at its last click.
    QRect m_panelGeometry;
    // Re-reads the panel's colour behind an embedded icon now and then: a
    // panel can change its colour (a theme switch, a wallpaper under a
    // transparent one) without telling its icons.
    QTimer m_panelCheck;
    QColor m_panelColour;
    bool m_iconUpdatePending = false;

    std::unique_ptr<QQmlEngine> m_qmlEngine;
    PopoverContext *m_popoverContext = nullptr;
    PopoverWindow *m_popover = nullptr;
    QTimer m_popoverRelease;

    // Presses anywhere while the popover is open; null without XInput2.
    X11InputMonitor *m_inputMonitor = nullptr;
    // The user's last input since the popover opened was a key press, so a
    // focus change that follows is theirs (a window switch), not the window
    // manager's.
    bool m_keyPressedSinceOpen = false;
    // An outside press closed the popover while the icon's place is unknown
    // (a StatusNotifierItem host): until the next press, an activation of the
    // icon is that same click, which toggles the popover closed.
    bool m_closedByUnplacedPress = false;

    // Drawn once per colour, each when first needed; redrawn when the palette
    // or the panel behind the icon changes.
    QColor m_iconColour;
    QIcon m_activeIcon;
    QIcon m_inactiveIcon;
};
