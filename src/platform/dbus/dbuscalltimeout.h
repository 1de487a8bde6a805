#pragma once

#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QThread>

// These calls run on a user's click on the main thread and go to local
// services that answer in about a millisecond; one that has not answered
// within this time counts as refusing.
inline constexpr int kDBusCallTimeoutMs = 250;

// How long a call given up on the main thread stays open for its late reply,
// so that a lock granted after all can still be handed back.
inline constexpr int kDBusLateReplyTimeoutMs = 25000;

// Blocks for at most timeoutMs until the call has its reply or error. The
// reply is taken in by the bus connection's own thread, so no event loop has
// to run here.
inline bool waitForReply(const QDBusPendingCall &call, int timeoutMs = kDBusCallTimeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!call.isFinished()) {
        if (deadline.hasExpired())
            return false;
        QThread::usleep(200);
    }
    return true;
}
