#pragma once

#include <QtGlobal>

#include <optional>

// What the store needs from the display brightness engine. Main thread only.
class BrightnessControlling {
public:
    virtual ~BrightnessControlling() = default;

    // The display brightness in percent, 1…100; nothing when no display could
    // be read.
    virtual std::optional<qint64> readBrightness() = 0;

    // Clamps to 1…100 and sets every display whose brightness can change; true
    // when at least one display accepted the value.
    virtual bool setBrightness(qint64 percent) = 0;
};
