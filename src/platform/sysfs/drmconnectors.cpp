#include "platform/sysfs/drmconnectors.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// "card0-eDP-1" → "eDP-1"
QString connectorFromDeviceName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^card\\d+-(.+)$"));
    const auto match = pattern.match(name);
    return match.hasMatch() ? match.captured(1) : QString();
}

QStringList connectorDirectories(const QString &cardsDir)
{
    QStringList result;
    const QDir drm(cardsDir);
    const auto cards = drm.entryList({QStringLiteral("card*")}, QDir::Dirs | QDir::NoDotAndDotDot,
                                     QDir::Name);
    for (const QString &entry : cards) {
        if (!connectorFromDeviceName(entry).isEmpty()) {
            result << drm.filePath(entry);
            continue;
        }
        // Under a graphics card's own directory the connectors are children.
        const QDir card(drm.filePath(entry));
        const auto children = card.entryList({entry + QStringLiteral("-*")},
                                             QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &child : children)
            result << card.filePath(child);
    }
    return result;
}

} // namespace

DrmConnectors::DrmConnectors(QString sysfsRoot)
    : m_root(std::move(sysfsRoot))
{
}

bool DrmConnectors::isInternalConnector(const QString &connector)
{
    return connector.startsWith(QLatin1String("eDP"), Qt::CaseInsensitive)
           || connector.startsWith(QLatin1String("LVDS"), Qt::CaseInsensitive)
           || connector.startsWith(QLatin1String("DSI"), Qt::CaseInsensitive);
}

QString DrmConnectors::connectorOfBacklight(const QString &backlightName) const
{
    const QFileInfo device(m_root + QStringLiteral("/class/backlight/") + backlightName
                           + QStringLiteral("/device"));
    const QString devicePath = device.canonicalFilePath();
    if (devicePath.isEmpty())
        return {};

    const QString direct = connectorFromDeviceName(QFileInfo(devicePath).fileName());
    if (!direct.isEmpty())
        return direct;

    // Drivers such as amdgpu hang the backlight off the graphics card itself.
    QString internal;
    for (const QString &dir : connectorDirectories(devicePath + QStringLiteral("/drm"))) {
        const QString connector = connectorFromDeviceName(QFileInfo(dir).fileName());
        if (!isInternalConnector(connector))
            continue;
        if (!internal.isEmpty())
            return {};
        internal = connector;
    }
    return internal;
}

QString DrmConnectors::connectorOfI2cBus(int bus) const
{
    const QString busName = QStringLiteral("i2c-%1").arg(bus);
    for (const QString &dir : connectorDirectories(m_root + QStringLiteral("/class/drm"))) {
        const QString name = QFileInfo(dir).fileName();
        // Most drivers link the connector's DDC adapter as "ddc"; DisplayPort
        // AUX channels appear as an i2c-N child of the connector instead.
        const QFileInfo ddc(dir + QStringLiteral("/ddc"));
        if (ddc.exists() && QFileInfo(ddc.canonicalFilePath()).fileName() == busName)
            return connectorFromDeviceName(name);
        if (QFileInfo(dir + QLatin1Char('/') + busName).isDir())
            return connectorFromDeviceName(name);
    }
    return {};
}
