#include "fakedesktop.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QHash>
#include <QMutexLocker>
#include <QSettings>

bool FakeKWinNightLight::available() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->available;
}

uint FakeKWinNightLight::currentTemperature() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->currentTemperature;
}

FakeKWin::FakeKWin(const QString &busAddress, Plasma plasma, bool available)
    : m_service(busAddress, QStringLiteral("org.kde.KWin"))
    , m_listener(busAddress)
{
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
    m_state->available = available;
    const auto options = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
    const bool served = plasma == Plasma::Six
        ? m_service.addObject(QStringLiteral("/org/kde/KWin/NightLight"), new FakeKWinNightLight(m_state), options)
        : m_service.addObject(QStringLiteral("/ColorCorrect"), new FakeKWinColorCorrect(m_state), options);
    m_valid = m_service.isValid() && served
              && m_listener.connection().connect(QString(), QStringLiteral("/kwinrc"),
                                                 QStringLiteral("org.kde.kconfig.notify"),
                                                 QStringLiteral("ConfigChanged"), this,
                                                 SLOT(configChanged(QDBusMessage)));
}

uint FakeKWin::currentTemperature() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->currentTemperature;
}

int FakeKWin::notifications() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->notifications;
}

QString FakeKWin::lastSignature() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->lastSignature;
}

QByteArrayList FakeKWin::lastKeys() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->lastKeys;
}

void FakeKWin::configChanged(const QDBusMessage &message)
{
    QHash<QString, QByteArrayList> changed;
    if (message.signature() == QLatin1String("a{saay}"))
        qvariant_cast<QDBusArgument>(message.arguments().constFirst()) >> changed;
    QMutexLocker lock(&m_state->mutex);
    ++m_state->notifications;
    m_state->lastSignature = message.signature();
    m_state->lastKeys = changed.value(QStringLiteral("NightColor"));
    if (!changed.contains(QStringLiteral("NightColor")))
        return;
    QSettings kwinrc(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/kwinrc"), QSettings::IniFormat);
    kwinrc.beginGroup(QStringLiteral("NightColor"));
    const bool constant = kwinrc.value(QStringLiteral("Active")).toString() == QLatin1String("true")
                          && kwinrc.value(QStringLiteral("Mode")).toString() == QLatin1String("Constant");
    m_state->currentTemperature = constant ? kwinrc.value(QStringLiteral("NightTemperature"), 4500).toUInt() : 6500;
}

std::vector<FakeGnomeSessionManager::InhibitCall> FakeGnomeSessionManager::inhibitCalls() const
{
    QMutexLocker lock(&m_mutex);
    return m_inhibits;
}

std::vector<uint> FakeGnomeSessionManager::uninhibitCalls() const
{
    QMutexLocker lock(&m_mutex);
    return m_uninhibits;
}

uint FakeGnomeSessionManager::Inhibit(const QString &application, uint toplevelXid, const QString &reason,
                                      uint flags)
{
    QMutexLocker lock(&m_mutex);
    m_inhibits.push_back({application, toplevelXid, reason, flags, m_nextCookie});
    return m_nextCookie++;
}

void FakeGnomeSessionManager::Uninhibit(uint cookie)
{
    QMutexLocker lock(&m_mutex);
    m_uninhibits.push_back(cookie);
}
