#pragma once

#include <QString>
#include <QTemporaryDir>

// A small /sys in a temporary folder, laid out the way the kernel lays out
// backlights, graphics cards, connectors and their I²C buses.
class FakeSysfs {
public:
    enum class BacklightParent {
        None,      // no device link (a platform or ACPI backlight)
        Connector, // device → the connector (i915: card0-eDP-1)
        Card,      // device → the graphics card's PCI device (amdgpu)
    };
    enum class DdcLink {
        DdcSymlink, // <connector>/ddc → the i2c-N adapter
        Child,      // <connector>/i2c-N, as DisplayPort AUX channels appear
    };

    FakeSysfs();

    QString root() const { return m_dir.path(); }

    // Adds card<card>-<connector>; with i2cBus ≥ 0 also its DDC adapter.
    void addConnector(int card, const QString &connector, int i2cBus = -1,
                      DdcLink link = DdcLink::DdcSymlink);

    // Adds /sys/class/backlight/<name>. For Connector and Card parents the
    // named connector is created on card 0 first.
    void addBacklight(const QString &name, const QString &type, qint64 brightness, qint64 max,
                      BacklightParent parent = BacklightParent::None,
                      const QString &connector = QString());

    QString backlightFile(const QString &name, const QString &file) const;
    void setBacklightValue(const QString &name, qint64 brightness);
    qint64 backlightValue(const QString &name) const;

private:
    QString cardDir(int card) const;
    void writeFile(const QString &path, const QByteArray &content) const;

    QTemporaryDir m_dir;
};
