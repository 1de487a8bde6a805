#pragma once

#include <QObject>

// An update check as the settings page drives it: whether one is running,
// starting one, and letting go of it. The page never learns where the
// answer comes from or how it is shown.
class UpdateChecking : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool isChecking() const = 0;
    // A user-initiated check reports its outcome to the user.
    virtual void checkForUpdates(bool userInitiated) = 0;
    // The owner is going away: delete now, or once a running check has
    // reported its outcome.
    virtual void deleteWhenFinished() = 0;

Q_SIGNALS:
    void stateChanged();
};
