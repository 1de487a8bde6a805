#pragma once

// Geometry and snapping of the capsule slider: a 24-tall track with a
// 20-wide knob and 2 of margin at each end. Pure functions of plain values.
namespace SliderGeometry {

inline constexpr double height = 24;
inline constexpr double knobDiameter = 20;
inline constexpr double margin = 2;

// Where the value sits between lower and upper, 0…1; 0 for an empty range.
double fraction(double value, double lower, double upper);

// How far the knob can move: never less than 1, so nothing divides by zero.
double travel(double width);

// Left edge of the knob.
double knobX(double value, double lower, double upper, double width);

// The fill ends 2 past the knob's right edge and is never shorter than the knob band.
double fillWidth(double value, double lower, double upper, double width);

// The value a pointer at pointerX selects: the nearest multiple of step
// (counted from zero, halves away from zero), kept within lower…upper.
double snap(double pointerX, double width, double lower, double upper, double step);

} // namespace SliderGeometry
