#pragma once

#include "engines/keepawakeadapters.h"

#include <QDBusConnection>
#include <QString>

// A logind inhibitor lock, held for as long as the file descriptor logind
// hands out stays open.
class LogindInhibitor final : public SystemSleepInhibitor {
public:
    explicit LogindInhibitor(QDBusConnection systemBus);
    ~LogindInhibitor() override;
    LogindInhibitor(const LogindInhibitor &) = delete;
    LogindInhibitor &operator=(const LogindInhibitor &) = delete;

    // Manager.Inhibit(what, who, why, mode). True when a lock is held
    // afterwards; asking again while one is held keeps the first. A logind
    // that has not answered within kDBusCallTimeoutMs counts as refusing.
    bool inhibit(const QString &what, const QString &who, const QString &why,
                 const QString &mode) override;
    void release() override;
    bool isHeld() const override { return m_fd >= 0; }

private:
    QDBusConnection m_bus;
    int m_fd = -1;
};
