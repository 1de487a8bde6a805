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

} // namespace ScreenCapabilityText
