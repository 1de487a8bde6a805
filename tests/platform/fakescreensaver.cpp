#include "fakescreensaver.h"

#include <QMutexLocker>

void FakeScreenSaver::setRefusing(bool refusing)
{
    QMutexLocker lock(&m_mutex);
    m_refusing = refusing;
}

std::vector<FakeScreenSaver::InhibitCall> FakeScreenSaver::inhibitCalls() const
{
    QMutexLocker lock(&m_mutex);
    return m_inhibits;
}

std::vector<uint> FakeScreenSaver::uninhibitCalls() const
{
    QMutexLocker lock(&m_mutex);
    return m_uninhibits;
}

std::set<uint> FakeScreenSaver::activeCookies() const
{
    QMutexLocker lock(&m_mutex);
    return m_active;
}

uint FakeScreenSaver::Inhibit(const QString &application, const QString &reason)
{
    QMutexLocker lock(&m_mutex);
    if (m_refusing) {
        m_inhibits.push_back({application, reason, 0});
        sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                       QStringLiteral("Inhibition not allowed"));
        return 0;
    }
    const uint cookie = m_nextCookie++;
    m_inhibits.push_back({application, reason, cookie});
    m_active.insert(cookie);
    return cookie;
}

void FakeScreenSaver::UnInhibit(uint cookie)
{
    QMutexLocker lock(&m_mutex);
    m_uninhibits.push_back(cookie);
    m_active.erase(cookie);
}
