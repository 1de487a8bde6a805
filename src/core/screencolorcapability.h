#pragma once

#include <QList>
#include <QString>

// The way a screen's colour is changed.
enum class ScreenColorPath {
    // The output's colour matrix (XRandR CTM or NVIDIA's CscMatrix): temperature and saturation.
    ColorMatrix,
    // The X server's CRTC gamma ramps: temperature only.
    Gamma,
    // A Wayland compositor's gamma control: temperature only.
    CompositorGamma,
    // The desktop's own night light (GNOME, KDE Plasma): temperature only, for every screen at once.
    DesktopNightLight,
    // A colour filter the compositor draws over everything (GNOME Shell's extension, KWin's effect):
    // temperature and saturation, for every screen at once.
    CompositorFilter,
    // KWin's night light, because KWin refused Halvoscope's colour filter: temperature only.
    NightLightAfterFilterRefused,
};

// Why a listed screen shows no colour change.
enum class ScreenColorRefusal {
    None,
    // Refused from the first request: the screen takes no colour tables, or
    // another program held it already (a compositor cannot tell which).
    NotAccepted,
    // Taken by another program after Halvoscope's colour had reached it.
    TakenByAnotherProgram,
};

// What one screen (or, for a desktop night light, the whole desktop) can show.
struct ScreenColorCapability {
    // The output's name ("eDP-1"), or the night light's ("GNOME Night Light").
    QString screen;
    ScreenColorPath path = ScreenColorPath::Gamma;
    bool showsSaturation = false;
    ScreenColorRefusal refusal = ScreenColorRefusal::None;

    friend bool operator==(const ScreenColorCapability &, const ScreenColorCapability &) = default;
};

using ScreenColorCapabilities = QList<ScreenColorCapability>;
