#include "engines/keepawakeengine.h"

namespace {

// Stands in for an adapter the platform does not offer, so the engine never
// has to ask whether one is there.
class RefusingDisplayInhibitor final : public DisplaySleepInhibitor {
public:
    Result inhibit(const QString &, const QString &) override { return Result::Refused; }
    void release() override {}
    bool isHeld() const override { return false; }
};

class MissingBlankingTimers final : public ScreenBlankingTimers {
public:
    bool suspend() override { return false; }
    void resume() override {}
    bool isSuspended() const override { return false; }
};

class RefusingSystemInhibitor final : public SystemSleepInhibitor {
public:
    bool inhibit(const QString &, const QString &, const QString &, const QString &) override
    {
        return false;
    }
    void release() override {}
    bool isHeld() const override { return false; }
};

template <typename Stand, typename Adapter>
std::unique_ptr<Adapter> orStandIn(std::unique_ptr<Adapter> adapter)
{
    if (adapter)
        return adapter;
    return std::make_unique<Stand>();
}

} // namespace

KeepAwakeEngine::KeepAwakeEngine(KeepAwakeAdapters adapters)
    : m_display(orStandIn<RefusingDisplayInhibitor>(std::move(adapters.display)))
    , m_blankingTimers(orStandIn<MissingBlankingTimers>(std::move(adapters.blankingTimers)))
    , m_systemLock(orStandIn<RefusingSystemInhibitor>(std::move(adapters.system)))
{
}

KeepAwakeEngine::~KeepAwakeEngine()
{
    releaseAll();
}

bool KeepAwakeEngine::holdsDisplayAssertion() const
{
    return m_display->isHeld() || m_blankingTimers->isSuspended();
}

bool KeepAwakeEngine::holdsSystemAssertion() const
{
    return m_systemLock->isHeld();
}

bool KeepAwakeEngine::acquireDisplayAssertion()
{
    switch (m_display->inhibit(QString::fromLatin1(kApplicationName),
                               QString::fromLatin1(kDisplayReason))) {
    case DisplaySleepInhibitor::Result::Granted:
        return true;
    case DisplaySleepInhibitor::Result::NoService:
        return m_blankingTimers->suspend();
    case DisplaySleepInhibitor::Result::Refused:
        break;
    }
    return false;
}

void KeepAwakeEngine::releaseAll()
{
    m_display->release();
    m_blankingTimers->resume();
    m_systemLock->release();
}

bool KeepAwakeEngine::setActive(bool active)
{
    if (active == m_isActive)
        return true;

    if (!active) {
        releaseAll();
        m_isActive = false;
        return true;
    }

    // Both are asked for before either answer is looked at.
    const bool displayHeld = acquireDisplayAssertion();
    m_systemLock->inhibit(QStringLiteral("idle:sleep"), QString::fromLatin1(kApplicationName),
                          QString::fromLatin1(kSystemReason), QStringLiteral("block"));

    if (!displayHeld) {
        releaseAll();
        return false;
    }
    m_isActive = true;
    return true;
}
