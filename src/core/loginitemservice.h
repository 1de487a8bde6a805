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
};
