#pragma once

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QString>

#include <optional>

// An org.freedesktop.ScreenSaver inhibition on the session bus, identified
// by the cookie the service hands out.
class ScreenSaverInhibitor {
public:
    enum class Result {
        Granted,
        Refused,   // an error, no answer within the short wait, or no bus
        NoService, // nobody offers Inhibit under org.freedesktop.ScreenSaver
    };

    explicit ScreenSaverInhibitor(QDBusConnection sessionBus);
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor &) = delete;
    ScreenSaverInhibitor &operator=(const ScreenSaverInhibitor &) = delete;

    // Inhibit(application, reason) on /org/freedesktop/ScreenSaver, or on
    // /ScreenSaver where a desktop only exports the older path.
    Result inhibit(const QString &application, const QString &reason);
    void release();
    bool isHeld() const { return m_cookie.has_value(); }
    std::optional<quint32> cookie() const { return m_cookie; }

private:
    void uninhibitWhenGranted(const QDBusPendingCall &pending, const QString &path);

    QDBusConnection m_bus;
    std::optional<quint32> m_cookie;
    QString m_path;
};
