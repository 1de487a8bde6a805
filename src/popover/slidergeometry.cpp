#include "popover/slidergeometry.h"

#include <algorithm>
#include <cmath>

namespace SliderGeometry {

namespace {

// Like std::clamp, but a NaN lands on the lower bound.
double clampUnit(double t)
{
    if (!(t > 0))
        return 0;
    return std::min(t, 1.0);
}

} // namespace

double fraction(double value, double lower, double upper)
{
    if (!(upper - lower > 0))
        return 0;
    return clampUnit((value - lower) / (upper - lower));
}

double travel(double width)
{
    const double w = std::isfinite(width) ? width : 0;
    return std::max(std::max(w, knobDiameter) - (knobDiameter + 2 * margin), 1.0);
}

double knobX(double value, double lower, double upper, double width)
{
    return margin + travel(width) * fraction(value, lower, upper);
}

double fillWidth(double value, double lower, double upper, double width)
{
    return std::max(height, knobX(value, lower, upper, width) + knobDiameter + margin);
}

double snap(double pointerX, double width, double lower, double upper, double step)
{
    const double t = clampUnit((pointerX - knobDiameter / 2) / travel(width));
    const double raw = lower + (upper - lower) * t;
    double snapped = raw;
    if (step > 0 && std::isfinite(step))
        snapped = std::round(raw / step) * step; // std::round sends halves away from zero
    snapped = std::min(snapped, upper);
    snapped = std::max(snapped, lower);
    return snapped;
}

} // namespace SliderGeometry
