#include "popover/screencapabilitytext.h"

#include "core/colormath.h"

#include <QCoreApplication>
#include <QStringList>

namespace ScreenCapabilityText {

QString saturationUnavailable(const ScreenColorCapabilities &capabilities, qint64 saturation)
{
    if (ColorMath::clampSaturation(saturation) == ColorMath::neutralSaturation)
        return {};
    QStringList screens;
    bool nightLight = false;
    for (const ScreenColorCapability &capability : capabilities) {
        if (capability.showsSaturation)
            continue;
        screens.append(capability.screen);
        nightLight = nightLight || capability.path == ScreenColorPath::DesktopNightLight
                     || capability.path == ScreenColorPath::NightLightAfterFilterRefused;
    }
    if (screens.isEmpty())
        return {};
    if (nightLight)
        //: %1 is the desktop's night light ("GNOME Night Light").
        return QCoreApplication::translate("ScreenCapabilityText", "Saturation isn't available with %1: it shows the temperature only.").arg(screens.first());
    if (screens.size() == 1)
        //: %1 is a screen's name ("DP-1").
        return QCoreApplication::translate("ScreenCapabilityText", "Saturation isn't available on %1: it shows the temperature only.").arg(screens.first());
    const QString last = screens.takeLast();
    //: %1 is a list of screens ("DP-1, DP-2"), %2 the last screen.
    return QCoreApplication::translate("ScreenCapabilityText", "Saturation isn't available on %1 and %2: they show the temperature only.")
        .arg(screens.join(QCoreApplication::translate("ScreenCapabilityText", ", ")), last);
}

QString pathRow(const ScreenColorCapability &capability)
{
    switch (capability.refusal) {
    case ScreenColorRefusal::None:
        break;
    case ScreenColorRefusal::NotAccepted:
        return QCoreApplication::translate("ScreenCapabilityText",
                                           "%1 — does not accept color changes (no color tables, or another "
                                           "program holds them)")
            .arg(capability.screen);
    case ScreenColorRefusal::TakenByAnotherProgram:
        return QCoreApplication::translate("ScreenCapabilityText", "%1 — colors controlled by another program")
            .arg(capability.screen);
    }
    switch (capability.path) {
    case ScreenColorPath::ColorMatrix:
        //: %1 is a screen's name.
        return QCoreApplication::translate("ScreenCapabilityText", "%1 — color matrix").arg(capability.screen);
    case ScreenColorPath::Gamma:
        return QCoreApplication::translate("ScreenCapabilityText", "%1 — gamma (temperature only)").arg(capability.screen);
    case ScreenColorPath::CompositorGamma:
        return QCoreApplication::translate("ScreenCapabilityText", "%1 — compositor gamma (temperature only)").arg(capability.screen);
    case ScreenColorPath::DesktopNightLight:
        return QCoreApplication::translate("ScreenCapabilityText", "%1 (temperature only)").arg(capability.screen);
    case ScreenColorPath::CompositorFilter:
        return QCoreApplication::translate("ScreenCapabilityText", "%1 — color filter").arg(capability.screen);
    case ScreenColorPath::NightLightAfterFilterRefused:
        return QCoreApplication::translate("ScreenCapabilityText",
                                           "%1 (temperature only: KWin refused Halvoscope's color filter)")
            .arg(capability.screen);
    }
    return capability.screen;
}

QString noColorPath()
{
    return QCoreApplication::translate("ScreenCapabilityText", "Halvoscope can't change the screens' colors here. Presets still set brightness and "
                                                               "Keep Awake.");
}

QString extensionStatus(DesktopExtension::State state, const QString &error)
{
    using State = DesktopExtension::State;
    switch (state) {
    case State::NotInstalled:
        return QCoreApplication::translate("ScreenCapabilityText", "Full color on GNOME needs Halvoscope's GNOME Shell extension, which isn't installed.");
    case State::NeedsLogin:
        return QCoreApplication::translate("ScreenCapabilityText", "Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.");
    case State::Disabled:
        return QCoreApplication::translate("ScreenCapabilityText", "Turn on the GNOME Shell extension for full color and an icon in the top bar.");
    case State::Enabled:
        return QCoreApplication::translate("ScreenCapabilityText", "GNOME Shell extension: on");
    case State::Failed:
        //: %1 is what GNOME Shell reported.
        return QCoreApplication::translate("ScreenCapabilityText", "The GNOME Shell extension could not start: %1").arg(error);
    case State::ExtensionsOff:
        return QCoreApplication::translate("ScreenCapabilityText", "GNOME Shell extensions are switched off. Turn them on for full color.");
    }
    return {};
}

bool canEnable(DesktopExtension::State state)
{
    return state == DesktopExtension::State::Disabled || state == DesktopExtension::State::ExtensionsOff;
}

} // namespace ScreenCapabilityText
