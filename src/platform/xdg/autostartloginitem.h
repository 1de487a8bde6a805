#pragma once

#include "core/loginitemservice.h"

#include <QString>

// Start at login through an XDG autostart entry,
// <config>/autostart/com.corvanta.Halvoscope.desktop, which desktop sessions
// launch when the user logs in.
class AutostartLoginItem : public LoginItemService {
public:
    // The user's config folder ($XDG_CONFIG_HOME) and this executable's path.
    AutostartLoginItem();
    AutostartLoginItem(const QString &configDirectory, const QString &executablePath);

    bool registerItem(QString *errorDescription) override;
    bool unregisterItem(QString *errorDescription) override;
    // The entry exists and the user has not switched it off with Hidden=true.
    bool isEnabled() const override;
    // A binary beside its CMakeCache.txt runs from a build tree, which may be
    // rebuilt, moved or deleted; the login item belongs to an installed copy.
    QString reasonToStartOff() const override;

    QString entryPath() const;
    QString desktopEntry() const;

    // The Exec value that runs exactly `program`: quoted and escaped when it
    // holds characters the Desktop Entry format reserves.
    static QString execValue(const QString &program);
    // `text` as a string value of the file, its escapes applied.
    static QString stringValue(const QString &text);

private:
    QString m_configDirectory;
    QString m_executablePath;
};
