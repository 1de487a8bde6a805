#include "fakesysfs.h"

#include <QDir>
#include <QFile>

namespace {

QString pciDevice(const QString &root)
{
    return root + QStringLiteral("/devices/pci0000:00/0000:00:02.0");
}

void makeLink(const QString &target, const QString &link)
{
    QFile::remove(link);
    if (!QFile::link(target, link))
        qFatal("cannot link %s", qPrintable(link));
}

} // namespace

FakeSysfs::FakeSysfs()
{
    QDir(root()).mkpath(QStringLiteral("class/backlight"));
    QDir(root()).mkpath(QStringLiteral("class/drm"));
}

QString FakeSysfs::cardDir(int card) const
{
    return pciDevice(root()) + QStringLiteral("/drm/card%1").arg(card);
}

void FakeSysfs::writeFile(const QString &path, const QByteArray &content) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

void FakeSysfs::addConnector(int card, const QString &connector, int i2cBus, DdcLink link)
{
    const QString name = QStringLiteral("card%1-%2").arg(card).arg(connector);
    const QString dir = cardDir(card) + QLatin1Char('/') + name;
    QDir().mkpath(dir);
    makeLink(dir, root() + QStringLiteral("/class/drm/") + name);
    makeLink(cardDir(card), root() + QStringLiteral("/class/drm/card%1").arg(card));
    if (i2cBus < 0)
        return;
    const QString busName = QStringLiteral("i2c-%1").arg(i2cBus);
    if (link == DdcLink::Child) {
        QDir().mkpath(dir + QLatin1Char('/') + busName);
    } else {
        const QString adapter = pciDevice(root()) + QLatin1Char('/') + busName;
        QDir().mkpath(adapter);
        makeLink(adapter, dir + QStringLiteral("/ddc"));
    }
}

void FakeSysfs::addBacklight(const QString &name, const QString &type, qint64 brightness,
                             qint64 max, BacklightParent parent, const QString &connector)
{
    const QString dir = root() + QStringLiteral("/class/backlight/") + name;
    QDir().mkpath(dir);
    writeFile(dir + QStringLiteral("/type"), type.toLatin1() + '\n');
    writeFile(dir + QStringLiteral("/max_brightness"), QByteArray::number(max) + '\n');
    writeFile(dir + QStringLiteral("/brightness"), QByteArray::number(brightness) + '\n');
    if (parent == BacklightParent::None)
        return;
    addConnector(0, connector);
    const QString target = parent == BacklightParent::Connector
                               ? cardDir(0) + QStringLiteral("/card0-") + connector
                               : pciDevice(root());
    makeLink(target, dir + QStringLiteral("/device"));
}

QString FakeSysfs::backlightFile(const QString &name, const QString &file) const
{
    return root() + QStringLiteral("/class/backlight/") + name + QLatin1Char('/') + file;
}

void FakeSysfs::setBacklightValue(const QString &name, qint64 brightness)
{
    writeFile(backlightFile(name, QStringLiteral("brightness")), QByteArray::number(brightness) + '\n');
}

qint64 FakeSysfs::backlightValue(const QString &name) const
{
    QFile file(backlightFile(name, QStringLiteral("brightness")));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().trimmed().toLongLong();
}
