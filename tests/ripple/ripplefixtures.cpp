#include "ripplefixtures.h"

#include <QColor>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace RippleFixtures {

QImage patternPicture(QSize size)
{
    QImage image(size, QImage::Format_RGBA8888);
    const int w = std::max(size.width() - 1, 1);
    const int h = std::max(size.height() - 1, 1);
    for (int y = 0; y < size.height(); ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            const bool cell = ((x / 8) + (y / 8)) % 2 == 0;
            const int across = 255 * x / w;
            line[x * 4 + 0] = uchar(cell ? across : 255 - across);
            line[x * 4 + 1] = uchar(255 * y / h);
            line[x * 4 + 2] = uchar(cell ? 210 : 45);
            line[x * 4 + 3] = 255;
        }
    }
    return image;
}

QImage flatPicture(QSize size)
{
    QImage image(size, QImage::Format_RGBA8888);
    image.fill(QColor(180, 120, 60));
    return image;
}

float pixelU(int x, QSize size)
{
    return (float(x) + 0.5f) / float(size.width());
}

float pixelV(int y, QSize size)
{
    return (float(y) + 0.5f) / float(size.height());
}

RippleUniforms uniformsAt(float originX, float originY, float time, QSize size,
                          qint64 fromTemperature, qint64 fromSaturation,
                          qint64 toTemperature, qint64 toSaturation)
{
    const QRectF screen(0, 0, size.width(), size.height());
    const QPointF origin(originX * size.width(), originY * size.height());
    RippleUniforms u = RippleUniforms::forScreen(screen, origin, fromTemperature, fromSaturation,
                                                 toTemperature, toSaturation);
    // Keep the exact texture-space origin the row asked for.
    u.origin[0] = originX;
    u.origin[1] = originY;
    u.time = time;
    return u;
}

RippleUniforms unchangedColourAt(float originX, float originY, float time, QSize size)
{
    RippleUniforms u = uniformsAt(originX, originY, time, size, 6600, 100, 6600, 100);
    for (int c = 0; c < 4; ++c) {
        u.fromWhite[c] = 1.0f;
        u.toWhite[c] = 1.0f;
    }
    u.fromSaturation = 1.0f;
    u.toSaturation = 1.0f;
    return u;
}

Frame referenceRefract(const RippleUniforms &uniforms, const QImage &picture, QSize size)
{
    const RippleReference::Sampler sampler = RippleReference::bilinearSampler(picture);
    Frame frame{size, {}};
    frame.pixels.reserve(size_t(size.width()) * size_t(size.height()));
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            frame.pixels.push_back(RippleReference::refract(pixelU(x, size), pixelV(y, size), uniforms, sampler));
    return frame;
}

Frame referenceCrest(const RippleUniforms &uniforms, QSize size)
{
    Frame frame{size, {}};
    frame.pixels.reserve(size_t(size.width()) * size_t(size.height()));
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            frame.pixels.push_back(RippleReference::crest(pixelU(x, size), pixelV(y, size), uniforms));
    return frame;
}

Frame fromRgba8(const QImage &image)
{
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    Frame frame{rgba.size(), {}};
    frame.pixels.reserve(size_t(rgba.width()) * size_t(rgba.height()));
    for (int y = 0; y < rgba.height(); ++y) {
        const uchar *line = rgba.constScanLine(y);
        for (int x = 0; x < rgba.width(); ++x)
            frame.pixels.push_back({line[x * 4] / 255.0f, line[x * 4 + 1] / 255.0f,
                                    line[x * 4 + 2] / 255.0f, line[x * 4 + 3] / 255.0f});
    }
    return frame;
}

ColorRGB texel(const QImage &picture, int x, int y)
{
    const QColor c = picture.pixelColor(x, y);
    return {c.red() / 255.0f, c.green() / 255.0f, c.blue() / 255.0f};
}

ColorRGB gradedOld(ColorRGB colour, const RippleUniforms &u)
{
    return RippleReference::grade(colour, {u.fromWhite[0], u.fromWhite[1], u.fromWhite[2]}, u.fromSaturation);
}

ColorRGB gradedNew(ColorRGB colour, const RippleUniforms &u)
{
    return RippleReference::grade(colour, {u.toWhite[0], u.toWhite[1], u.toWhite[2]}, u.toSaturation);
}

float distanceFromOrigin(int x, int y, const RippleUniforms &u, QSize size)
{
    const float dx = (pixelU(x, size) - u.origin[0]) * u.aspect;
    const float dy = pixelV(y, size) - u.origin[1];
    return std::sqrt(dx * dx + dy * dy);
}

