#pragma once

#include <QString>

class QSettings;

// The user-defaults flag that makes the next launch finish an onboarding
// interrupted by a relaunch (screen-capture permission only takes effect in a
// new process). Every write is flushed at once, because the process that reads
// it may start before this one ends.
namespace RelaunchMarker {

inline const QString key = QStringLiteral("com.corvanta.halvoscope.onboardingFinishAfterRelaunch");

bool isSet(QSettings &defaults);
void set(QSettings &defaults);
void remove(QSettings &defaults);

} // namespace RelaunchMarker
