#include "core/halvopreset.h"

#include "core/colormath.h"

#include <QCoreApplication>
#include <QTextBoundaryFinder>
#include <QUuid>

#include <utility>

namespace {

constexpr int maxNameLength = 32;

struct PresetLook {
    const QString &id;
    const char *symbolName;
    PresetTint tint;
    // The English name the state file keeps, and the key of its translation.
    const char *defaultName;
};

const PresetLook *builtInLook(const QString &id)
{
    static const PresetLook looks[] = {
        {BuiltinPresetID::standard, "display", PresetTint::Blue, QT_TRANSLATE_NOOP("HalvoPreset", "Standard")},
        {BuiltinPresetID::redLight, "lightbulb.fill", PresetTint::Red, QT_TRANSLATE_NOOP("HalvoPreset", "Red Light")},
        {BuiltinPresetID::candle, "flame.fill", PresetTint::Orange, QT_TRANSLATE_NOOP("HalvoPreset", "Candle")},
        {BuiltinPresetID::blackWhite, "circle.lefthalf.filled", PresetTint::Gray, QT_TRANSLATE_NOOP("HalvoPreset", "Black & White")},
        {BuiltinPresetID::colorInk, "paintbrush.pointed.fill", PresetTint::Purple, QT_TRANSLATE_NOOP("HalvoPreset", "Color Ink")},
        {BuiltinPresetID::vivid, "paintpalette.fill", PresetTint::Green, QT_TRANSLATE_NOOP("HalvoPreset", "Vivid")},
    };
    for (const PresetLook &look : looks) {
        if (look.id == id)
            return &look;
    }
    return nullptr;
}

} // namespace

HalvoPreset::HalvoPreset(QString presetID, QString presetName, qint64 rawTemperature,
                         qint64 rawSaturation, std::optional<qint64> rawBrightness, bool custom,
                         std::optional<qint64> rawDefaultTemperature,
                         std::optional<qint64> rawDefaultSaturation,
                         std::optional<qint64> rawDefaultBrightness)
    : id(std::move(presetID))
    , name(std::move(presetName))
    , temperature(ColorMath::clampTemperature(rawTemperature))
    , saturation(ColorMath::clampSaturation(rawSaturation))
    , isCustom(custom)
    // Absent defaults come from the raw arguments, normalised the same way.
    , defaultTemperature(ColorMath::clampTemperature(rawDefaultTemperature.value_or(rawTemperature)))
    , defaultSaturation(ColorMath::clampSaturation(rawDefaultSaturation.value_or(rawSaturation)))
{
    if (rawBrightness)
        brightness = ColorMath::clampBrightness(*rawBrightness);
    if (const std::optional<qint64> fallback = rawDefaultBrightness ? rawDefaultBrightness : rawBrightness)
        defaultBrightness = ColorMath::clampBrightness(*fallback);
}

void HalvoPreset::resetToDefaults()
{
    temperature = defaultTemperature;
    saturation = defaultSaturation;
    brightness = defaultBrightness;
}

QString HalvoPreset::symbolName() const
{
    if (const PresetLook *look = builtInLook(id))
        return QString::fromLatin1(look->symbolName);
    return QStringLiteral("sparkles");
}

QString HalvoPreset::displayName() const
{
    const PresetLook *look = isCustom ? nullptr : builtInLook(id);
    if (look && name == QLatin1String(look->defaultName))
        return QCoreApplication::translate("HalvoPreset", look->defaultName);
    return name;
}

PresetTint HalvoPreset::tintColor() const
{
    if (const PresetLook *look = builtInLook(id))
        return look->tint;
    return PresetTint::Indigo;
}

const QList<HalvoPreset> &HalvoPreset::builtInPresets()
{
    static const QList<HalvoPreset> presets = {
        HalvoPreset(BuiltinPresetID::standard, QStringLiteral("Standard"), 6500, 100),
        HalvoPreset(BuiltinPresetID::redLight, QStringLiteral("Red Light"), 1000, 100),
        HalvoPreset(BuiltinPresetID::candle, QStringLiteral("Candle"), 1800, 90),
        HalvoPreset(BuiltinPresetID::blackWhite, QStringLiteral("Black & White"), 6500, 0),
        HalvoPreset(BuiltinPresetID::colorInk, QStringLiteral("Color Ink"), 6500, 40),
        HalvoPreset(BuiltinPresetID::vivid, QStringLiteral("Vivid"), 6500, 160),
    };
    return presets;
}

QString HalvoPreset::sanitizedName(const QString &text)
{
    QString cleaned = text;
    cleaned.replace(QLatin1Char('\n'), QLatin1Char(' '));
    cleaned.replace(QLatin1Char('\t'), QLatin1Char(' '));
    // QChar::isSpace covers Unicode separators (Zs, Zl, Zp) plus the control
    // line breaks U+0009…U+000D and U+0085, i.e. white space and newlines.
    cleaned = cleaned.trimmed();

    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, cleaned);
    int count = 0;
    while (count < maxNameLength && graphemes.toNextBoundary() != -1)
        ++count;
    if (count == maxNameLength)
        cleaned.truncate(graphemes.position());

    if (cleaned.isEmpty())
        // Stored as written, like a name the user typed.
        return QCoreApplication::translate("HalvoPreset", "Custom Preset");
    return cleaned;
}

QString HalvoPreset::newCustomID()
{
    return QStringLiteral("custom-")
           + QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
}
