#pragma once

#include <QObject>
#include <QString>

// A part of Halvoscope that runs inside the desktop's compositor (GNOME
// Shell's extension) and has to be switched on there: its state as the
// desktop reports it, and the one action a user can take.
class DesktopExtension : public QObject {
    Q_OBJECT

public:
    enum class State {
        // The desktop does not know it and its files are not installed.
        NotInstalled,
        // Installed after the desktop started: found at the next login.
        NeedsLogin,
        Disabled,
        Enabled,
        // It failed to start; error() says why.
        Failed,
        // The desktop runs no extensions at all.
        ExtensionsOff,
    };

    using QObject::QObject;

    virtual State state() const = 0;
    virtual QString error() const = 0;
    // Asks the desktop to switch it on (and extensions at all, when off);
    // the answer arrives as stateChanged.
    virtual void enable() = 0;

Q_SIGNALS:
    void stateChanged();
};
