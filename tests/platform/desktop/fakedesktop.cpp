#include "fakedesktop.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QHash>
#include <QMutexLocker>
#include <QSettings>

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
    QSettings kwinrc(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/kwinrc"), QSettings::IniFormat);
    kwinrc.beginGroup(QStringLiteral("NightColor"));
    const bool constant = kwinrc.value(QStringLiteral("Active")).toString() == QLatin1String("true")
                          && kwinrc.value(QStringLiteral("Mode")).toString() == QLatin1String("Constant");
    m_state->currentTemperature = constant ? kwinrc.value(QStringLiteral("NightTemperature"), 4500).toUInt() : 6500;
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
