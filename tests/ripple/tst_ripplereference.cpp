#include "ripplefixtures.h"

#include "core/colormath.h"
#include "ripple/ripplereference.h"
#include "ripple/rippleshadersource.h"
#include "ripple/rippleuniforms.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace RippleFixtures;

class TestRippleReference : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void uniformsForScreen_data();
    void uniformsForScreen();
    void gradeMatchesColorMath_data();
    void gradeMatchesColorMath();
    void progress_data();
    void progress();
    void largestRadius_data();
    void largestRadius();
    void bilinearSampler_data();
    void bilinearSampler();
    void refract_data();
    void refract();
    void crestStaysWithinLimits_data();
    void crestStaysWithinLimits();
    void stageSources_data();
    void stageSources();
};

void TestRippleReference::uniformsForScreen_data()
{
    QTest::addColumn<QRectF>("screen");
    QTest::addColumn<QPointF>("origin");
    QTest::addColumn<float>("originX");
    QTest::addColumn<float>("originY");
    QTest::addColumn<float>("aspect");

    QTest::newRow("top-left corner") << QRectF(0, 0, 1920, 1080) << QPointF(0, 0) << 0.0f << 0.0f << 1920.0f / 1080.0f;
    QTest::newRow("tray near the top right")
        << QRectF(0, 0, 1920, 1080) << QPointF(1800, 12) << 1800.0f / 1920.0f << 12.0f / 1080.0f << 1920.0f / 1080.0f;
    QTest::newRow("bottom-right corner, no flip")
        << QRectF(0, 0, 1280, 800) << QPointF(1280, 800) << 1.0f << 1.0f << 1.6f;
    QTest::newRow("second screen, origin on the first")
        << QRectF(1920, 0, 1280, 1024) << QPointF(1800, 12) << -120.0f / 1280.0f << 12.0f / 1024.0f << 1.25f;
    QTest::newRow("screen below, origin above it")
        << QRectF(0, 1080, 1920, 1080) << QPointF(960, 10) << 0.5f << -1070.0f / 1080.0f << 1920.0f / 1080.0f;
    QTest::newRow("negative position")
        << QRectF(-1024, -200, 1024, 768) << QPointF(-512, 184) << 0.5f << 0.5f << 1024.0f / 768.0f;
    QTest::newRow("zero height is taken as one")
        << QRectF(10, 20, 100, 0) << QPointF(60, 23) << 0.5f << 3.0f << 100.0f;
    QTest::newRow("zero size") << QRectF(0, 0, 0, 0) << QPointF(5, 5) << 5.0f << 5.0f << 0.0f;
}

void TestRippleReference::uniformsForScreen()
{
    QFETCH(QRectF, screen);
    QFETCH(QPointF, origin);
    QFETCH(float, originX);
    QFETCH(float, originY);
    QFETCH(float, aspect);

    const RippleUniforms u = RippleUniforms::forScreen(screen, origin, 2700, 40, 6600, 185);
    QCOMPARE(u.origin[0], originX);
    QCOMPARE(u.origin[1], originY);
    QCOMPARE(u.aspect, aspect);
    QCOMPARE(u.time, 0.0f);
    QCOMPARE(u.duration, 3.0f);
    QCOMPARE(u.fromSaturation, 0.4f);
    QCOMPARE(u.toSaturation, 1.85f);
    QCOMPARE(u.padding, 0.0f);
    const WhitePoint from = ColorMath::whitePoint(2700);
    QCOMPARE(u.fromWhite[0], from.r);
    QCOMPARE(u.fromWhite[1], from.g);
    QCOMPARE(u.fromWhite[2], from.b);
    QCOMPARE(u.fromWhite[3], 1.0f);
    QCOMPARE(u.toWhite[0], 1.0f); // 6600 K is exactly white
    QCOMPARE(u.toWhite[1], 1.0f);
    QCOMPARE(u.toWhite[2], 1.0f);
    QCOMPARE(u.toWhite[3], 1.0f);
}

void TestRippleReference::gradeMatchesColorMath_data()
{
    QTest::addColumn<qint64>("temperature");
    QTest::addColumn<qint64>("saturation");

    for (const qint64 temperature : {1000, 1900, 3400, 6500, 6600, 7000})
        for (const qint64 saturation : {0, 35, 100, 160, 200})
            QTest::addRow("%lld K, %lld %%", temperature, saturation) << temperature << saturation;
}

