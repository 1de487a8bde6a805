#pragma once

#include <QDBusConnection>
#include <QString>

// The caller's own logind session on the system bus. Used for the one thing
// an unprivileged desktop process may ask of it here: setting a backlight.
class LogindSession {
public:
    explicit LogindSession(QDBusConnection systemBus);

    // Session.SetBrightness(subsystem, name, value); true when logind
    // answered without an error.
    bool setBrightness(const QString &subsystem, const QString &name, quint32 value) const;

private:
    QDBusConnection m_bus;
};
