#include "platform/sysfs/backlightdisplaysource.h"

#include "platform/sysfs/backlightdevice.h"
#include "platform/sysfs/drmconnectors.h"

#include <QDir>
#include <QFile>

BacklightDisplaySource::BacklightDisplaySource(QString sysfsRoot,
                                               std::shared_ptr<LogindSession> logind)
    : m_root(std::move(sysfsRoot))
    , m_logind(std::move(logind))
{
}

std::vector<std::unique_ptr<BrightnessDisplay>> BacklightDisplaySource::displays()
{
    std::vector<std::unique_ptr<BrightnessDisplay>> result;
    const QDir dir(m_root + QStringLiteral("/class/backlight"));
    if (!dir.exists())
        return result;
    const DrmConnectors connectors(m_root);
    const auto names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        QFile typeFile(path + QStringLiteral("/type"));
        QString type;
        if (typeFile.open(QIODevice::ReadOnly))
            type = QString::fromLatin1(typeFile.read(64).trimmed());
        result.push_back(std::make_unique<BacklightDevice>(
            path, name, type, connectors.connectorOfBacklight(name), m_logind));
    }
    return result;
}
