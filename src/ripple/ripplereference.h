#pragma once

#include "core/colormath.h"
#include "ripple/rippleuniforms.h"

#include <QImage>

#include <functional>

// Straight or premultiplied RGBA, each channel nominally 0…1.
struct RippleRGBA {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

// The per-pixel maths of both ripple programs on the CPU, in single precision
// like the GPU. `uv` is a texture coordinate: (0, 0) the screen's top-left,
// (1, 1) its bottom-right; all distances are aspect-scaled (1.0 = screen height).
namespace RippleReference {

// The picture at texture coordinate (s, t), t growing downward.
using Sampler = std::function<RippleRGBA(float s, float t)>;

// Bilinear, clamp-to-edge sampling of `picture` with texel centres at
// (i + 0.5) / width, which is what GL's linear filter does.
Sampler bilinearSampler(const QImage &picture);

// Hermite smoothstep, as GLSL defines it.
float smoothstep(float edge0, float edge1, float x);

// Tint by `white`, then mix from the luminance towards the tint by `saturation`.
ColorRGB grade(ColorRGB colour, ColorRGB white, float saturation);

// smoothstep(0, duration, time); a zero duration counts as finished.
float progress(const RippleUniforms &uniforms);

// Aspect-scaled distance from the origin to the farthest screen corner.
float largestRadius(float originX, float originY, float aspect);

// The refract program: opaque output (alpha 1).
RippleRGBA refract(float u, float v, const RippleUniforms &uniforms, const Sampler &picture);

// The crest-overlay program: premultiplied output, alpha at most 0.35.
RippleRGBA crest(float u, float v, const RippleUniforms &uniforms);

} // namespace RippleReference
