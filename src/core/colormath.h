#pragma once

#include <QtGlobal>

#include <array>

// A colour or a white point as three single-precision channels, nominally 0…1.
struct ColorRGB {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    bool operator==(const ColorRGB &) const = default;
};

using WhitePoint = ColorRGB;

// A 4×5 colour matrix: rows produce output red, green, blue, alpha; columns
// weight input red, green, blue, alpha, and the fifth is a constant offset.
struct ColorMatrix4x5 {
    float m11 = 0, m12 = 0, m13 = 0, m14 = 0, m15 = 0;
    float m21 = 0, m22 = 0, m23 = 0, m24 = 0, m25 = 0;
    float m31 = 0, m32 = 0, m33 = 0, m34 = 0, m35 = 0;
    float m41 = 0, m42 = 0, m43 = 0, m44 = 0, m45 = 0;

    static ColorMatrix4x5 identity();

    // The 20 coefficients row by row (m11 … m15, m21 … m45).
    std::array<float, 20> values() const;

    // Applies the colour rows (alpha column and alpha row unused), clamped to 0…1.
    ColorRGB apply(ColorRGB colour) const;

    // Float equality, coefficient by coefficient.
    bool operator==(const ColorMatrix4x5 &) const = default;
};

namespace ColorMath {

inline constexpr qint64 minTemperature = 1000;
inline constexpr qint64 maxTemperature = 7000;
inline constexpr qint64 temperatureStep = 100;
inline constexpr qint64 neutralTemperature = 6500;
inline constexpr qint64 minSaturation = 0;
inline constexpr qint64 maxSaturation = 200;
inline constexpr qint64 saturationStep = 5;
inline constexpr qint64 neutralSaturation = 100;
inline constexpr qint64 minBrightness = 1;
inline constexpr qint64 maxBrightness = 100;

// BT.709 luma weights.
inline constexpr float lumaRed = 0.2126f;
inline constexpr float lumaGreen = 0.7152f;
inline constexpr float lumaBlue = 0.0722f;

// 1000…7000, nearest multiple of 100, halves up.
qint64 clampTemperature(qint64 kelvin);
// 0…200, nearest multiple of 5.
qint64 clampSaturation(qint64 percent);
// 1…100, no rounding.
qint64 clampBrightness(qint64 percent);

// True exactly for 6500 K and 100 %, without clamping first.
bool isNeutral(qint64 temperature, qint64 saturation);

// Black-body white point (Tanner Helland's fit), computed in double precision.
WhitePoint whitePoint(qint64 temperature);
// The same between whole kelvins, for the in-between frames of a fade.
WhitePoint whitePointAt(double temperature);

// Saturation matrix applied after the temperature tint, single precision.
ColorMatrix4x5 colorMatrix(qint64 temperature, qint64 saturation);
// The same for a fade's in-between colour, neither value on its step.
ColorMatrix4x5 colorMatrixAt(double temperature, double saturation);

// The graded colour: what colorMatrix followed by clamping gives for one colour.
ColorRGB grade(ColorRGB colour, qint64 temperature, qint64 saturation);

} // namespace ColorMath
