#pragma once

#include "core/desktopextension.h"
#include "core/screencolorcapability.h"

#include <QString>

// The popover's words for what the screens can show.
namespace ScreenCapabilityText {

// The line under the preset list and the saturation slider: empty when the
// saturation is neutral or every screen shows it; otherwise names the screens
// that show the temperature only.
QString saturationUnavailable(const ScreenColorCapabilities &capabilities, qint64 saturation);

// One read-only row of the settings page: "eDP-1 — colour matrix".
QString pathRow(const ScreenColorCapability &capability);

// The error line when no colour reaches any screen.
QString noColorPath();

// The GNOME Shell extension's state for the settings page and the guide.
QString extensionStatus(DesktopExtension::State state, const QString &error);
// Whether a button can switch it on from here.
bool canEnable(DesktopExtension::State state);

} // namespace ScreenCapabilityText
