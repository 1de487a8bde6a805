#include "ripple/ripplereference.h"

#include <algorithm>
#include <cmath>

namespace {

float clamp01(float x)
{
    return std::clamp(x, 0.0f, 1.0f);
}

float length(float x, float y)
{
    return std::sqrt(x * x + y * y);
}

// Distance and direction work shared by both programs.
struct RingGeometry {
    float scaledX = 0.0f;
    float scaledY = 0.0f;
    float distance = 0.0f;
    float radius = 0.0f;
};

RingGeometry ringGeometry(float u, float v, const RippleUniforms &uniforms)
{
    RingGeometry g;
    g.scaledX = (u - uniforms.origin[0]) * uniforms.aspect;
    g.scaledY = v - uniforms.origin[1];
    g.distance = length(g.scaledX, g.scaledY);
    g.radius = RippleReference::largestRadius(uniforms.origin[0], uniforms.origin[1], uniforms.aspect);
    return g;
}

} // namespace

namespace RippleReference {

Sampler bilinearSampler(const QImage &picture)
{
    const QImage texels = picture.convertToFormat(QImage::Format_RGBA8888);
    return [texels](float s, float t) {
        if (texels.isNull())
            return RippleRGBA{};
        // A non-finite coordinate would make the index conversion undefined.
        if (!std::isfinite(s))
            s = 0.0f;
        if (!std::isfinite(t))
            t = 0.0f;
        const int width = texels.width();
        const int height = texels.height();
        const float x = std::clamp(s, 0.0f, 1.0f) * float(width) - 0.5f;
        const float y = std::clamp(t, 0.0f, 1.0f) * float(height) - 0.5f;
        const float x0f = std::floor(x);
        const float y0f = std::floor(y);
        const float fx = x - x0f;
        const float fy = y - y0f;
        const int x0 = std::clamp(int(x0f), 0, width - 1);
        const int x1 = std::clamp(int(x0f) + 1, 0, width - 1);
        const int y0 = std::clamp(int(y0f), 0, height - 1);
        const int y1 = std::clamp(int(y0f) + 1, 0, height - 1);
        const uchar *top = texels.constScanLine(y0);
        const uchar *bottom = texels.constScanLine(y1);

        float channels[4];
        for (int c = 0; c < 4; ++c) {
            const float upper = float(top[x0 * 4 + c]) * (1.0f - fx) + float(top[x1 * 4 + c]) * fx;
            const float lower = float(bottom[x0 * 4 + c]) * (1.0f - fx) + float(bottom[x1 * 4 + c]) * fx;
            channels[c] = (upper * (1.0f - fy) + lower * fy) / 255.0f;
        }
        return RippleRGBA{channels[0], channels[1], channels[2], channels[3]};
    };
}

float smoothstep(float edge0, float edge1, float x)
{
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

ColorRGB grade(ColorRGB colour, ColorRGB white, float saturation)
{
    const ColorRGB tinted{colour.r * white.r, colour.g * white.g, colour.b * white.b};
    const float luminance = 0.2126f * tinted.r + 0.7152f * tinted.g + 0.0722f * tinted.b;
    return {clamp01(luminance + (tinted.r - luminance) * saturation),
            clamp01(luminance + (tinted.g - luminance) * saturation),
            clamp01(luminance + (tinted.b - luminance) * saturation)};
}

float progress(const RippleUniforms &uniforms)
{
    return uniforms.duration > 0.0f ? smoothstep(0.0f, uniforms.duration, uniforms.time) : 1.0f;
}

float largestRadius(float originX, float originY, float aspect)
{
    const float left = originX * aspect;
    const float right = (1.0f - originX) * aspect;
    const float top = originY;
    const float bottom = 1.0f - originY;
    return std::max(std::max(length(left, top), length(right, top)),
                    std::max(length(left, bottom), length(right, bottom)));
}

RippleRGBA refract(float u, float v, const RippleUniforms &uniforms, const Sampler &picture)
{
    const float p = progress(uniforms);
    const RingGeometry g = ringGeometry(u, v, uniforms);

    // The ring: a front moving out past the farthest corner, a Gaussian
    // envelope around it and two sine waves under the envelope.
    const float front = p * (g.radius + 0.30f);
    const float r = g.distance - front;
    const float envelope = std::exp(-(r / 0.105f) * (r / 0.105f));
    const float primary = std::sin(r * 105.0f);
    const float fine = std::sin(r * 185.0f + 0.8f);
    const float endFade = 1.0f - smoothstep(0.82f, 1.0f, p);
    const float wave = (primary * 0.72f + fine * 0.28f) * envelope * endFade;

    // Radial displacement, computed in scaled space and brought back to texture space.
    float directionX = 0.0f;
    float directionY = 0.0f;
    if (g.distance > 0.0001f) {
        directionX = g.scaledX / g.distance;
        directionY = g.scaledY / g.distance;
    }
    const float strength = wave * 0.120f * (1.0f - p * 0.25f);
    const float offsetX = directionX * strength / uniforms.aspect;
    const float offsetY = directionY * strength;

    const RippleRGBA sampled = picture(clamp01(u + offsetX), clamp01(v + offsetY));
    const ColorRGB colour{sampled.r, sampled.g, sampled.b};
    const ColorRGB before = grade(colour, {uniforms.fromWhite[0], uniforms.fromWhite[1], uniforms.fromWhite[2]},
                                  uniforms.fromSaturation);
    const ColorRGB after = grade(colour, {uniforms.toWhite[0], uniforms.toWhite[1], uniforms.toWhite[2]},
                                 uniforms.toSaturation);

    // New grading inside the front, old outside, with a soft edge 0.05 wide.
    const float coverage = 1.0f - smoothstep(front - 0.025f, front + 0.025f, g.distance);
    const float crest = std::max(wave, 0.0f) * envelope * 0.035f * (1.0f - p * 0.6f);
    return {clamp01(before.r + (after.r - before.r) * coverage + crest),
            clamp01(before.g + (after.g - before.g) * coverage + crest),
            clamp01(before.b + (after.b - before.b) * coverage + crest),
            1.0f};
}

RippleRGBA crest(float u, float v, const RippleUniforms &uniforms)
{
    const float p = progress(uniforms);
    const RingGeometry g = ringGeometry(u, v, uniforms);

    // A narrower ring than the refract program's, running slightly behind it.
    const float front = p * (g.radius + 0.22f);
    const float r = g.distance - front;
    const float envelope = std::exp(-(r / 0.055f) * (r / 0.055f));
    const float wave = 0.5f + 0.5f * (std::sin(r * 95.0f) * 0.72f + std::sin(r * 170.0f + 0.8f) * 0.28f);
    const float endFade = 1.0f - smoothstep(0.80f, 1.0f, p);
    const float alpha = std::clamp(wave * envelope * endFade * 0.22f, 0.0f, 0.35f);

    // 35 % of the way from white to the new white point, premultiplied.
    const float tintR = 1.0f + (uniforms.toWhite[0] - 1.0f) * 0.35f;
    const float tintG = 1.0f + (uniforms.toWhite[1] - 1.0f) * 0.35f;
    const float tintB = 1.0f + (uniforms.toWhite[2] - 1.0f) * 0.35f;
    return {tintR * alpha, tintG * alpha, tintB * alpha, alpha};
}

} // namespace RippleReference
