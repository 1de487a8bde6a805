#pragma once

#include "core/keepawakecontrolling.h"
#include "engines/keepawakeadapters.h"

#include <memory>

// Keeps the display and the system awake while switched on, with two
// assertions. The display one is essential: the desktop's ScreenSaver
// inhibition, or, where no ScreenSaver service runs (a bare window
// manager), the X server's own screen saver and DPMS timers suspended. The
// system one is a logind "idle:sleep" lock and may be missing.
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

    std::unique_ptr<DisplaySleepInhibitor> m_screenSaver;
    std::unique_ptr<ScreenBlankingTimers> m_xScreenSaver;
    std::unique_ptr<SystemSleepInhibitor> m_logind;
    bool m_isActive = false;
};
