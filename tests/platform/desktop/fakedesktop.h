#pragma once

#include "fakedbusservice.h"

#include <QByteArrayList>
#include <QDBusMessage>
#include <QMutex>
#include <QObject>

#include <memory>
#include <vector>

// What KWin's night light shows, as the fake works it out from kwinrc.
struct FakeKWinState {
    mutable QMutex mutex;
    bool available = true;
    uint currentTemperature = 6500;
    int notifications = 0;
    QString lastSignature;
    QByteArrayList lastKeys;
};

// KWin's night-light object of Plasma 6.
class FakeKWinNightLight : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.NightLight")
    Q_PROPERTY(bool available READ available)
    Q_PROPERTY(uint currentTemperature READ currentTemperature)

public:
    explicit FakeKWinNightLight(std::shared_ptr<FakeKWinState> state) : m_state(std::move(state)) {}
    bool available() const;
    uint currentTemperature() const;

private:
    std::shared_ptr<FakeKWinState> m_state;
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
// $XDG_CONFIG_HOME/kwinrc whenever KConfig's change notification names that
// group, as KWin's config watcher does.
class FakeKWin : public QObject {
    Q_OBJECT

public:
    enum class Plasma { Six, FiveTwentySeven };

    FakeKWin(const QString &busAddress, Plasma plasma, bool available = true);
    bool isValid() const { return m_valid; }

    uint currentTemperature() const;
    int notifications() const;
    QString lastSignature() const;
    QByteArrayList lastKeys() const;

private Q_SLOTS:
    void configChanged(const QDBusMessage &message);

private:
    std::shared_ptr<FakeKWinState> m_state = std::make_shared<FakeKWinState>();
    FakeDBusService m_service;
    BusClient m_listener;
    bool m_valid = false;
};

// GNOME's session manager: Inhibit with flags, Uninhibit by cookie.
class FakeGnomeSessionManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")

public:
    struct InhibitCall {
        QString application;
        uint toplevelXid = 0;
        QString reason;
        uint flags = 0;
        uint cookie = 0;
    };

    std::vector<InhibitCall> inhibitCalls() const;
    std::vector<uint> uninhibitCalls() const;

public Q_SLOTS:
    uint Inhibit(const QString &application, uint toplevelXid, const QString &reason, uint flags);
    void Uninhibit(uint cookie);

private:
    mutable QMutex m_mutex;
    uint m_nextCookie = 4101;
    std::vector<InhibitCall> m_inhibits;
    std::vector<uint> m_uninhibits;
};
