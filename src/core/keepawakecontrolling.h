#pragma once

// What the store needs from the keep-awake engine. Main thread only.
class KeepAwakeControlling {
public:
    virtual ~KeepAwakeControlling() = default;

    // Whether the engine holds its keep-awake assertions.
    virtual bool isActive() const = 0;

    // Switches keep-awake on or off. Asking for the current state changes
    // nothing and answers true; false only when switching on failed, in which
    // case nothing is held and isActive() stays false.
    virtual bool setActive(bool active) = 0;
};
