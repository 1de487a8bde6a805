#include "fakelogind.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QMutexLocker>

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

void FakeLogindManager::setHoldingReplies(bool holding)
{
    QMutexLocker lock(&m_mutex);
    m_holding = holding;
}

void FakeLogindManager::releaseHeldReplies()
{
    std::vector<std::pair<QDBusConnection, QDBusMessage>> replies;
    {
        QMutexLocker lock(&m_mutex);
        replies.swap(m_heldReplies);
    }
    for (const auto &[bus, reply] : replies)
        bus.send(reply);
}

std::size_t FakeLogindManager::heldReplies() const
{
    QMutexLocker lock(&m_mutex);
    return m_heldReplies.size();
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
    if (!m_holding)
        return descriptor;
    // The kept answer holds a copy of the write end, so the lock stays held
    // until it has been sent and let go of.
    setDelayedReply(true);
    m_heldReplies.emplace_back(connection(),
                               message().createReply(QVariant::fromValue(descriptor)));
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
