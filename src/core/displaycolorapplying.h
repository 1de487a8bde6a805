#pragma once

#include <QSet>
#include <QStringList>
#include <QtGlobal>

// What the store needs from the engine that colours every screen.
// All calls happen on the main thread and return without blocking.
class DisplayColorApplying {
public:
    virtual ~DisplayColorApplying() = default;

    // Window numbers (> 0) of the engine's own overlay windows, so that screen
    // captures can leave them out. Empty when the engine draws no windows.
    virtual QSet<quint32> overlayWindowIDs() const = 0;

    // Every screen shows this colour from now on. The engine clamps and rounds
    // itself (1000…7000 K by 100, 0…200 % by 5); 6500 K / 100 % removes every
    // colour change.
    virtual void applyColor(qint64 temperature, qint64 saturation) = 0;

    // Hides the colour change (true) or shows it again (false) without
    // forgetting the colour; used while the screens are captured.
    virtual void setOverlaysHidden(bool hidden) = 0;

    // Back to neutral, with the system's own colour settings restored.
    virtual void reset() = 0;

    // Whether each applyColor shows on the screen as it is called. False
    // where the desktop's own night light takes the colour and runs its own
    // short transition: an animated change then applies its target once
    // instead of every frame.
    virtual bool followsEveryFrame() const { return true; }

    // While a colour other than neutral is on and no screen shows any of it:
    // the screens that should (all of them). Empty while at least one screen
    // shows it, and for the neutral colour.
    virtual QStringList screensWithoutColour() const { return {}; }
};
