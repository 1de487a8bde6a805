#pragma once

#include "engines/keepawakeadapters.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QString>

#include <optional>

// An org.freedesktop.ScreenSaver inhibition on the session bus, identified
// by the cookie the service hands out.
// NoService: nobody offers Inhibit under org.freedesktop.ScreenSaver.
class ScreenSaverInhibitor final : public DisplaySleepInhibitor {
public:
    explicit ScreenSaverInhibitor(QDBusConnection sessionBus);
    ~ScreenSaverInhibitor() override;
    ScreenSaverInhibitor(const ScreenSaverInhibitor &) = delete;
    ScreenSaverInhibitor &operator=(const ScreenSaverInhibitor &) = delete;

    // Inhibit(application, reason) on /org/freedesktop/ScreenSaver, or on
    // /ScreenSaver where a desktop only exports the older path.
    Result inhibit(const QString &application, const QString &reason) override;
    void release() override;
    bool isHeld() const override { return m_cookie.has_value(); }
    std::optional<quint32> cookie() const { return m_cookie; }

private:
    void uninhibitWhenGranted(const QDBusPendingCall &pending, const QString &path);

    QDBusConnection m_bus;
    std::optional<quint32> m_cookie;
    QString m_path;
};
