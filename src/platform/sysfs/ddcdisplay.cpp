#include "platform/sysfs/ddcdisplay.h"

#include <algorithm>
#include <cmath>

DdcDisplay::DdcDisplay(std::shared_ptr<const DdcutilLibrary> library,
                       DdcutilLibrary::Monitor monitor, QString connector)
    : m_library(std::move(library))
    , m_monitor(std::move(monitor))
    , m_connector(std::move(connector))
{
}

std::optional<double> DdcDisplay::read()
{
    const auto value = m_library->readFeature(m_monitor, kBrightnessFeature);
    if (!value || value->maximum == 0)
        return std::nullopt;
    return static_cast<double>(value->current) / static_cast<double>(value->maximum);
}

bool DdcDisplay::write(double fraction)
{
    const auto value = m_library->readFeature(m_monitor, kBrightnessFeature);
    if (!value || value->maximum == 0)
        return false;
    const double raw = std::round(std::clamp(fraction, 0.0, 1.0) * value->maximum);
    return m_library->writeFeature(m_monitor, kBrightnessFeature, static_cast<quint16>(raw));
}
