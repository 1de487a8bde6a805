#pragma once

// What the real desktops show, for tests run by scripts/desktop-session.sh:
// a screenshot taken by the desktop itself, and the two figures that tell a
// colour filter's effect on the striped picture apart.

#include <QImage>
#include <QString>

namespace DesktopScreen {

// The whole screen as the compositor paints it, from the desktop named by
// $HALVO_DESKTOP on the session bus: GNOME Shell's Screenshot, or KWin's
// ScreenShot2 (Wayland and X11). A null image when the desktop refuses;
// `error` then says why.
QImage captureDesktop(QString *error = nullptr);

// The striped picture the session shows ($HALVO_DESKTOP_PICTURE), in the
// format captureDesktop gives; a null image without one.
QImage stripesPicture();

// Mean chroma (max − min of R, G, B, 0…1) of the striped picture, i.e. the
// middle three quarters of the screen's height, clear of a top bar.
double meanChroma(const QImage &image);

// Sum of blue over sum of red over the same part: far lower under a warm tint.
double blueRedRatio(const QImage &image);

} // namespace DesktopScreen
