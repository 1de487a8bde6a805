#include "fakelogind.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QMutexLocker>
#include <QTimer>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

FakeLogindManager::~FakeLogindManager()
{
    for (const InhibitCall &call : m_calls) {
        if (call.readEnd >= 0)
            ::close(call.readEnd);
    }
}

void FakeLogindManager::setRefusing(bool refusing)
{
    QMutexLocker lock(&m_mutex);
    m_refusing = refusing;
}

void FakeLogindManager::setReplyDelay(int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    m_replyDelay = milliseconds;
}

std::vector<FakeLogindManager::InhibitCall> FakeLogindManager::calls() const
{
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

bool FakeLogindManager::isHeld(std::size_t index) const
{
    QMutexLocker lock(&m_mutex);
    if (index >= m_calls.size() || m_calls[index].readEnd < 0)
        return false;
    pollfd fd{m_calls[index].readEnd, POLLIN, 0};
    if (::poll(&fd, 1, 0) < 0)
        return false;
    return (fd.revents & (POLLHUP | POLLIN)) == 0;
}

QDBusUnixFileDescriptor FakeLogindManager::Inhibit(const QString &what, const QString &who,
                                                   const QString &why, const QString &mode)
{
    QMutexLocker lock(&m_mutex);
    InhibitCall call{what, who, why, mode, -1};
    if (m_refusing) {
        m_calls.push_back(call);
        sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                       QStringLiteral("Permission denied"));
        return {};
    }
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("pipe failed"));
        return {};
    }
    call.readEnd = ends[0];
    m_calls.push_back(call);
    // QDBusUnixFileDescriptor keeps a duplicate; ours goes at once, as
    // logind's does.
    QDBusUnixFileDescriptor descriptor(ends[1]);
    ::close(ends[1]);
    if (m_replyDelay == 0)
        return descriptor;
    setDelayedReply(true);
    if (m_replyDelay > 0) {
        QTimer::singleShot(m_replyDelay, this,
                           [bus = connection(), reply = message().createReply(
                                                    QVariant::fromValue(descriptor))] {
                               bus.send(reply);
                           });
    }
    return {};
}

void FakeLogindSession::setRefusing(bool refusing)
{
    QMutexLocker lock(&m_mutex);
    m_refusing = refusing;
}

std::vector<FakeLogindSession::BrightnessCall> FakeLogindSession::calls() const
{
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

void FakeLogindSession::SetBrightness(const QString &subsystem, const QString &name,
                                      uint brightness)
{
    QMutexLocker lock(&m_mutex);
    m_calls.push_back({subsystem, name, brightness});
    if (m_refusing)
        sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                       QStringLiteral("Not in an active session"));
}
