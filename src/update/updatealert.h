#pragma once

#include "update/appupdatemanifest.h"

#include <QString>
#include <QStringList>
#include <QUrl>

// One of the update checker's modal alerts, as data, so it can be shown by
// whichever presenter the application wires in.
struct UpdateAlert {
    enum class Style { Informational,
                       Warning };

    // Longer versions and notes from the feed are cut, ending in "…".
    static constexpr qsizetype maximumVersionLength = 32;
    static constexpr qsizetype maximumNotesLength = 4000;

    Style style = Style::Informational;
    QString message;
    QString informativeText;
    // The first button is the default one.
    QStringList buttons;

    static UpdateAlert updateAvailable(const AppUpdateManifest &manifest, const QString &currentVersion);
    static UpdateAlert upToDate(const QString &currentVersion);
    static UpdateAlert failure(const QString &errorMessage);

    friend bool operator==(const UpdateAlert &, const UpdateAlert &) = default;
};

// Shows the alerts and opens the download page; the application uses message
// boxes and the desktop's URL handler, tests record what would be shown.
class UpdateAlertPresenter {
public:
    virtual ~UpdateAlertPresenter() = default;

    // Runs modally and returns the index of the pressed button in alert.buttons,
    // or -1 when the alert was dismissed without one.
    virtual int present(const UpdateAlert &alert) = 0;
    virtual void openUrl(const QUrl &url) = 0;
};