float largestDifference(const Frame &frame, const Expectation &expected, QString *worst,
                        const std::function<bool(int x, int y)> &where)
{
    float largest = 0.0f;
    for (int y = 0; y < frame.size.height(); ++y) {
        for (int x = 0; x < frame.size.width(); ++x) {
            if (where && !where(x, y))
                continue;
            const RippleRGBA got = frame.at(x, y);
            const RippleRGBA want = expected(x, y);
            const float diff = std::max({std::abs(got.r - want.r), std::abs(got.g - want.g),
                                         std::abs(got.b - want.b), std::abs(got.a - want.a)});
            if (diff > largest) {
                largest = diff;
                if (worst)
                    *worst = QStringLiteral("pixel (%1, %2): got (%3, %4, %5, %6), expected (%7, %8, %9, %10)")
                                 .arg(x)
                                 .arg(y)
                                 .arg(got.r)
                                 .arg(got.g)
                                 .arg(got.b)
                                 .arg(got.a)
                                 .arg(want.r)
                                 .arg(want.g)
                                 .arg(want.b)
                                 .arg(want.a);
            }
        }
    }
    return largest;
}

namespace {

RippleUniforms atPixel(QPoint pixel, float time, qint64 fromT, qint64 fromS, qint64 toT, qint64 toS)
{
    return uniformsAt(pixelU(pixel.x(), frameSize), pixelV(pixel.y(), frameSize), time, frameSize,
                      fromT, fromS, toT, toS);
}

void addRow(const char *name, const RippleUniforms &u, const char *picture, int checks, QPoint originPixel = {-1, -1})
{
    QTest::newRow(name) << u << QString::fromLatin1(picture) << checks << originPixel;
}

bool sameShift(ColorRGB got, ColorRGB base, float tolerance)
{
    const float r = got.r - base.r;
    const float g = got.g - base.g;
    const float b = got.b - base.b;
    return std::abs(r - g) <= tolerance && std::abs(g - b) <= tolerance && std::min({r, g, b}) >= -tolerance;
}

QString describe(const char *what, int x, int y, RippleRGBA got, ColorRGB base)
{
    return QStringLiteral("%1 at (%2, %3): got (%4, %5, %6), base (%7, %8, %9)")
        .arg(QLatin1String(what))
        .arg(x)
        .arg(y)
        .arg(got.r)
        .arg(got.g)
        .arg(got.b)
        .arg(base.r)
        .arg(base.g)
        .arg(base.b);
}

} // namespace

void addRefractRows()
{
    QTest::addColumn<RippleUniforms>("uniforms");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("checks");
    QTest::addColumn<QPoint>("originPixel");

    const QPoint centre(160, 100);
    addRow("time 0, centre", atPixel(centre, 0.0f, 6500, 100, 1900, 60), "pattern",
           SettledPixels | EvenMixAtOrigin, centre);
    addRow("time 0, flat picture", atPixel(centre, 0.0f, 6500, 100, 1900, 60), "flat",
           SettledPixels | EvenMixAtOrigin | OnlyCrestOnFlat, centre);
    addRow("0.4 s, towards oversaturated", atPixel({100, 60}, 0.4f, 6500, 100, 3400, 140), "pattern",
           SettledPixels);
    addRow("1.5 s, towards neutral", atPixel({60, 150}, 1.5f, 4500, 80, 6500, 100), "pattern",
           SettledPixels | BothGradingsSeen);
    addRow("2.6 s, end fade", atPixel({250, 30}, 2.6f, 6500, 100, 1200, 0), "pattern", SettledPixels);
    addRow("time = duration", atPixel({250, 30}, 3.0f, 6500, 100, 1200, 0), "pattern",
           SettledPixels | EveryPixelNew);
    addRow("after the end", atPixel(centre, 4.5f, 2700, 50, 5000, 150), "pattern",
           SettledPixels | EveryPixelNew);
    addRow("unchanged colours, time 0", unchangedColourAt(pixelU(160, frameSize), pixelV(100, frameSize), 0.0f, frameSize),
           "pattern", SettledPixels | UndisplacedOrigin, centre);
    addRow("unchanged colours, 0.9 s", unchangedColourAt(pixelU(97, frameSize), pixelV(41, frameSize), 0.9f, frameSize),
           "pattern", SettledPixels | UndisplacedOrigin, QPoint(97, 41));
    addRow("unchanged colours, flat picture, 1.2 s",
           unchangedColourAt(pixelU(200, frameSize), pixelV(120, frameSize), 1.2f, frameSize), "flat",
           SettledPixels | UndisplacedOrigin | OnlyCrestOnFlat, QPoint(200, 120));
    addRow("unchanged colours, end", unchangedColourAt(0.3f, 0.7f, 3.0f, frameSize), "pattern",
           SettledPixels | EveryPixelNew);
    addRow("origin outside, time 0", uniformsAt(-0.4f, 1.3f, 0.0f, frameSize, 6500, 100, 1000, 100), "pattern",
           SettledPixels | EveryPixelOld);
    addRow("origin outside, 1.5 s", uniformsAt(-0.4f, 1.3f, 1.5f, frameSize, 6500, 100, 1000, 100), "pattern",
           SettledPixels | BothGradingsSeen);
    addRow("origin outside, end", uniformsAt(-0.4f, 1.3f, 3.0f, frameSize, 6500, 100, 1000, 100), "pattern",
           SettledPixels | EveryPixelNew);
    addRow("origin above the screen, 1.0 s", uniformsAt(0.5f, -0.6f, 1.0f, frameSize, 3000, 100, 6500, 100), "pattern",
           SettledPixels);
    addRow("origin on the right edge, 1.4 s", uniformsAt(1.0f, 0.5f, 1.4f, frameSize, 7000, 200, 2300, 0), "pattern",
           SettledPixels | BothGradingsSeen);
    RippleUniforms portrait = uniformsAt(0.5f, 0.0f, 2.0f, frameSize, 6500, 100, 2000, 100);
    portrait.aspect = 0.5625f;
    addRow("portrait aspect, 2.0 s", portrait, "pattern", SettledPixels);
    addRow("small picture, 0.8 s", uniformsAt(0.2f, 0.3f, 0.8f, frameSize, 6500, 100, 2800, 100), "small", 0);
    addRow("large picture, 1.2 s", uniformsAt(0.7f, 0.6f, 1.2f, frameSize, 6500, 100, 2800, 100), "large", 0);
}