void TestRippleReference::gradeMatchesColorMath()
{
    QFETCH(qint64, temperature);
    QFETCH(qint64, saturation);

    const WhitePoint white = ColorMath::whitePoint(temperature);
    const float factor = float(saturation) / 100.0f;
    const ColorRGB colours[] = {{0, 0, 0}, {1, 1, 1}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.2f, 0.5f, 0.9f}, {0.95f, 0.7f, 0.05f}, {0.33f, 0.33f, 0.34f}};
    for (const ColorRGB &c : colours) {
        const ColorRGB ours = RippleReference::grade(c, white, factor);
        const ColorRGB theirs = ColorMath::grade(c, temperature, saturation);
        // Same maths written as a mix from grey, so only rounding may differ.
        QVERIFY2(std::abs(ours.r - theirs.r) <= 1e-6f && std::abs(ours.g - theirs.g) <= 1e-6f
                     && std::abs(ours.b - theirs.b) <= 1e-6f,
                 qPrintable(QStringLiteral("colour (%1, %2, %3): (%4, %5, %6) vs (%7, %8, %9)")
                                .arg(c.r)
                                .arg(c.g)
                                .arg(c.b)
                                .arg(ours.r)
                                .arg(ours.g)
                                .arg(ours.b)
                                .arg(theirs.r)
                                .arg(theirs.g)
                                .arg(theirs.b)));
    }
}

void TestRippleReference::progress_data()
{
    QTest::addColumn<float>("time");
    QTest::addColumn<float>("duration");
    QTest::addColumn<float>("expected");

    QTest::newRow("before the start") << -1.0f << 3.0f << 0.0f;
    QTest::newRow("start") << 0.0f << 3.0f << 0.0f;
    QTest::newRow("a quarter") << 0.75f << 3.0f << 0.15625f;
    QTest::newRow("half") << 1.5f << 3.0f << 0.5f;
    QTest::newRow("three quarters") << 2.25f << 3.0f << 0.84375f;
    QTest::newRow("end") << 3.0f << 3.0f << 1.0f;
    QTest::newRow("after the end") << 7.0f << 3.0f << 1.0f;
    QTest::newRow("zero duration counts as finished") << 0.0f << 0.0f << 1.0f;
}

void TestRippleReference::progress()
{
    QFETCH(float, time);
    QFETCH(float, duration);
    QFETCH(float, expected);

    RippleUniforms u;
    u.time = time;
    u.duration = duration;
    QCOMPARE(RippleReference::progress(u), expected);
}

void TestRippleReference::largestRadius_data()
{
    QTest::addColumn<float>("originX");
    QTest::addColumn<float>("originY");
    QTest::addColumn<float>("aspect");
    QTest::addColumn<float>("expected");

    QTest::newRow("centre of a 16:10 screen") << 0.5f << 0.5f << 1.6f << std::sqrt(0.64f + 0.25f);
    QTest::newRow("top-left corner, 2:1") << 0.0f << 0.0f << 2.0f << std::sqrt(4.0f + 1.0f);
    QTest::newRow("near the top right") << 0.9f << 0.1f << 1.0f << std::sqrt(0.81f + 0.81f);
    QTest::newRow("outside to the left") << -0.5f << 0.5f << 1.0f << std::sqrt(2.25f + 0.25f);
    QTest::newRow("portrait, bottom") << 0.5f << 1.0f << 0.5f << std::sqrt(0.0625f + 1.0f);
}

void TestRippleReference::largestRadius()
{
    QFETCH(float, originX);
    QFETCH(float, originY);
    QFETCH(float, aspect);
    QFETCH(float, expected);

    QVERIFY(std::abs(RippleReference::largestRadius(originX, originY, aspect) - expected) < 1e-6f);
}

void TestRippleReference::bilinearSampler_data()
{
    QTest::addColumn<float>("s");
    QTest::addColumn<float>("t");
    QTest::addColumn<float>("red");
    QTest::addColumn<float>("green");

    // 2 × 2 picture: red 0 | 200 across, green 0 / 100 down.
    QTest::newRow("top-left texel centre") << 0.25f << 0.25f << 0.0f << 0.0f;
    QTest::newRow("bottom-right texel centre") << 0.75f << 0.75f << 200.0f << 100.0f;
    QTest::newRow("between all four") << 0.5f << 0.5f << 100.0f << 50.0f;
    QTest::newRow("a quarter of the way") << 0.375f << 0.25f << 50.0f << 0.0f;
    QTest::newRow("edge clamps") << 0.0f << 1.0f << 0.0f << 100.0f;
    QTest::newRow("outside clamps") << 7.0f << -3.0f << 200.0f << 0.0f;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN()
                                  << std::numeric_limits<float>::infinity() << 0.0f << 0.0f;
}

void TestRippleReference::bilinearSampler()
{
    QFETCH(float, s);
    QFETCH(float, t);
    QFETCH(float, red);
    QFETCH(float, green);

    QImage picture(2, 2, QImage::Format_RGBA8888);
    picture.setPixelColor(0, 0, QColor(0, 0, 7));
    picture.setPixelColor(1, 0, QColor(200, 0, 7));
    picture.setPixelColor(0, 1, QColor(0, 100, 7));
    picture.setPixelColor(1, 1, QColor(200, 100, 7));

    const RippleRGBA sample = RippleReference::bilinearSampler(picture)(s, t);
    QVERIFY(std::abs(sample.r * 255.0f - red) < 1e-3f);
    QVERIFY(std::abs(sample.g * 255.0f - green) < 1e-3f);
    QVERIFY(std::abs(sample.b * 255.0f - 7.0f) < 1e-3f);
    QCOMPARE(sample.a, 1.0f);
}

void TestRippleReference::refract_data()
{
    addRefractRows();
}

