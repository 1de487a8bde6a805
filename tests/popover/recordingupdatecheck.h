#pragma once

#include "core/updatechecking.h"

#include <QList>

// The settings page's update check, recorded. A check either finishes at
// once or, with `holds`, stays running until the test calls finish().
// Released while running, it deletes itself only once finished, as the
// application's checker does.
class RecordingUpdateCheck : public UpdateChecking {
public:
    explicit RecordingUpdateCheck(bool holdUntilFinished = false)
        : holds(holdUntilFinished) {}

    bool isChecking() const override { return m_checking; }

    void checkForUpdates(bool userInitiated) override
    {
        checks.append(userInitiated);
        setChecking(true);
        if (!holds)
            finish();
    }

    void deleteWhenFinished() override
    {
        released = true;
        if (!m_checking)
            deleteLater();
    }

    void finish()
    {
        ++finished;
        setChecking(false);
        if (released)
            deleteLater();
    }

    void setChecking(bool checking)
    {
        if (m_checking == checking)
            return;
        m_checking = checking;
        Q_EMIT stateChanged();
    }

    const bool holds;
    // One entry per check: whether the user started it.
    QList<bool> checks;
    int finished = 0;
    bool released = false;

private:
    bool m_checking = false;
};
