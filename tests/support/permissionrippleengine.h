#pragma once

// A ripple engine whose screen-capture permission the test grants or
// withdraws, as the user would in the system settings. It records the
// permission and warm-up calls; a warm-up can be held until the test lets it
// finish, the way a real capture takes its time.

#include "core/rippletransitioning.h"

#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class PermissionRippleEngine : public RippleTransitioning {
public:
    bool hasScreenCaptureAccess() const override { return granted; }
    bool canRequestScreenCaptureAccess() const override { return requestable; }

    void requestScreenCaptureAccess() override
    {
        calls.append(QStringLiteral("request"));
        if (onRequest)
            onRequest();
    }

    void warmUpCapture(std::function<void()> done) override
    {
        calls.append(QStringLiteral("warmUp"));
        if (!done)
            return;
        if (holdWarmUps)
            heldWarmUps.push_back(std::move(done));
        else
            QTimer::singleShot(0, [done = std::move(done)] { done(); });
    }

    void runTransition(qint64, qint64, qint64, qint64, bool, QPointF, std::function<void()> applyTarget,
                       std::function<void()> completion) override
    {
        calls.append(QStringLiteral("run"));
        if (applyTarget)
            applyTarget();
        if (completion)
            completion();
    }

    void cancelTransition() override { calls.append(QStringLiteral("cancel")); }

    // Ends every held warm-up.
    void finishWarmUps()
    {
        auto held = std::exchange(heldWarmUps, {});
        for (auto &done : held)
            done();
    }

    int count(const QString &call) const { return int(calls.count(call)); }

    bool granted = false;
    // False for a session without screen capture, where nobody can grant it.
    bool requestable = true;
    bool holdWarmUps = false;
    // Runs inside requestScreenCaptureAccess, to look at the world at that moment.
    std::function<void()> onRequest;
    QStringList calls;
    std::vector<std::function<void()>> heldWarmUps;
};
