#include "core/colormath.h"

#include <algorithm>
#include <cmath>

namespace {

float clampUnit(float value)
{
    return std::min(std::max(value, 0.0f), 1.0f);
}

// Saturation as a factor: clamped to 0…200 but deliberately not snapped to
// the 5 % grid, so stored off-grid values still grade as they read.
float saturationFactor(double saturation)
{
    return static_cast<float>(std::clamp(saturation, static_cast<double>(ColorMath::minSaturation),
                                         static_cast<double>(ColorMath::maxSaturation)))
           / 100.0f;
}

float whitePointChannel(double value)
{
    if (value >= 255.0)
        value = 255.0;
    else if (value < 0.0)
        value = 0.0;
    return static_cast<float>(value / 255.0);
}

} // namespace

ColorMatrix4x5 ColorMatrix4x5::identity()
{
    ColorMatrix4x5 matrix;
    matrix.m11 = 1.0f;
    matrix.m22 = 1.0f;
    matrix.m33 = 1.0f;
    matrix.m44 = 1.0f;
    return matrix;
}

std::array<float, 20> ColorMatrix4x5::values() const
{
    return {m11, m12, m13, m14, m15, m21, m22, m23, m24, m25,
            m31, m32, m33, m34, m35, m41, m42, m43, m44, m45};
}

ColorRGB ColorMatrix4x5::apply(ColorRGB colour) const
{
    const float r = colour.r;
    const float g = colour.g;
    const float b = colour.b;
    return {clampUnit(m11 * r + m12 * g + m13 * b + m15),
            clampUnit(m21 * r + m22 * g + m23 * b + m25),
            clampUnit(m31 * r + m32 * g + m33 * b + m35)};
}

namespace ColorMath {

qint64 clampTemperature(qint64 kelvin)
{
    const qint64 t = std::clamp(kelvin, minTemperature, maxTemperature);
    return ((t + temperatureStep / 2) / temperatureStep) * temperatureStep;
}

qint64 clampSaturation(qint64 percent)
{
    const qint64 s = std::clamp(percent, minSaturation, maxSaturation);
    return ((s + saturationStep / 2) / saturationStep) * saturationStep;
}

qint64 clampBrightness(qint64 percent)
{
    return std::clamp(percent, minBrightness, maxBrightness);
}

bool isNeutral(qint64 temperature, qint64 saturation)
{
    return temperature == neutralTemperature && saturation == neutralSaturation;
}

WhitePoint whitePoint(qint64 temperature)
{
    return whitePointAt(static_cast<double>(std::clamp(temperature, minTemperature, maxTemperature)));
}

WhitePoint whitePointAt(double temperature)
{
    const double kelvin = std::clamp(temperature, static_cast<double>(minTemperature),
                                     static_cast<double>(maxTemperature));
    const double t = kelvin / 100.0;

    double red = 255.0;
    double green = 0.0;
    if (t <= 66.0) {
        green = 99.4708025861 * std::log(t) - 161.1195681661;
    } else {
        red = 329.698727446 * std::pow(t - 60.0, -0.1332047592);
        green = 288.1221695283 * std::pow(t - 60.0, -0.0755148492);
    }
    double blue = 255.0;
    if (t <= 19.0)
        blue = 0.0;
    else if (t < 66.0)
        blue = 138.5177312231 * std::log(t - 10.0) - 305.0447927307;

    return {whitePointChannel(red), whitePointChannel(green), whitePointChannel(blue)};
}

ColorMatrix4x5 colorMatrix(qint64 temperature, qint64 saturation)
{
    return colorMatrixAt(static_cast<double>(std::clamp(temperature, minTemperature, maxTemperature)),
                         static_cast<double>(saturation));
}

ColorMatrix4x5 colorMatrixAt(double temperature, double saturation)
{
    const WhitePoint white = whitePointAt(temperature);
    const float s = saturationFactor(saturation);
    const float d = 1.0f - s;

    // Each product is kept in its own float so the rounding matches the
    // written order: weight first, then the white-point gain.
    const float dr = d * lumaRed;
    const float dg = d * lumaGreen;
    const float db = d * lumaBlue;

    ColorMatrix4x5 matrix;
    matrix.m11 = (s + dr) * white.r;
    matrix.m12 = dg * white.g;
    matrix.m13 = db * white.b;
    matrix.m21 = dr * white.r;
    matrix.m22 = (s + dg) * white.g;
    matrix.m23 = db * white.b;
    matrix.m31 = dr * white.r;
    matrix.m32 = dg * white.g;
    matrix.m33 = (s + db) * white.b;
    matrix.m44 = 1.0f;
    return matrix;
}

ColorRGB grade(ColorRGB colour, qint64 temperature, qint64 saturation)
{
    const WhitePoint white = whitePoint(temperature);
    const float r = colour.r * white.r;
    const float g = colour.g * white.g;
    const float b = colour.b * white.b;
    const float lum = lumaRed * r + lumaGreen * g + lumaBlue * b;
    const float s = saturationFactor(saturation);
    const float d = 1.0f - s;
    return {clampUnit(lum * d + r * s), clampUnit(lum * d + g * s), clampUnit(lum * d + b * s)};
}

} // namespace ColorMath
