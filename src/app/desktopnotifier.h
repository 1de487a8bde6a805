#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>

// Tells the user about something that happened away from any window, through
// the desktop's notification service (org.freedesktop.Notifications). Each
// distinct text is shown once per run, so a fault that repeats on every save
// does not flood the desktop. Without a notification service the text goes
// to the system log instead, also once.
class DesktopNotifier : public QObject {
    Q_OBJECT

public:
    explicit DesktopNotifier(const QDBusConnection &bus, QObject *parent = nullptr);

    void notifyOnce(const QString &summary, const QString &body);

private:
    QDBusConnection m_bus;
    QSet<QString> m_shown;
};
