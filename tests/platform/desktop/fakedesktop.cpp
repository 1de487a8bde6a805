#include "fakedesktop.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QHash>
#include <QMutexLocker>
#include <QFile>

QString nightColorValue(const QByteArray &kwinrc, const QString &key)
{
    bool inGroup = false;
    for (const QByteArray &raw : kwinrc.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            inGroup = line == "[NightColor]";
        else if (inGroup && line.startsWith(key.toUtf8() + '='))
            return QString::fromUtf8(line.mid(key.size() + 1));
    }
    return QString();
}

FakeKWin::FakeKWin(const QString &busAddress, bool plasma6, bool available)
    : m_service(busAddress, QStringLiteral("org.kde.KWin"))
    , m_listener(busAddress)
{
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
    m_state->available = available;
    const auto options = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
    const bool served = plasma6
                            ? m_service.addObject(QStringLiteral("/org/kde/KWin/NightLight"), new FakeKWinNightLight(m_state), options)
                            : m_service.addObject(QStringLiteral("/ColorCorrect"), new FakeKWinColorCorrect(m_state), options);
    m_valid = m_service.isValid() && served
              && m_listener.connection().connect(QString(), QStringLiteral("/kwinrc"),
                                                 QStringLiteral("org.kde.kconfig.notify"),
                                                 QStringLiteral("ConfigChanged"), this,
                                                 SLOT(configChanged(QDBusMessage)));
}

void FakeKWin::configChanged(const QDBusMessage &message)
{
    ++notifications;
    QHash<QString, QByteArrayList> changed;
    if (message.signature() == QLatin1String("a{saay}"))
        qvariant_cast<QDBusArgument>(message.arguments().constFirst()) >> changed;
    lastKeys = changed.value(QStringLiteral("NightColor"));
    if (lastKeys.isEmpty())
        return;
    QFile file(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/kwinrc"));
    const QByteArray kwinrc = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const bool constant = nightColorValue(kwinrc, QStringLiteral("Active")) == QLatin1String("true")
                          && nightColorValue(kwinrc, QStringLiteral("Mode")) == QLatin1String("Constant");
    const QString night = nightColorValue(kwinrc, QStringLiteral("NightTemperature"));
    m_state->currentTemperature = constant ? (night.isEmpty() ? 4500 : night.toUInt()) : 6500;
}

FakeGnomeSessionManager::Calls FakeGnomeSessionManager::calls() const
{
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

uint FakeGnomeSessionManager::Inhibit(const QString &, uint, const QString &, uint flags)
{
    QMutexLocker lock(&m_mutex);
    m_calls.inhibitFlags.push_back(flags);
    m_calls.cookies.push_back(4101 + static_cast<uint>(m_calls.cookies.size()));
    return m_calls.cookies.back();
}

void FakeGnomeSessionManager::Uninhibit(uint cookie)
{
    QMutexLocker lock(&m_mutex);
    m_calls.uninhibited.push_back(cookie);
}
