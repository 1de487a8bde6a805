#pragma once

#include <QList>
#include <QtGlobal>

// One CRTC's gamma ramp: a 16-bit entry per step and channel, all three
// channels of the same length.
struct GammaRamp {
    QList<quint16> red;
    QList<quint16> green;
    QList<quint16> blue;

    qsizetype size() const { return red.size(); }

    // Entry i = i × 65535 / (size − 1), rounded.
    static GammaRamp linear(qsizetype size);

    // True when every entry of every channel is 0, which no display would
    // show on purpose (Xvfb starts its ramps that way).
    bool isBlank() const;

    // Each entry multiplied by its channel's factor (0…1), rounded.
    GammaRamp scaled(double red, double green, double blue) const;
    // Whether this ramp is `base` scaled channel by channel (scaled(), to
    // within its rounding), as every colour the ramps are given is.
    bool isScaledFrom(const GammaRamp &base) const;

    bool operator==(const GammaRamp &) const = default;
};
