#pragma once

#include "core/keepawakecontrolling.h"
#include "engines/keepawakeadapters.h"

#include <memory>

// Keeps the display and the system awake while switched on, with two
// assertions. The display one is essential: the desktop's inhibition, or,
// where the desktop offers none (a bare window manager), the display
// server's own blanking timers suspended. The system one is an
// "idle:sleep" lock and may be missing.
class KeepAwakeEngine final : public KeepAwakeControlling {
public:
    static constexpr const char *kApplicationName = "Halvoscope";
    static constexpr const char *kDisplayReason = "Halvoscope Keep Display Awake";
    static constexpr const char *kSystemReason = "Halvoscope Keep System Awake";

    // Missing display or system adapters count as ones that always refuse.
    explicit KeepAwakeEngine(KeepAwakeAdapters adapters);
    ~KeepAwakeEngine() override;
    KeepAwakeEngine(const KeepAwakeEngine &) = delete;
    KeepAwakeEngine &operator=(const KeepAwakeEngine &) = delete;

    bool isActive() const override { return m_isActive; }
    bool setActive(bool active) override;

    bool holdsDisplayAssertion() const;
    bool holdsSystemAssertion() const;

private:
    bool acquireDisplayAssertion();
    void releaseAll();

    std::unique_ptr<DisplaySleepInhibitor> m_display;
    std::unique_ptr<ScreenBlankingTimers> m_blankingTimers;
    std::unique_ptr<SystemSleepInhibitor> m_systemLock;
    bool m_isActive = false;
};
