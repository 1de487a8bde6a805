#include "update/updatealert.h"

#include "core/elidedtext.h"

#include <QCoreApplication>

// The feed may hold anything up to its size limit; the alert shows a version
// on one short line and the start of the notes, so it always fits a screen.
UpdateAlert UpdateAlert::updateAvailable(const AppUpdateManifest &manifest, const QString &currentVersion)
{
    UpdateAlert alert;
    alert.style = Style::Informational;
    //: %1 is the new version number.
    alert.message = QCoreApplication::translate("UpdateAlert", "Halvoscope %1 is Available")
                        .arg(elidedText(manifest.version.simplified(), maximumVersionLength));
    //: %1 is the running version number.
    alert.informativeText = QCoreApplication::translate("UpdateAlert", "You are currently running Halvoscope %1.").arg(currentVersion);
    if (manifest.notes && !manifest.notes->isEmpty())
        alert.informativeText += QStringLiteral("\n\n") + QCoreApplication::translate("UpdateAlert", "What's new:") + QLatin1Char('\n')
                                 + elidedText(*manifest.notes, maximumNotesLength);
    alert.buttons = {QCoreApplication::translate("UpdateAlert", "Download Update"), QCoreApplication::translate("UpdateAlert", "Later")};
    return alert;
}

UpdateAlert UpdateAlert::upToDate(const QString &currentVersion)
{
    UpdateAlert alert;
    alert.style = Style::Informational;
    alert.message = QCoreApplication::translate("UpdateAlert", "You're Up to Date");
    //: %1 is the running version number.
    alert.informativeText = QCoreApplication::translate("UpdateAlert", "Halvoscope %1 is currently the newest version available.").arg(currentVersion);
    alert.buttons = {QCoreApplication::translate("UpdateAlert", "OK")};
    return alert;
}

UpdateAlert UpdateAlert::failure(const QString &errorMessage)
{
    UpdateAlert alert;
    alert.style = Style::Warning;
    alert.message = QCoreApplication::translate("UpdateAlert", "Couldn't Check for Updates");
    alert.informativeText = errorMessage;
    alert.buttons = {QCoreApplication::translate("UpdateAlert", "OK")};
    return alert;
}
