#pragma once

#include <QPointF>
#include <QRectF>
#include <QtGlobal>

#include <cstddef>

// The constant block both ripple programs read (uniform block "RippleUniforms",
// std140, binding point 0). The layout is a GPU buffer format: 64 bytes with
// the white points on 16-byte boundaries, so the struct is uploaded as it is.
struct alignas(16) RippleUniforms {
    float origin[2] = {0.0f, 0.0f};                // ripple centre, texture space: x right, y down, 0…1 across the screen
    float aspect = 1.0f;                           // screen width ÷ height
    float time = 0.0f;                             // seconds since the ripple started
    float duration = 3.0f;                         // total ripple length in seconds
    float fromSaturation = 1.0f;                   // old saturation as a factor (1 = unchanged)
    float toSaturation = 1.0f;                     // new saturation as a factor
    float padding = 0.0f;                          // brings fromWhite to offset 32
    float fromWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f}; // old white point (r, g, b, unused)
    float toWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};   // new white point (r, g, b, unused)

    // The uniforms for one screen at the start of a ripple. `screen` and
    // `origin` are global coordinates (top-left origin, y downward), so the
    // texture-space origin needs no flip; an origin on another screen lands
    // outside 0…1, which the programs accept. Temperatures in kelvin,
    // saturations in percent.
    static RippleUniforms forScreen(const QRectF &screen, QPointF origin,
                                    qint64 fromTemperature, qint64 fromSaturation,
                                    qint64 toTemperature, qint64 toSaturation);
};

static_assert(sizeof(RippleUniforms) == 64);
static_assert(alignof(RippleUniforms) == 16);
static_assert(offsetof(RippleUniforms, origin) == 0);
static_assert(offsetof(RippleUniforms, aspect) == 8);
static_assert(offsetof(RippleUniforms, time) == 12);
static_assert(offsetof(RippleUniforms, duration) == 16);
static_assert(offsetof(RippleUniforms, fromSaturation) == 20);
static_assert(offsetof(RippleUniforms, toSaturation) == 24);
static_assert(offsetof(RippleUniforms, padding) == 28);
static_assert(offsetof(RippleUniforms, fromWhite) == 32);
static_assert(offsetof(RippleUniforms, toWhite) == 48);
