#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <vector>

// One display whose brightness the brightness engine can reach: a laptop
// backlight, an external monitor over DDC/CI, or whatever a platform offers.
// Brightness is a fraction 0…1 here; the engine turns it into percent.
class BrightnessDisplay {
public:
    virtual ~BrightnessDisplay() = default;

    // Stable across runs and unique across every source, e.g.
    // "backlight:intel_backlight" or "ddc:i2c-5".
    virtual QString id() const = 0;

    // The video output the display hangs off ("eDP-1", "DP-2"); empty when
    // it cannot be known.
    virtual QString connector() const = 0;

    virtual bool isBuiltIn() const = 0;
    virtual bool canChange() const = 0;

    // The current brightness as reported by the device, not yet checked
    // against 0…1; nothing when it could not be read.
    virtual std::optional<double> read() = 0;

    // True when the device accepted the value.
    virtual bool write(double fraction) = 0;
};

// Lists the displays of one kind as they are right now.
class BrightnessDisplaySource {
public:
    virtual ~BrightnessDisplaySource() = default;
    virtual std::vector<std::unique_ptr<BrightnessDisplay>> displays() = 0;
};
