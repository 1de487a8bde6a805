#pragma once

#include "fakedbusservice.h"

#include <QByteArrayList>
#include <QDBusMessage>
#include <QMutex>
#include <QObject>

#include <atomic>
#include <memory>
#include <vector>

// The value of `key` in [NightColor] of kwinrc's text, read afresh. (QSettings
// caches a file by size and modification time, so it misses a rewrite of the
// same size within the file system's timestamp tick.)
QString nightColorValue(const QByteArray &kwinrc, const QString &key);

// KWin's night-light object of Plasma 6, served on the fake's thread.
class FakeKWinNightLight : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.NightLight")
    Q_PROPERTY(bool available READ available)
    Q_PROPERTY(uint currentTemperature READ currentTemperature)

public:
    struct State {
        std::atomic<bool> available = true;
        std::atomic<uint> currentTemperature = 6500;
    };
    explicit FakeKWinNightLight(std::shared_ptr<State> state)
        : m_state(std::move(state)) {}
    bool available() const { return m_state->available; }
    uint currentTemperature() const { return m_state->currentTemperature; }

private:
    std::shared_ptr<State> m_state;
};

// The same object as Plasma 5.27 names it.
class FakeKWinColorCorrect : public FakeKWinNightLight {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.ColorCorrect")

public:
    using FakeKWinNightLight::FakeKWinNightLight;
};

// KWin as far as its night light goes: owns org.kde.KWin, serves the
// night-light object of one Plasma generation, and reads [NightColor] of
// $XDG_CONFIG_HOME/kwinrc whenever KConfig's change notification (a{saay} on
// /kwinrc) names that group, as KWin's config watcher does. Notifications
// arrive on the test's thread.
class FakeKWin : public QObject {
    Q_OBJECT

public:
    FakeKWin(const QString &busAddress, bool plasma6, bool available);
    bool isValid() const { return m_valid; }
    uint currentTemperature() const { return m_state->currentTemperature; }

    int notifications = 0;
    QByteArrayList lastKeys;

private Q_SLOTS:
    void configChanged(const QDBusMessage &message);

private:
    std::shared_ptr<FakeKWinNightLight::State> m_state = std::make_shared<FakeKWinNightLight::State>();
    FakeDBusService m_service;
    BusClient m_listener;
    bool m_valid = false;
};

// GNOME's session manager: Inhibit with flags, Uninhibit by cookie.
class FakeGnomeSessionManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")

public:
    struct Calls {
        std::vector<uint> inhibitFlags;
        std::vector<uint> cookies;
        std::vector<uint> uninhibited;
    };
    Calls calls() const;

public Q_SLOTS:
    uint Inhibit(const QString &application, uint toplevelXid, const QString &reason, uint flags);
    void Uninhibit(uint cookie);

private:
    mutable QMutex m_mutex;
    Calls m_calls;
};
