#pragma once

#include <QString>

// The application's own login item (start at login).
class LoginItemService {
public:
    virtual ~LoginItemService() = default;

    // On failure `errorDescription` receives a readable description.
    virtual bool registerItem(QString *errorDescription) = 0;
    virtual bool unregisterItem(QString *errorDescription) = 0;

    // True exactly when the login item is enabled.
    virtual bool isEnabled() const = 0;

    // Why a first run should leave the login item off here, in a sentence for
    // the user (a program run from its build tree); empty when nothing speaks
    // against the usual default.
    virtual QString reasonToStartOff() const { return {}; }
};
