#pragma once

#include <QtGlobal>

// The clock of one ripple window: which time each frame shows, and the one
// frame at which the ripple is over.
class RippleFrameTiming {
public:
    struct Frame {
        float time = 0.0f;        // what the programs get, never beyond the duration
        bool finishesNow = false; // true for the first frame at or past the end only
    };

    RippleFrameTiming(double startTime, double duration);

    Frame frameAt(double now);
    bool isFinished() const { return m_finished; }
    double startTime() const { return m_startTime; }
    double duration() const { return m_duration; }

    // The screen's own rate where it is faster than 60 Hz, else 60.
    static int framesPerSecond(qreal refreshRate);

private:
    double m_startTime;
    double m_duration;
    bool m_finished = false;
};
