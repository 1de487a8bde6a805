#pragma once

#include <QString>

// Finds which DRM connector ("eDP-1", "DP-2") a device hangs off, from the
// links the kernel keeps under /sys. Every lookup answers an empty string
// when the tree does not say.
class DrmConnectors {
public:
    explicit DrmConnectors(QString sysfsRoot);

    // The connector a backlight device drives: its parent device when that
    // is a connector ("card0-eDP-1"), else the one internal panel connector
    // (eDP, LVDS, DSI) of the graphics card it belongs to.
    QString connectorOfBacklight(const QString &backlightName) const;

    // The connector whose DDC channel is /dev/i2c-<bus>.
    QString connectorOfI2cBus(int bus) const;

    // eDP, LVDS and DSI connectors lead to a panel inside the computer.
    static bool isInternalConnector(const QString &connector);

private:
    QString m_root;
};
