#pragma once

#include "engines/keepawakeadapters.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QString>

#include <optional>

// GNOME's session manager inhibition with the idle flag, which GNOME's idle
// handling honours (it ignores org.freedesktop.ScreenSaver). Identified by
// the cookie the session manager hands out.
// NoService: nobody owns org.gnome.SessionManager.
class GnomeSessionInhibitor final : public DisplaySleepInhibitor {
public:
    // Inhibit's flag that keeps the session from going idle.
    static constexpr quint32 idleFlag = 8;

    explicit GnomeSessionInhibitor(QDBusConnection sessionBus);
    ~GnomeSessionInhibitor() override;
    GnomeSessionInhibitor(const GnomeSessionInhibitor &) = delete;
    GnomeSessionInhibitor &operator=(const GnomeSessionInhibitor &) = delete;

    // Whether org.gnome.SessionManager has an owner on the bus.
    static bool isPresent(const QDBusConnection &sessionBus);

    Result inhibit(const QString &application, const QString &reason) override;
    void release() override;
    bool isHeld() const override { return m_cookie.has_value(); }

private:
    void uninhibitWhenGranted(const QDBusPendingCall &pending);

    QDBusConnection m_bus;
    std::optional<quint32> m_cookie;
};
