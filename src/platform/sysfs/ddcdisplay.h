#pragma once

#include "engines/brightnessdisplay.h"
#include "platform/sysfs/ddcutillibrary.h"

#include <memory>

// An external monitor whose luminance (VCP feature 0x10) is reached over
// DDC/CI. The monitor reports its own maximum, which scales the fraction.
class DdcDisplay final : public BrightnessDisplay {
public:
    static constexpr quint8 kBrightnessFeature = 0x10;

    DdcDisplay(std::shared_ptr<const DdcutilLibrary> library, DdcutilLibrary::Monitor monitor,
               QString connector);

    QString id() const override { return m_monitor.id; }
    QString connector() const override { return m_connector; }
    bool isBuiltIn() const override { return false; }
    // Writing needs the monitor's maximum, so both directions are needed.
    bool canChange() const override { return m_library->canRead() && m_library->canWrite(); }
    std::optional<double> read() override;
    bool write(double fraction) override;

private:
    std::shared_ptr<const DdcutilLibrary> m_library;
    DdcutilLibrary::Monitor m_monitor;
    QString m_connector;
};
