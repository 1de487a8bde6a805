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
        return QStringLiteral("Saturation isn't available with %1: it shows the temperature only.").arg(screens.first());
    if (screens.size() == 1)
        return QStringLiteral("Saturation isn't available on %1: it shows the temperature only.").arg(screens.first());
    const QString last = screens.takeLast();
    return QStringLiteral("Saturation isn't available on %1 and %2: they show the temperature only.")
        .arg(screens.join(QStringLiteral(", ")), last);
}

QString pathRow(const ScreenColorCapability &capability)
{
    switch (capability.refusal) {
    case ScreenColorRefusal::None:
        break;
    case ScreenColorRefusal::NotAccepted:
        return QCoreApplication::translate("ScreenCapabilityText",
                                           "%1 — does not accept colour changes (no colour tables, or another "
                                           "program holds them)")
            .arg(capability.screen);
    case ScreenColorRefusal::TakenByAnotherProgram:
        return QCoreApplication::translate("ScreenCapabilityText", "%1 — colours controlled by another program")
            .arg(capability.screen);
    }
    switch (capability.path) {
    case ScreenColorPath::ColorMatrix:
        return capability.screen + QStringLiteral(" — colour matrix");
    case ScreenColorPath::Gamma:
        return capability.screen + QStringLiteral(" — gamma (temperature only)");
    case ScreenColorPath::CompositorGamma:
        return capability.screen + QStringLiteral(" — compositor gamma (temperature only)");
    case ScreenColorPath::DesktopNightLight:
        return capability.screen + QStringLiteral(" (temperature only)");
    case ScreenColorPath::CompositorFilter:
        return capability.screen + QStringLiteral(" — colour filter");
    case ScreenColorPath::NightLightAfterFilterRefused:
        return QCoreApplication::translate("ScreenCapabilityText",
                                           "%1 (temperature only: KWin refused Halvoscope's colour filter)")
            .arg(capability.screen);
    }
    return capability.screen;
}

QString noColorPath()
{
    return QStringLiteral("Halvoscope can't change the screens' colours here. Presets still set brightness and "
                          "Keep Awake.");
}

QString extensionStatus(DesktopExtension::State state, const QString &error)
{
    using State = DesktopExtension::State;
    switch (state) {
    case State::NotInstalled:
        return QStringLiteral("Full color on GNOME needs Halvoscope's GNOME Shell extension, which isn't installed.");
    case State::NeedsLogin:
        return QStringLiteral("Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.");
    case State::Disabled:
        return QStringLiteral("Turn on the GNOME Shell extension for full color and an icon in the top bar.");
    case State::Enabled:
        return QStringLiteral("GNOME Shell extension: on");
    case State::Failed:
        return QStringLiteral("The GNOME Shell extension could not start: %1").arg(error);
    case State::ExtensionsOff:
        return QStringLiteral("GNOME Shell extensions are switched off. Turn them on for full color.");
    }
    return {};
}

bool canEnable(DesktopExtension::State state)
{
    return state == DesktopExtension::State::Disabled || state == DesktopExtension::State::ExtensionsOff;
}

} // namespace ScreenCapabilityText
