#pragma once

#include <QString>

#include <memory>

// The desktop's own screen-saver inhibition, identified by whatever the
// service hands back for it.
class DisplaySleepInhibitor {
public:
    enum class Result {
        Granted,
        Refused,   // an error, no answer within the short wait, or no bus
        NoService, // the desktop offers no inhibition at all
    };

    virtual ~DisplaySleepInhibitor() = default;

    virtual Result inhibit(const QString &application, const QString &reason) = 0;
    virtual void release() = 0;
    virtual bool isHeld() const = 0;
};

// The display server's own blanking and power-saving timers, held off
// directly where no desktop service can be asked.
class ScreenBlankingTimers {
public:
    virtual ~ScreenBlankingTimers() = default;

    // False when the display server cannot hold them off.
    virtual bool suspend() = 0;
    virtual void resume() = 0;
    virtual bool isSuspended() const = 0;
};

// A lock that keeps the system from sleeping while it is held.
class SystemSleepInhibitor {
public:
    virtual ~SystemSleepInhibitor() = default;

    // True when a lock is held afterwards; asking again while one is held
    // keeps the first.
    virtual bool inhibit(const QString &what, const QString &who, const QString &why,
                         const QString &mode) = 0;
    virtual void release() = 0;
    virtual bool isHeld() const = 0;
};

// What the keep-awake engine holds on to. The display inhibitor and the
// system lock are required; the blanking timers may be missing, and then a
// desktop without an inhibition service cannot be kept awake.
struct KeepAwakeAdapters {
    std::unique_ptr<DisplaySleepInhibitor> display;
    std::unique_ptr<ScreenBlankingTimers> blankingTimers;
    std::unique_ptr<SystemSleepInhibitor> system;
};
