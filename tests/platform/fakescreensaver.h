#pragma once

#include <QDBusContext>
#include <QMutex>
#include <QObject>
#include <QString>

#include <set>
#include <vector>

// A desktop's org.freedesktop.ScreenSaver inhibition service.
class FakeScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    struct InhibitCall {
        QString application;
        QString reason;
        uint cookie = 0;
    };

    void setRefusing(bool refusing);
    std::vector<InhibitCall> inhibitCalls() const;
    std::vector<uint> uninhibitCalls() const;
    std::set<uint> activeCookies() const;

public Q_SLOTS:
    uint Inhibit(const QString &application, const QString &reason);
    void UnInhibit(uint cookie);

private:
    mutable QMutex m_mutex;
    bool m_refusing = false;
    uint m_nextCookie = 7001;
    std::vector<InhibitCall> m_inhibits;
    std::vector<uint> m_uninhibits;
    std::set<uint> m_active;
};
