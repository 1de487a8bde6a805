#include "ripple/rippleframetiming.h"

#include <algorithm>
#include <cmath>

RippleFrameTiming::RippleFrameTiming(double startTime, double duration)
    : m_startTime(startTime)
    , m_duration(duration)
{
}

RippleFrameTiming::Frame RippleFrameTiming::frameAt(double now)
{
    const double elapsed = now - m_startTime;
    Frame frame;
    frame.time = float(std::clamp(elapsed, 0.0, m_duration));
    if (elapsed >= m_duration && !m_finished) {
        m_finished = true;
        frame.finishesNow = true;
    }
    return frame;
}

int RippleFrameTiming::framesPerSecond(qreal refreshRate)
{
    if (!std::isfinite(refreshRate) || refreshRate <= 60.0)
        return 60;
    return int(std::lround(std::min(refreshRate, 1000.0)));
}
