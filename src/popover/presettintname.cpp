#include "popover/presettintname.h"

QString presetTintName(PresetTint tint)
{
    switch (tint) {
    case PresetTint::Blue:
        return QStringLiteral("blue");
    case PresetTint::Red:
        return QStringLiteral("red");
    case PresetTint::Orange:
        return QStringLiteral("orange");
    case PresetTint::Gray:
        return QStringLiteral("gray");
    case PresetTint::Purple:
        return QStringLiteral("purple");
    case PresetTint::Green:
        return QStringLiteral("green");
    case PresetTint::Indigo:
        return QStringLiteral("indigo");
    }
    return QStringLiteral("indigo");
}
