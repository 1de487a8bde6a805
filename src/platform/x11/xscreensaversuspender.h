#pragma once

#include "engines/keepawakeadapters.h"

#include <QString>

struct _XDisplay;

// Holds the X server's own screen saver and DPMS timers off through the
// MIT-SCREEN-SAVER extension. The server ties the suspension to our
// connection, so the connection stays open while it is held; should the
// process die, the server lifts it by itself.
class XScreenSaverSuspender final : public ScreenBlankingTimers {
public:
    // An empty display name means $DISPLAY.
    explicit XScreenSaverSuspender(QString displayName = {});
    ~XScreenSaverSuspender() override;
    XScreenSaverSuspender(const XScreenSaverSuspender &) = delete;
    XScreenSaverSuspender &operator=(const XScreenSaverSuspender &) = delete;

    // False when there is no X server or it lacks the extension (1.1 or
    // newer is needed).
    bool suspend() override;
    void resume() override;
    bool isSuspended() const override { return m_display != nullptr; }

private:
    QString m_displayName;
    _XDisplay *m_display = nullptr;
};
