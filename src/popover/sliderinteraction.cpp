#include "popover/sliderinteraction.h"

#include "popover/slidergeometry.h"

#include <algorithm>
#include <cmath>

SliderInteraction::SliderInteraction(QObject *parent)
    : QObject(parent) {}

void SliderInteraction::assign(double &field, double value)
{
    if (field == value)
        return;
    field = value;
    Q_EMIT geometryChanged();
}

void SliderInteraction::setValue(double value) { assign(m_value, value); }
void SliderInteraction::setLower(double lower) { assign(m_lower, lower); }
void SliderInteraction::setUpper(double upper) { assign(m_upper, upper); }
void SliderInteraction::setStep(double step) { assign(m_step, step); }
void SliderInteraction::setWidth(double width) { assign(m_width, width); }

void SliderInteraction::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Q_EMIT enabledChanged();
}

void SliderInteraction::setDragging(bool dragging)
{
    if (m_dragging == dragging)
        return;
    m_dragging = dragging;
    Q_EMIT draggingChanged();
    Q_EMIT editingChanged(dragging);
}

double SliderInteraction::knobX() const
{
    return SliderGeometry::knobX(m_value, m_lower, m_upper, m_width);
}

double SliderInteraction::fillWidth() const
{
    return SliderGeometry::fillWidth(m_value, m_lower, m_upper, m_width);
}

void SliderInteraction::pointerMoved(double x)
{
    if (!m_enabled)
        return;
    setDragging(true);
    const double snapped = SliderGeometry::snap(x, m_width, m_lower, m_upper, m_step);
    if (snapped == m_value)
        return;
    Q_EMIT moved(snapped);
}

void SliderInteraction::pointerReleased()
{
    if (!m_enabled)
        return;
    setDragging(false);
}

void SliderInteraction::stepBy(int steps)
{
    if (!m_enabled || steps == 0 || !(m_step > 0) || !(m_upper > m_lower) || !std::isfinite(m_value))
        return;
    // A value off the step grid (set by the model) first falls back onto it,
    // so one step up lands on the next grid value, not one step past the value.
    const double current = std::clamp(m_value, m_lower, m_upper);
    const double index = std::floor((current - m_lower) / m_step + 1e-9);
    const double base = m_lower + index * m_step;
    // Down from a value between grid points, the first step is the grid point below.
    const int offGridDown = steps < 0 && base < current ? 1 : 0;
    const double target = std::clamp(base + (steps + offGridDown) * m_step, m_lower, m_upper);
    if (target == m_value)
        return;
    Q_EMIT moved(target);
}
