#pragma once

#include "core/desktopextension.h"
#include "core/halvostore.h"
#include "core/screencolorcapability.h"
#include "core/updatechecking.h"
#include "popover/popovernavigation.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

// Everything the popover's pages work with: the shared store, the shared
// navigation and the host's actions and services. The host creates one and hands it
// to PopoverRootView as its `context`; each page builds its model from it.
class PopoverContext : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("PopoverContext is created by the application")
    Q_PROPERTY(PopoverNavigation *navigation READ navigation CONSTANT)

public:
    struct Actions {
        std::function<void()> onClose;
        std::function<void()> onShowOnboarding;
        std::function<void()> onQuit;
        // Starts a new, detached instance of the application; false when it
        // could not be started.
        std::function<bool()> launchNewInstance;
        // A fresh update check for one visit of the settings page, without a
        // parent; unset or returning null where updates are left to the
        // system's package manager.
        std::function<UpdateChecking *()> makeUpdateChecking;
        // The running version, named on the settings page.
        QString version;
        // What each screen can show (the display colour engine's answer);
        // unset where the host does not know.
        std::function<ScreenColorCapabilities()> screenCapabilities;
        // The desktop's part of Halvoscope that must be switched on there
        // (GNOME Shell's extension); null on other desktops.
        QPointer<DesktopExtension> desktopExtension;
    };

    // The store and the navigation must outlive the context.
    PopoverContext(HalvoStore *store, PopoverNavigation *navigation, Actions actions,
                   QObject *parent = nullptr);

    HalvoStore *store() const { return m_store; }
    PopoverNavigation *navigation() const { return m_navigation; }

    Q_INVOKABLE void close();
    Q_INVOKABLE void showOnboarding();
    Q_INVOKABLE void quit();

    // Escape: back to the parent page, or close the popover on the main page.
    Q_INVOKABLE void handleEscape();

    // Ready-made actions for the page models. Each holds the context weakly
    // and does nothing once it is gone.
    std::function<void()> goBackAction();
    std::function<void()> showPageAction(const PopoverPage &page);
    std::function<void(const QString &)> editPresetAction(bool returnToSettings);
    std::function<void()> showOnboardingAction();
    std::function<void()> quitAction();
    std::function<bool()> launchNewInstanceAction();
    // Unlike the actions above this one is called at once, by a page being
    // built, so it holds nothing.
    UpdateChecking *makeUpdateChecking() const;
    QString version() const { return m_actions.version; }

    // Nothing when the host does not say; an empty list when no colour
    // reaches any screen.
    std::optional<ScreenColorCapabilities> screenCapabilities() const;
    DesktopExtension *desktopExtension() const { return m_actions.desktopExtension; }
    // The host calls this when what the screens can show changed.
    void notifyScreenCapabilitiesChanged() { Q_EMIT screenCapabilitiesChanged(); }

Q_SIGNALS:
    void screenCapabilitiesChanged();

private:
    QPointer<HalvoStore> m_store;
    QPointer<PopoverNavigation> m_navigation;
    Actions m_actions;
};
