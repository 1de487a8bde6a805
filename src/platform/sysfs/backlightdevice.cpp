#include "platform/sysfs/backlightdevice.h"

#include "platform/dbus/logindsession.h"
#include "platform/sysfs/drmconnectors.h"

#include <QFile>

#include <algorithm>
#include <cmath>

BacklightDevice::BacklightDevice(QString directory, QString name, QString type, QString connector,
                                 std::shared_ptr<LogindSession> logind)
    : m_directory(std::move(directory))
    , m_name(std::move(name))
    , m_type(std::move(type))
    , m_connector(std::move(connector))
    , m_logind(std::move(logind))
{
}

QString BacklightDevice::id() const
{
    return QStringLiteral("backlight:") + m_name;
}

bool BacklightDevice::isBuiltIn() const
{
    const bool panelType = m_type == QLatin1String("raw") || m_type == QLatin1String("platform")
                           || m_type == QLatin1String("firmware");
    // A backlight whose connector is known to be an external one belongs to
    // a monitor, whatever kind of control it is.
    return panelType && (m_connector.isEmpty() || DrmConnectors::isInternalConnector(m_connector));
}

std::optional<qint64> BacklightDevice::readInteger(const QString &file) const
{
    QFile f(m_directory + QLatin1Char('/') + file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const qint64 value = f.read(64).trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool BacklightDevice::canChange() const
{
    const auto max = readInteger(QStringLiteral("max_brightness"));
    return max && *max > 0;
}

std::optional<double> BacklightDevice::read()
{
    const auto max = readInteger(QStringLiteral("max_brightness"));
    const auto value = readInteger(QStringLiteral("brightness"));
    if (!max || *max <= 0 || !value)
        return std::nullopt;
    return static_cast<double>(*value) / static_cast<double>(*max);
}

quint32 BacklightDevice::rawValue(double fraction, qint64 max)
{
    if (max <= 0 || !(fraction > 0.0))
        return 0;
    const double raw = std::round(std::min(fraction, 1.0) * static_cast<double>(max));
    return static_cast<quint32>(std::clamp<double>(raw, 1.0, static_cast<double>(max)));
}

bool BacklightDevice::write(double fraction)
{
    const auto max = readInteger(QStringLiteral("max_brightness"));
    if (!max || *max <= 0)
        return false;
    const quint32 raw = rawValue(fraction, *max);

    QFile file(m_directory + QStringLiteral("/brightness"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::ExistingOnly
                  | QIODevice::Unbuffered)) {
        const QByteArray text = QByteArray::number(raw) + '\n';
        if (file.write(text) == text.size() && file.flush())
            return true;
    }
    return m_logind && m_logind->setBrightness(QStringLiteral("backlight"), m_name, raw);
}
