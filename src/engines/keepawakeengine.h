#pragma once

#include "core/keepawakecontrolling.h"

#include <QDBusConnection>
#include <QString>

#include <memory>

class LogindInhibitor;
class ScreenSaverInhibitor;
class XScreenSaverSuspender;

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

    // An empty X display name means $DISPLAY.
    KeepAwakeEngine(QDBusConnection sessionBus, QDBusConnection systemBus,
                    QString xDisplayName = {});
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

    std::unique_ptr<ScreenSaverInhibitor> m_screenSaver;
    std::unique_ptr<XScreenSaverSuspender> m_xScreenSaver;
    std::unique_ptr<LogindInhibitor> m_logind;
    bool m_isActive = false;
};
