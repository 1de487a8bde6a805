#include "fakedbusservice.h"

#include <QAtomicInt>

namespace {

QString uniqueConnectionName(const char *prefix)
{
    static QAtomicInt counter;
    return QStringLiteral("%1-%2").arg(QLatin1String(prefix)).arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

FakeDBusService::FakeDBusService(const QString &busAddress, const QString &serviceName)
    : m_connectionName(uniqueConnectionName("fake-service"))
    , m_connection(QDBusConnection::connectToBus(busAddress, m_connectionName))
{
    m_thread.start();
    m_valid = m_connection.isConnected() && m_connection.registerService(serviceName);
}

FakeDBusService::~FakeDBusService()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_thread.quit();
    m_thread.wait();
    for (QObject *object : m_objects)
        delete object;
}

bool FakeDBusService::addObject(const QString &path, QObject *object,
                                QDBusConnection::RegisterOptions options)
{
    m_objects.push_back(object);
    object->moveToThread(&m_thread);
    return m_connection.registerObject(path, object, options);
}

BusClient::BusClient(const QString &busAddress)
    : m_name(uniqueConnectionName("client"))
    , m_connection(QDBusConnection::connectToBus(busAddress, m_name))
{
}

BusClient::~BusClient()
{
    QDBusConnection::disconnectFromBus(m_name);
}

QString sessionBusAddress()
{
    return qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
}

QString systemBusAddress()
{
    return qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
}
