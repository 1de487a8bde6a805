#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace BuiltinPresetID {
inline const QString standard = QStringLiteral("standard");
inline const QString redLight = QStringLiteral("red-light");
inline const QString candle = QStringLiteral("candle");
inline const QString blackWhite = QStringLiteral("black-white");
inline const QString colorInk = QStringLiteral("color-ink");
inline const QString vivid = QStringLiteral("vivid");
} // namespace BuiltinPresetID

// A named colour role; the UI maps each role to a real colour of its palette.
enum class PresetTint { Blue,
                        Red,
                        Orange,
                        Gray,
                        Purple,
                        Green,
                        Indigo };

// A named colour state for all screens. A value record, compared field by field.
struct HalvoPreset {
    QString id;
    QString name;
    qint64 temperature = 6500;
    qint64 saturation = 100;
    std::optional<qint64> brightness;
    bool isCustom = false;
    qint64 defaultTemperature = 6500;
    qint64 defaultSaturation = 100;
    std::optional<qint64> defaultBrightness;

    // Raw record, values taken as they are (used when decoding stored state).
    HalvoPreset() = default;

    // Normalising constructor: clamps and rounds every value; absent defaults
    // take the (raw) current values.
    HalvoPreset(QString id, QString name, qint64 temperature, qint64 saturation,
                std::optional<qint64> brightness = std::nullopt, bool isCustom = false,
                std::optional<qint64> defaultTemperature = std::nullopt,
                std::optional<qint64> defaultSaturation = std::nullopt,
                std::optional<qint64> defaultBrightness = std::nullopt);

    bool operator==(const HalvoPreset &) const = default;

    void resetToDefaults();

    // The name to show: a built-in preset still under its default English
    // name is shown in the user's language; any other name as it stands.
    QString displayName() const;

    // Name of the symbol image shown for this preset.
    QString symbolName() const;
    PresetTint tintColor() const;

    // The six built-in presets, in menu order.
    static const QList<HalvoPreset> &builtInPresets();

    // Cleans a user-typed name: line feeds and tabs to spaces, trimmed, at
    // most 32 user-perceived characters, "Custom Preset" when empty.
    static QString sanitizedName(const QString &text);

    // "custom-" followed by a new random UUID in lower case.
    static QString newCustomID();
};