void TestRippleReference::refract()
{
    QFETCH(RippleUniforms, uniforms);
    QFETCH(QString, picture);
    QFETCH(int, checks);
    QFETCH(QPoint, originPixel);

    const QImage image = pictureNamed(picture);
    const Frame frame = referenceRefract(uniforms, image, frameSize);
    const bool inRange = std::all_of(frame.pixels.begin(), frame.pixels.end(), [](const RippleRGBA &p) {
        return p.r >= 0.0f && p.r <= 1.0f && p.g >= 0.0f && p.g <= 1.0f && p.b >= 0.0f && p.b <= 1.0f && p.a == 1.0f;
    });
    QVERIFY(inRange);
    const QString failure = checkRefractFrame(frame, image, uniforms, checks, originPixel, 1e-5f);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestRippleReference::crestStaysWithinLimits_data()
{
    QTest::addColumn<RippleUniforms>("uniforms");

    QTest::newRow("centre, towards candle light") << uniformsAt(0.5f, 0.5f, 0, frameSize, 6500, 100, 1900, 100);
    QTest::newRow("top-right corner, towards neutral") << uniformsAt(1.0f, 0.0f, 0, frameSize, 3400, 60, 6500, 100);
    QTest::newRow("outside, towards 1000 K") << uniformsAt(1.3f, -0.2f, 0, frameSize, 6500, 100, 1000, 200);
    RippleUniforms square = uniformsAt(0.2f, 0.8f, 0, frameSize, 6500, 100, 5000, 0);
    square.aspect = 1.0f;
    QTest::newRow("square aspect") << square;
}

void TestRippleReference::crestStaysWithinLimits()
{
    QFETCH(RippleUniforms, uniforms);

    const QSize grid(96, 60);
    const float tint[3] = {1.0f + (uniforms.toWhite[0] - 1.0f) * 0.35f, 1.0f + (uniforms.toWhite[1] - 1.0f) * 0.35f,
                           1.0f + (uniforms.toWhite[2] - 1.0f) * 0.35f};
    float largestWhileRunning = 0.0f;
    for (int step = 0; step <= 175; ++step) {
        uniforms.time = float(step) * 0.02f;
        const bool over = uniforms.time >= uniforms.duration;
        const Frame frame = referenceCrest(uniforms, grid);
        for (const RippleRGBA &pixel : frame.pixels) {
            // Premultiplied: the colour is the tint scaled by alpha.
            const bool fine = pixel.a >= 0.0f && pixel.a <= 0.35f && (!over || pixel.a == 0.0f)
                              && std::abs(pixel.r - tint[0] * pixel.a) < 1e-6f && std::abs(pixel.g - tint[1] * pixel.a) < 1e-6f
                              && std::abs(pixel.b - tint[2] * pixel.a) < 1e-6f;
            if (!fine)
                QFAIL(qPrintable(QStringLiteral("at %1 s: (%2, %3, %4, %5)")
                                     .arg(uniforms.time)
                                     .arg(pixel.r)
                                     .arg(pixel.g)
                                     .arg(pixel.b)
                                     .arg(pixel.a)));
            if (!over)
                largestWhileRunning = std::max(largestWhileRunning, pixel.a);
        }
    }
    // The ring really is drawn (the clamp at 0.35 is a bound, not the usual value).
    QVERIFY2(largestWhileRunning > 0.15f, qPrintable(QString::number(largestWhileRunning)));
}

void TestRippleReference::stageSources_data()
{
    QTest::addColumn<QByteArray>("role");
    QTest::addColumn<QByteArray>("define");

    QTest::newRow("vertex") << QByteArray(RippleShaderSource::vertexRole) << QByteArray("RIPPLE_ROLE_rippleVertex");
    QTest::newRow("refract") << QByteArray(RippleShaderSource::refractFragmentRole)
                             << QByteArray("RIPPLE_ROLE_rippleRefractFragment");
    QTest::newRow("crest") << QByteArray(RippleShaderSource::crestOverlayFragmentRole)
                           << QByteArray("RIPPLE_ROLE_rippleCrestOverlayFragment");
    QTest::newRow("unknown role") << QByteArray("rippleBlurFragment") << QByteArray();
    QTest::newRow("empty role") << QByteArray() << QByteArray();
}

void TestRippleReference::stageSources()
{
    QFETCH(QByteArray, role);
    QFETCH(QByteArray, define);

    const QByteArray source = RippleShaderSource::stage(role);
    if (define.isEmpty()) {
        QVERIFY(source.isEmpty());
        return;
    }
    QVERIFY(source.startsWith("#version 330 core\n"));
    QVERIFY(source.contains("#define " + define + '\n'));
    // The role's entry point is in the text and guarded by its own macro.
    QVERIFY(source.contains("#ifdef " + define + '\n'));
    QVERIFY(source.contains("void " + role + "()"));
    QVERIFY(source.endsWith(RippleShaderSource::text().toByteArray()));
}

QTEST_GUILESS_MAIN(TestRippleReference)
#include "tst_ripplereference.moc"
