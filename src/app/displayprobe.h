#pragma once

#include <QString>

// The Qt platform for Halvoscope's windows when the user chose none
// (QT_QPA_PLATFORM, -platform); empty to leave it to Qt.
QString chosenQtPlatform();

// Why Qt could not open a display for `platform` (empty: Qt's default), in a
// sentence for the user; empty when it can. Qt ends the process when it
// cannot, so this is asked first.
QString displayProblem(const QString &platform);
