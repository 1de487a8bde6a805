#pragma once

#include "core/brightnesscontrolling.h"
#include "engines/brightnessdisplay.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Reads and sets display brightness in whole percent over every display the
// sources list. The candidate order is the main display, then built-in
// panels, then ascending identifier; it is worked out afresh on every call
// because monitors come and go.
class BrightnessEngine final : public BrightnessControlling {
public:
    // primaryOutputName names the video output of the primary screen
    // ("eDP-1"); an empty function or an empty answer means it is unknown,
    // and the first built-in display counts as the main one.
    explicit BrightnessEngine(std::vector<std::unique_ptr<BrightnessDisplaySource>> sources,
                              std::function<QString()> primaryOutputName = {});
    ~BrightnessEngine() override;

    std::optional<qint64> readBrightness() override;
    bool setBrightness(qint64 percent) override;

    // Displays in the order both operations visit them.
    std::vector<std::unique_ptr<BrightnessDisplay>> candidateDisplays();

    // A reading in 0…1.001 as a percent 1…100; nothing for readings outside.
    static std::optional<qint64> percentFromReading(double value);

private:
    std::vector<std::unique_ptr<BrightnessDisplaySource>> m_sources;
    std::function<QString()> m_primaryOutputName;
};
