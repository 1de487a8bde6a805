#pragma once

#include <QString>

class UpdateChecking;

// What the application hands its popover and onboarding for reaching
// beyond them: a fresh start of this program and the update check.
namespace ProcessServices {

// Starts our own executable detached from this process; false when it
// could not be started.
bool launchNewInstance();

// A check whose alerts are message boxes, without a parent; null in a build
// that leaves updates to the system's package manager.
UpdateChecking *makeUpdateChecking();

// The version compiled into the build.
QString version();

} // namespace ProcessServices
