#pragma once

#include "ripple/ripplereference.h"
#include "ripple/rippleuniforms.h"

#include <QImage>
#include <QPoint>
#include <QMetaType>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

Q_DECLARE_METATYPE(RippleUniforms)

namespace RippleFixtures {

// Size of every rendered frame in the tests (aspect 1.6).
inline constexpr QSize frameSize{320, 200};

// Channel gradients under an 8-pixel checker, so that any displacement or
// wrong orientation changes the colour of a pixel.
QImage patternPicture(QSize size);
// One colour everywhere: displacement cannot show, only grading and crests.
QImage flatPicture(QSize size);

// A frame of float RGBA pixels, top row first.
struct Frame {
    QSize size;
    std::vector<RippleRGBA> pixels;

    RippleRGBA at(int x, int y) const { return pixels[size_t(y) * size_t(size.width()) + size_t(x)]; }
};

// Texture coordinate of a pixel centre, as the vertex stage interpolates it.
float pixelU(int x, QSize size);
float pixelV(int y, QSize size);

// Uniforms for a frame of `size` whose origin is given in texture space.
RippleUniforms uniformsAt(float originX, float originY, float time, QSize size,
                          qint64 fromTemperature, qint64 fromSaturation,
                          qint64 toTemperature, qint64 toSaturation);
// The same with white (1, 1, 1) and saturation 1 at both ends.
RippleUniforms unchangedColourAt(float originX, float originY, float time, QSize size);

Frame referenceRefract(const RippleUniforms &uniforms, const QImage &picture, QSize size);
Frame referenceCrest(const RippleUniforms &uniforms, QSize size);
// 8-bit RGBA read back from the GPU, top row first.
Frame fromRgba8(const QImage &image);

// The picture's texel under a pixel centre, graded with one end's colour.
ColorRGB texel(const QImage &picture, int x, int y);
ColorRGB gradedOld(ColorRGB colour, const RippleUniforms &uniforms);
ColorRGB gradedNew(ColorRGB colour, const RippleUniforms &uniforms);

// Aspect-scaled distance from the origin to a pixel centre.
float distanceFromOrigin(int x, int y, const RippleUniforms &uniforms, QSize size);

// Largest channel difference over the pixels where `where` holds (all when
// empty), with the worst pixel described in `worst`.
using Expectation = std::function<RippleRGBA(int x, int y)>;
float largestDifference(const Frame &frame, const Expectation &expected, QString *worst,
                        const std::function<bool(int x, int y)> &where = {});

// What a refract row asserts beyond matching the reference.
enum Check {
    // Far from the ring nothing is displaced or brightened: old grading
    // outside the front, new inside.
    SettledPixels = 1,
    // Time 0: the origin pixel is the even mix of old and new grading.
    EvenMixAtOrigin = 2,
    // Unchanged colours: the origin pixel is its own texel, at most brightened.
    UndisplacedOrigin = 4,
    // Flat picture: beyond the coverage edge (everywhere when both ends grade
    // alike) only an equal brightening of r, g and b is added to the old grading.
    OnlyCrestOnFlat = 8,
    // Settled pixels of both gradings exist (the front is inside the frame).
    BothGradingsSeen = 16,
    EveryPixelOld = 32,
    EveryPixelNew = 64,
};

// Adds the columns "uniforms", "picture", "checks" and "originPixel" and the
// refract rows both the CPU and the GPU tests run.
void addRefractRows();
// The picture a row names: "pattern" and "flat" at frame size, "small" and
// "large" patterns smaller and larger than the frame.
QImage pictureNamed(const QString &name);
// Empty when the frame passes every check in `checks`, else what failed.
QString checkRefractFrame(const Frame &frame, const QImage &picture, const RippleUniforms &uniforms,
                          int checks, QPoint originPixel, float tolerance);

inline RippleRGBA opaque(ColorRGB c)
{
    return {c.r, c.g, c.b, 1.0f};
}

} // namespace RippleFixtures
