#include "update/updatealert.h"

#include "core/elidedtext.h"

// The feed may hold anything up to its size limit; the alert shows a version
// on one short line and the start of the notes, so it always fits a screen.
UpdateAlert UpdateAlert::updateAvailable(const AppUpdateManifest &manifest, const QString &currentVersion)
{
    UpdateAlert alert;
    alert.style = Style::Informational;
    alert.message = QStringLiteral("Halvoscope ") + elidedText(manifest.version.simplified(), maximumVersionLength)
                    + QStringLiteral(" is Available");
    alert.informativeText = QStringLiteral("You are currently running Halvoscope ") + currentVersion + QLatin1Char('.');
    if (manifest.notes && !manifest.notes->isEmpty())
        alert.informativeText += QStringLiteral("\n\nWhat's new:\n") + elidedText(*manifest.notes, maximumNotesLength);
    alert.buttons = {QStringLiteral("Download Update"), QStringLiteral("Later")};
    return alert;
}

UpdateAlert UpdateAlert::upToDate(const QString &currentVersion)
{
    UpdateAlert alert;
    alert.style = Style::Informational;
    alert.message = QStringLiteral("You're Up to Date");
    alert.informativeText = QStringLiteral("Halvoscope ") + currentVersion
                            + QStringLiteral(" is currently the newest version available.");
    alert.buttons = {QStringLiteral("OK")};
    return alert;
}

UpdateAlert UpdateAlert::failure(const QString &errorMessage)
{
    UpdateAlert alert;
    alert.style = Style::Warning;
    alert.message = QStringLiteral("Couldn't Check for Updates");
    alert.informativeText = errorMessage;
    alert.buttons = {QStringLiteral("OK")};
    return alert;
}
