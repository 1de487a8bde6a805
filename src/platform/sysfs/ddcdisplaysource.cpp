#include "platform/sysfs/ddcdisplaysource.h"

#include "platform/sysfs/ddcdisplay.h"
#include "platform/sysfs/ddcutillibrary.h"
#include "platform/sysfs/drmconnectors.h"

DdcDisplaySource::DdcDisplaySource(std::shared_ptr<const DdcutilLibrary> library,
                                   QString sysfsRoot)
    : m_library(std::move(library))
    , m_root(std::move(sysfsRoot))
{
}

std::vector<std::unique_ptr<BrightnessDisplay>> DdcDisplaySource::displays()
{
    std::vector<std::unique_ptr<BrightnessDisplay>> result;
    if (!m_library)
        return result;
    const DrmConnectors connectors(m_root);
    for (auto &monitor : m_library->monitors()) {
        const QString connector =
            monitor.i2cBus >= 0 ? connectors.connectorOfI2cBus(monitor.i2cBus) : QString();
        result.push_back(std::make_unique<DdcDisplay>(m_library, std::move(monitor), connector));
    }
    return result;
}
