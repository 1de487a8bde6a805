#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QThread>

#include <vector>

// Owns a well-known name on a bus and serves objects from a thread of its
// own, so that the code under test may make blocking calls to it from the
// test's main thread, as it would to the real service in another process.
class FakeDBusService {
public:
    FakeDBusService(const QString &busAddress, const QString &serviceName);
    ~FakeDBusService();
    FakeDBusService(const FakeDBusService &) = delete;
    FakeDBusService &operator=(const FakeDBusService &) = delete;

    bool isValid() const { return m_valid; }

    // Takes ownership; the object must have no parent.
    bool addObject(const QString &path, QObject *object,
                   QDBusConnection::RegisterOptions options = QDBusConnection::ExportAllSlots);

private:
    QString m_connectionName;
    QDBusConnection m_connection;
    QThread m_thread;
    std::vector<QObject *> m_objects;
    bool m_valid = false;
};

// Connects to the bus at an address under a name of its own, for the code
// under test; disconnects when it goes.
class BusClient {
public:
    explicit BusClient(const QString &busAddress);
    ~BusClient();
    BusClient(const BusClient &) = delete;
    BusClient &operator=(const BusClient &) = delete;
    QDBusConnection connection() const { return m_connection; }

private:
    QString m_name;
    QDBusConnection m_connection;
};

QString sessionBusAddress();
QString systemBusAddress();
