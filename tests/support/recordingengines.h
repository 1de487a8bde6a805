#pragma once

// Recording fakes of the store's four engine interfaces and its login-item
// service. They write every call, in order, into one shared log so tests can
// check the exact sequence the store drives.

#include "core/brightnesscontrolling.h"
#include "core/displaycolorapplying.h"
#include "core/keepawakecontrolling.h"
#include "core/loginitemservice.h"
#include "core/rippletransitioning.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

struct CallLog {
    QStringList calls;
    void add(const QString &call) { calls.append(call); }
};

class RecordingColorEngine : public DisplayColorApplying {
public:
    explicit RecordingColorEngine(std::shared_ptr<CallLog> log)
        : m_log(std::move(log)) {}
    QSet<quint32> overlayWindowIDs() const override { return {}; }
    void applyColor(qint64 t, qint64 s) override
    {
        m_log->add(QStringLiteral("color.apply %1 %2").arg(t).arg(s));
        if (onApply)
            onApply();
    }

    // Runs at each applyColor, to look at what else has happened by then.
    std::function<void()> onApply;
    void setOverlaysHidden(bool hidden) override
    {
        m_log->add(QStringLiteral("color.hidden %1").arg(hidden));
    }
    void reset() override { m_log->add(QStringLiteral("color.reset")); }
    QStringList screensWithoutColour() const override { return refusingScreens; }

    // Screens that show none of the colour, as a display that refuses it would report.
    QStringList refusingScreens;

private:
    std::shared_ptr<CallLog> m_log;
};

// A display whose level the test sets; setBrightness can be made to fail.
class RecordingBrightnessEngine : public BrightnessControlling {
public:
    explicit RecordingBrightnessEngine(std::shared_ptr<CallLog> log)
        : m_log(std::move(log)) {}
    std::optional<qint64> readBrightness() override
    {
        m_log->add(QStringLiteral("brightness.read"));
        return level;
    }
    bool setBrightness(qint64 percent) override
    {
        m_log->add(QStringLiteral("brightness.set %1").arg(percent));
        if (!accepts)
            return false;
        level = percent;
        return true;
    }

    std::optional<qint64> level;
    bool accepts = true;

private:
    std::shared_ptr<CallLog> m_log;
};

class RecordingKeepAwakeEngine : public KeepAwakeControlling {
public:
    explicit RecordingKeepAwakeEngine(std::shared_ptr<CallLog> log)
        : m_log(std::move(log)) {}
    bool isActive() const override { return active; }
    bool setActive(bool on) override
    {
        m_log->add(QStringLiteral("keepAwake.set %1").arg(on));
        if (on == active)
            return true;
        if (on && refuses)
            return false;
        active = on;
        return true;
    }

    bool active = false;
    bool refuses = false;

private:
    std::shared_ptr<CallLog> m_log;
};

// Keeps the closures of the running transition so the test decides when the
// target is applied and when the transition completes. A new transition or a
// cancel drops the previous closures unrun, as the interface requires.
class RecordingRippleEngine : public RippleTransitioning {
public:
    explicit RecordingRippleEngine(std::shared_ptr<CallLog> log)
        : m_log(std::move(log)) {}
    bool hasScreenCaptureAccess() const override { return true; }
    bool canRequestScreenCaptureAccess() const override { return false; }
    void requestScreenCaptureAccess() override { m_log->add(QStringLiteral("ripple.request")); }
    void warmUpCapture(std::function<void()> done) override
    {
        m_log->add(QStringLiteral("ripple.warmUp"));
        if (done)
            done();
    }
    void prepare() override { m_log->add(QStringLiteral("ripple.prepare")); }
    void runTransition(qint64 fromT, qint64 fromS, qint64 toT, qint64 toS, bool useRefraction,
                       QPointF origin, std::function<void()> applyTarget,
                       std::function<void()> completion) override
    {
        m_log->add(QStringLiteral("ripple.run %1 %2 -> %3 %4 refract=%5 origin=%6,%7")
                       .arg(fromT)
                       .arg(fromS)
                       .arg(toT)
                       .arg(toS)
                       .arg(useRefraction)
                       .arg(origin.x())
                       .arg(origin.y()));
        pendingApplyTarget = std::move(applyTarget);
        pendingCompletion = std::move(completion);
    }
    void cancelTransition() override
    {
        m_log->add(QStringLiteral("ripple.cancel"));
        pendingApplyTarget = {};
        pendingCompletion = {};
    }

    // Plays the end of the running transition: apply-target, then completion.
    void finish()
    {
        auto applyTarget = std::exchange(pendingApplyTarget, {});
        auto completion = std::exchange(pendingCompletion, {});
        if (applyTarget)
            applyTarget();
        if (completion)
            completion();
    }

    std::function<void()> pendingApplyTarget;
    std::function<void()> pendingCompletion;

private:
    std::shared_ptr<CallLog> m_log;
};

class RecordingLoginItems : public LoginItemService {
public:
    bool registerItem(QString *error) override
    {
        if (failure) {
            *error = *failure;
            return false;
        }
        enabled = true;
        return true;
    }
    bool unregisterItem(QString *error) override
    {
        if (failure) {
            *error = *failure;
            return false;
        }
        enabled = false;
        return true;
    }
    bool isEnabled() const override { return enabled; }
    QString reasonToStartOff() const override { return startOffReason; }

    bool enabled = false;
    std::optional<QString> failure;
    QString startOffReason;
};

// The engines and login items a test store is built with, writing to one
// call log. Test rigs derive from it and add the ripple engine they need.
struct RecordingEngineSet {
    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    std::shared_ptr<RecordingColorEngine> color = std::make_shared<RecordingColorEngine>(log);
    std::shared_ptr<RecordingBrightnessEngine> brightness =
        std::make_shared<RecordingBrightnessEngine>(log);
    std::shared_ptr<RecordingKeepAwakeEngine> keepAwake =
        std::make_shared<RecordingKeepAwakeEngine>(log);
    std::shared_ptr<RecordingLoginItems> loginItems = std::make_shared<RecordingLoginItems>();
};
