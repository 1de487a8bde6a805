#pragma once

#include "engines/brightnessdisplay.h"

#include <QString>
#include <QStringList>

#include <memory>

class DdcutilLibrary;

// Lists the monitors libddcutil finds; none when the library is missing.
// The sysfs root is where each monitor's connector is looked up.
class DdcDisplaySource final : public BrightnessDisplaySource {
public:
    explicit DdcDisplaySource(std::shared_ptr<const DdcutilLibrary> library,
                              QString sysfsRoot = QStringLiteral("/sys"));

    std::vector<std::unique_ptr<BrightnessDisplay>> displays() override;

private:
    std::shared_ptr<const DdcutilLibrary> m_library;
    QString m_root;
};