QImage pictureNamed(const QString &name)
{
    if (name == QLatin1String("flat"))
        return flatPicture(frameSize);
    if (name == QLatin1String("small"))
        return patternPicture({200, 125});
    if (name == QLatin1String("large"))
        return patternPicture({640, 400});
    return patternPicture(frameSize);
}

QString checkRefractFrame(const Frame &frame, const QImage &picture, const RippleUniforms &u,
                          int checks, QPoint originPixel, float tolerance)
{
    const QSize size = frame.size;
    const float p = RippleReference::progress(u);
    const float front = p * (RippleReference::largestRadius(u.origin[0], u.origin[1], u.aspect) + 0.30f);

    if (checks & (SettledPixels | BothGradingsSeen | EveryPixelOld | EveryPixelNew)) {
        int oldPixels = 0;
        int newPixels = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const float d = distanceFromOrigin(x, y, u, size);
                // The envelope is below 1e-8 this far from the ring, and zero once the ripple is over.
                if (p < 1.0f && std::abs(d - front) <= 0.45f)
                    continue;
                const ColorRGB colour = texel(picture, x, y);
                const bool outside = d >= front + 0.025f;
                const ColorRGB want = outside ? gradedOld(colour, u) : gradedNew(colour, u);
                ++(outside ? oldPixels : newPixels);
                const RippleRGBA got = frame.at(x, y);
                if (std::max({std::abs(got.r - want.r), std::abs(got.g - want.g), std::abs(got.b - want.b)}) > tolerance)
                    return describe(outside ? "old grading expected" : "new grading expected", x, y, got, want);
            }
        }
        const int total = size.width() * size.height();
        if ((checks & BothGradingsSeen) && (oldPixels == 0 || newPixels == 0))
            return QStringLiteral("expected settled pixels of both gradings, got %1 old and %2 new").arg(oldPixels).arg(newPixels);
        if ((checks & EveryPixelOld) && oldPixels != total)
            return QStringLiteral("expected every pixel old, got %1 of %2").arg(oldPixels).arg(total);
        if ((checks & EveryPixelNew) && newPixels != total)
            return QStringLiteral("expected every pixel new, got %1 of %2").arg(newPixels).arg(total);
    }

    if (checks & EvenMixAtOrigin) {
        const ColorRGB colour = texel(picture, originPixel.x(), originPixel.y());
        const ColorRGB before = gradedOld(colour, u);
        const ColorRGB after = gradedNew(colour, u);
        // At the origin at time 0 only the fine wave is non-zero: sin(0.8).
        const float crest = 0.28f * std::sin(0.8f) * 0.035f;
        const ColorRGB want{(before.r + after.r) / 2 + crest, (before.g + after.g) / 2 + crest,
                            (before.b + after.b) / 2 + crest};
        const RippleRGBA got = frame.at(originPixel.x(), originPixel.y());
        if (std::max({std::abs(got.r - want.r), std::abs(got.g - want.g), std::abs(got.b - want.b)}) > tolerance)
            return describe("even mix expected", originPixel.x(), originPixel.y(), got, want);
    }

    if (checks & UndisplacedOrigin) {
        const ColorRGB colour = texel(picture, originPixel.x(), originPixel.y());
        const RippleRGBA got = frame.at(originPixel.x(), originPixel.y());
        if (!sameShift({got.r, got.g, got.b}, colour, tolerance))
            return describe("undisplaced texel expected", originPixel.x(), originPixel.y(), got, colour);
    }

    if (checks & OnlyCrestOnFlat) {
        // With one grading at both ends the coverage edge changes nothing either.
        const bool oneGrading = std::equal(u.fromWhite, u.fromWhite + 3, u.toWhite)
                                && u.fromSaturation == u.toSaturation;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                if (!oneGrading && distanceFromOrigin(x, y, u, size) <= front + 0.025f)
                    continue;
                const ColorRGB base = gradedOld(texel(picture, x, y), u);
                const RippleRGBA got = frame.at(x, y);
                if (!sameShift({got.r, got.g, got.b}, base, tolerance))
                    return describe("old grading plus equal brightening expected", x, y, got, base);
            }
        }
    }
    return {};
}

} // namespace RippleFixtures
