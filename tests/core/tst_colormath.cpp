#include "core/colormath.h"

#include <QTest>

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr qint64 int64Min = std::numeric_limits<qint64>::min();
constexpr qint64 int64Max = std::numeric_limits<qint64>::max();

// Tanner Helland's published fit, written out independently of the library:
// gains 0…1 in double precision for a kelvin value already within 1000…7000.
std::array<double, 3> referenceWhitePoint(double kelvin)
{
    const double t = kelvin / 100.0;
    double red = t <= 66 ? 255.0 : 329.698727446 * std::pow(t - 60, -0.1332047592);
    double green = t <= 66 ? 99.4708025861 * std::log(t) - 161.1195681661
                           : 288.1221695283 * std::pow(t - 60, -0.0755148492);
    double blue = t >= 66   ? 255.0
                  : t <= 19 ? 0.0
                            : 138.5177312231 * std::log(t - 10) - 305.0447927307;
    std::array<double, 3> gains{red, green, blue};
    for (double &gain : gains)
        gain = std::min(std::max(gain, 0.0), 255.0) / 255.0;
    return gains;
}

// The matrix from the saturation-after-tint formula, entirely in double.
std::array<double, 20> referenceMatrix(double kelvin, double saturationPercent)
{
    const std::array<double, 3> w = referenceWhitePoint(kelvin);
    const double s = saturationPercent / 100.0;
    const double d = 1.0 - s;
    const double lum[3] = {0.2126, 0.7152, 0.0722};
    std::array<double, 20> m{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            m[row * 5 + column] = (d * lum[column] + (row == column ? s : 0.0)) * w[column];
    }
    m[18] = 1.0;
    return m;
}

ColorRGB colour(float r, float g, float b)
{
    return ColorRGB{r, g, b};
}

QByteArray floatMismatch(float actual, float expected)
{
    return QByteArray::number(double(actual), 'g', 9) + " != " + QByteArray::number(double(expected), 'g', 9);
}

} // namespace

// QCOMPARE on floats is fuzzy; rounding order matters here, so compare bits.
#define COMPARE_EXACT(actual, expected) \
    QVERIFY2(float(actual) == float(expected), floatMismatch(float(actual), float(expected)).constData())

char *toString(const ColorRGB &value)
{
    return qstrdup(QStringLiteral("(%1, %2, %3)")
                       .arg(double(value.r), 0, 'g', 9)
                       .arg(double(value.g), 0, 'g', 9)
                       .arg(double(value.b), 0, 'g', 9)
                       .toUtf8()
                       .constData());
}

Q_DECLARE_METATYPE(ColorRGB)

class TestColorMath : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clampTemperature_data();
    void clampTemperature();
    void clampSaturation_data();
    void clampSaturation();
    void clampBrightness_data();
    void clampBrightness();
    void isNeutral_data();
    void isNeutral();

    void whitePointClampsOutOfRange_data();
    void whitePointClampsOutOfRange();
    void whitePointShape();
    void whitePointMatchesFormula_data();
    void whitePointMatchesFormula();

    void matrixNeutralAndIdentity();
    void matrixSaturationIsClampedNotRounded_data();
    void matrixSaturationIsClampedNotRounded();
    void matrixGreyRowsAtZeroSaturation_data();
    void matrixGreyRowsAtZeroSaturation();
    void matrixNegativeOffDiagonalsWhenBoosted();
    void matrixMatchesDoubleFormula_data();
    void matrixMatchesDoubleFormula();
    void matrixProductOrder_data();
    void matrixProductOrder();

    void gradeWhiteAtFullSaturationIsWhitePoint();
    void gradeGreyAtZeroSaturation_data();
    void gradeGreyAtZeroSaturation();
    void gradeEqualsAppliedMatrix_data();
    void gradeEqualsAppliedMatrix();

    void identityApplyClamps_data();
    void identityApplyClamps();
    void applyUsesOffsetsAndIgnoresAlpha();
    void valuesAreRowByRow();
};

void TestColorMath::clampTemperature_data()
{
    QTest::addColumn<qint64>("input");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("999") << qint64(999) << qint64(1000);
    QTest::newRow("1000") << qint64(1000) << qint64(1000);
    QTest::newRow("1049") << qint64(1049) << qint64(1000);
    QTest::newRow("1050") << qint64(1050) << qint64(1100);
    QTest::newRow("6549") << qint64(6549) << qint64(6500);
    QTest::newRow("6550") << qint64(6550) << qint64(6600);
    QTest::newRow("7049") << qint64(7049) << qint64(7000);
    QTest::newRow("7100") << qint64(7100) << qint64(7000);
    QTest::newRow("negative") << qint64(-6500) << qint64(1000);
    QTest::newRow("int64 min") << int64Min << qint64(1000);
    QTest::newRow("int64 max") << int64Max << qint64(7000);
}

void TestColorMath::clampTemperature()
{
    QFETCH(qint64, input);
    QFETCH(qint64, expected);
    QCOMPARE(ColorMath::clampTemperature(input), expected);
}

void TestColorMath::clampSaturation_data()
{
    QTest::addColumn<qint64>("input");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("-5") << qint64(-5) << qint64(0);
    QTest::newRow("2") << qint64(2) << qint64(0);
    QTest::newRow("3") << qint64(3) << qint64(5);
    QTest::newRow("97") << qint64(97) << qint64(95);
    QTest::newRow("98") << qint64(98) << qint64(100);
    QTest::newRow("197") << qint64(197) << qint64(195);
    QTest::newRow("198") << qint64(198) << qint64(200);
    QTest::newRow("250") << qint64(250) << qint64(200);
    QTest::newRow("int64 min") << int64Min << qint64(0);
    QTest::newRow("int64 max") << int64Max << qint64(200);
}

void TestColorMath::clampSaturation()
{
    QFETCH(qint64, input);
    QFETCH(qint64, expected);
    QCOMPARE(ColorMath::clampSaturation(input), expected);
}

void TestColorMath::clampBrightness_data()
{
    QTest::addColumn<qint64>("input");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("0") << qint64(0) << qint64(1);
    QTest::newRow("1") << qint64(1) << qint64(1);
    QTest::newRow("37 is not rounded") << qint64(37) << qint64(37);
    QTest::newRow("100") << qint64(100) << qint64(100);
    QTest::newRow("101") << qint64(101) << qint64(100);
    QTest::newRow("int64 min") << int64Min << qint64(1);
    QTest::newRow("int64 max") << int64Max << qint64(100);
}

void TestColorMath::clampBrightness()
{
    QFETCH(qint64, input);
    QFETCH(qint64, expected);
    QCOMPARE(ColorMath::clampBrightness(input), expected);
}

void TestColorMath::isNeutral_data()
{
    QTest::addColumn<qint64>("temperature");
    QTest::addColumn<qint64>("saturation");
    QTest::addColumn<bool>("expected");
    QTest::newRow("6500/100") << qint64(6500) << qint64(100) << true;
    QTest::newRow("6549/100 not clamped first") << qint64(6549) << qint64(100) << false;
    QTest::newRow("6500/101 not clamped first") << qint64(6500) << qint64(101) << false;
    QTest::newRow("6600/100") << qint64(6600) << qint64(100) << false;
    QTest::newRow("6500/0") << qint64(6500) << qint64(0) << false;
}

void TestColorMath::isNeutral()
{
    QFETCH(qint64, temperature);
    QFETCH(qint64, saturation);
    QFETCH(bool, expected);
    QCOMPARE(ColorMath::isNeutral(temperature, saturation), expected);
}

void TestColorMath::whitePointClampsOutOfRange_data()
{
    QTest::addColumn<qint64>("outside");
    QTest::addColumn<qint64>("edge");
    QTest::newRow("500 K") << qint64(500) << qint64(1000);
    QTest::newRow("-1 K") << qint64(-1) << qint64(1000);
    QTest::newRow("9000 K") << qint64(9000) << qint64(7000);
    QTest::newRow("int64 max") << int64Max << qint64(7000);
}

void TestColorMath::whitePointClampsOutOfRange()
{
    QFETCH(qint64, outside);
    QFETCH(qint64, edge);
    QCOMPARE(ColorMath::whitePoint(outside), ColorMath::whitePoint(edge));
}

void TestColorMath::whitePointShape()
{
    const WhitePoint reddest = ColorMath::whitePoint(1000);
    COMPARE_EXACT(reddest.r, 1.0f);
    COMPARE_EXACT(reddest.b, 0.0f);
    QVERIFY(reddest.g > 0.0f && reddest.g < 0.5f);

    // t = 19 is the last blue-free step; 1950 K (t = 19.5) already has blue.
    COMPARE_EXACT(ColorMath::whitePoint(1900).b, 0.0f);
    QVERIFY(ColorMath::whitePoint(1950).b > 0.0f);

    QCOMPARE(ColorMath::whitePoint(6600), (WhitePoint{1.0f, 1.0f, 1.0f}));

    const WhitePoint slightlyWarm = ColorMath::whitePoint(6500);
    COMPARE_EXACT(slightlyWarm.r, 1.0f);
    QVERIFY(slightlyWarm.g < 1.0f && slightlyWarm.g > 0.95f);
    QVERIFY(slightlyWarm.b < 1.0f && slightlyWarm.b > 0.9f);

    // Temperatures are not snapped to 100 K before the curve.
    QVERIFY(ColorMath::whitePoint(6549) != ColorMath::whitePoint(6500));

    const WhitePoint cool = ColorMath::whitePoint(7000);
    QVERIFY(cool.r < 1.0f);
    COMPARE_EXACT(cool.b, 1.0f);
}

void TestColorMath::whitePointMatchesFormula_data()
{
    QTest::addColumn<qint64>("kelvin");
    for (const qint64 kelvin : {1000, 1234, 1900, 2000, 2700, 3400, 4800, 6500, 6599, 6601, 7000})
        QTest::newRow(qPrintable(QString::number(kelvin))) << kelvin;
}

void TestColorMath::whitePointMatchesFormula()
{
    QFETCH(qint64, kelvin);
    const std::array<double, 3> expected = referenceWhitePoint(double(kelvin));
    const WhitePoint actual = ColorMath::whitePoint(kelvin);
    // Computed in double and rounded once to float, so it must be the nearest float.
    COMPARE_EXACT(actual.r, float(expected[0]));
    COMPARE_EXACT(actual.g, float(expected[1]));
    COMPARE_EXACT(actual.b, float(expected[2]));
}

void TestColorMath::matrixNeutralAndIdentity()
{
    QCOMPARE(ColorMath::colorMatrix(6600, 100), ColorMatrix4x5::identity());

    const ColorMatrix4x5 neutral = ColorMath::colorMatrix(6500, 100);
    QVERIFY(neutral != ColorMatrix4x5::identity());
    COMPARE_EXACT(neutral.m11, 1.0f);
    QVERIFY(neutral.m22 < 1.0f);
    QVERIFY(neutral.m33 < 1.0f);
    QVERIFY(ColorMath::isNeutral(6500, 100));
}

void TestColorMath::matrixSaturationIsClampedNotRounded_data()
{
    QTest::addColumn<qint64>("kelvin");
    for (const qint64 kelvin : {500, 1000, 1850, 4300, 6500, 7000, 9000})
        QTest::newRow(qPrintable(QStringLiteral("%1 K").arg(kelvin))) << kelvin;
}

void TestColorMath::matrixSaturationIsClampedNotRounded()
{
    QFETCH(qint64, kelvin);
    QCOMPARE(ColorMath::colorMatrix(kelvin, 300), ColorMath::colorMatrix(kelvin, 200));
    QCOMPARE(ColorMath::colorMatrix(kelvin, -10), ColorMath::colorMatrix(kelvin, 0));
    QCOMPARE(ColorMath::colorMatrix(kelvin, int64Max), ColorMath::colorMatrix(kelvin, 200));
    QCOMPARE(ColorMath::colorMatrix(kelvin, int64Min), ColorMath::colorMatrix(kelvin, 0));
    // 42 % would round to 40 % on the preset grid; the matrix uses it as is.
    QVERIFY(ColorMath::colorMatrix(kelvin, 42) != ColorMath::colorMatrix(kelvin, 40));
}

void TestColorMath::matrixGreyRowsAtZeroSaturation_data()
{
    QTest::addColumn<qint64>("kelvin");
    for (const qint64 kelvin : {1000, 2700, 6500, 7000})
        QTest::newRow(qPrintable(QStringLiteral("%1 K").arg(kelvin))) << kelvin;
}

void TestColorMath::matrixGreyRowsAtZeroSaturation()
{
    QFETCH(qint64, kelvin);
    const ColorMatrix4x5 m = ColorMath::colorMatrix(kelvin, 0);
    COMPARE_EXACT(m.m21, m.m11);
    COMPARE_EXACT(m.m31, m.m11);
    COMPARE_EXACT(m.m22, m.m12);
    COMPARE_EXACT(m.m32, m.m12);
    COMPARE_EXACT(m.m23, m.m13);
    COMPARE_EXACT(m.m33, m.m13);
    QVERIFY(m.m12 > 0.0f);
}

void TestColorMath::matrixNegativeOffDiagonalsWhenBoosted()
{
    const ColorMatrix4x5 m = ColorMath::colorMatrix(6500, 160);
    for (const float offDiagonal : {m.m12, m.m13, m.m21, m.m23, m.m31, m.m32})
        QVERIFY2(offDiagonal < 0.0f, qPrintable(QString::number(offDiagonal)));
    for (const float diagonal : {m.m11, m.m22, m.m33})
        QVERIFY(diagonal > 1.0f);
}

void TestColorMath::matrixMatchesDoubleFormula_data()
{
    QTest::addColumn<qint64>("kelvin");
    QTest::addColumn<qint64>("saturation");
    QTest::newRow("1000/100") << qint64(1000) << qint64(100);
    QTest::newRow("1800/90 candle") << qint64(1800) << qint64(90);
    QTest::newRow("3300/0") << qint64(3300) << qint64(0);
    QTest::newRow("6500/40 colour ink") << qint64(6500) << qint64(40);
    QTest::newRow("6500/160 vivid") << qint64(6500) << qint64(160);
    QTest::newRow("6800/200") << qint64(6800) << qint64(200);
    QTest::newRow("4321/137 off grid") << qint64(4321) << qint64(137);
}

void TestColorMath::matrixMatchesDoubleFormula()
{
    QFETCH(qint64, kelvin);
    QFETCH(qint64, saturation);
    const std::array<double, 20> expected = referenceMatrix(double(kelvin), double(saturation));
    const std::array<float, 20> actual = ColorMath::colorMatrix(kelvin, saturation).values();
    for (int i = 0; i < 20; ++i) {
        QVERIFY2(std::abs(double(actual[i]) - expected[i]) < 1e-6,
                 qPrintable(QStringLiteral("coefficient %1: %2 vs %3")
                                .arg(i)
                                .arg(double(actual[i]), 0, 'g', 10)
                                .arg(expected[i], 0, 'g', 10)));
    }
}

void TestColorMath::matrixProductOrder_data()
{
    QTest::addColumn<qint64>("kelvin");
    QTest::addColumn<qint64>("saturation");
    // Each row is one where another association of the products, or a
    // double-precision evaluation, rounds differently in the last bit.
    QTest::newRow("5500/25") << qint64(5500) << qint64(25);
    QTest::newRow("6000/15") << qint64(6000) << qint64(15);
    QTest::newRow("6800/35") << qint64(6800) << qint64(35);
    QTest::newRow("6800/140") << qint64(6800) << qint64(140);
}

void TestColorMath::matrixProductOrder()
{
    QFETCH(qint64, kelvin);
    QFETCH(qint64, saturation);
    const std::array<double, 3> reference = referenceWhitePoint(double(kelvin));
    const float w[3] = {float(reference[0]), float(reference[1]), float(reference[2])};
    const float lum[3] = {0.2126f, 0.7152f, 0.0722f};
    const float s = float(saturation) / 100.0f;
    const float d = 1.0f - s;

    const std::array<float, 20> actual = ColorMath::colorMatrix(kelvin, saturation).values();
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const float weight = d * lum[column];
            const float factor = row == column ? s + weight : weight;
            COMPARE_EXACT(actual[row * 5 + column], factor * w[column]);
        }
    }
}

void TestColorMath::gradeWhiteAtFullSaturationIsWhitePoint()
{
    const ColorRGB graded = ColorMath::grade(colour(1, 1, 1), 1000, 100);
    QCOMPARE(graded, ColorMath::whitePoint(1000));
    COMPARE_EXACT(graded.r, 1.0f);
    COMPARE_EXACT(graded.b, 0.0f);
}

void TestColorMath::gradeGreyAtZeroSaturation_data()
{
    QTest::addColumn<ColorRGB>("input");
    QTest::addColumn<qint64>("kelvin");
    QTest::newRow("red at 6500") << colour(1, 0, 0) << qint64(6500);
    QTest::newRow("mixed at 1000") << colour(0.2f, 0.9f, 0.4f) << qint64(1000);
    QTest::newRow("blue at 7000") << colour(0, 0, 1) << qint64(7000);
}

void TestColorMath::gradeGreyAtZeroSaturation()
{
    QFETCH(ColorRGB, input);
    QFETCH(qint64, kelvin);
    const ColorRGB graded = ColorMath::grade(input, kelvin, 0);
    COMPARE_EXACT(graded.g, graded.r);
    COMPARE_EXACT(graded.b, graded.r);
    QVERIFY(graded.r > 0.0f);
}

void TestColorMath::gradeEqualsAppliedMatrix_data()
{
    QTest::addColumn<qint64>("kelvin");
    QTest::addColumn<qint64>("saturation");
    for (const qint64 kelvin : {1000, 1900, 3700, 6500, 7000}) {
        for (const qint64 saturation : {-10, 0, 40, 100, 160, 250}) {
            QTest::addRow("%lld K, %lld %%", static_cast<long long>(kelvin),
                          static_cast<long long>(saturation))
                << kelvin << saturation;
        }
    }
}

void TestColorMath::gradeEqualsAppliedMatrix()
{
    QFETCH(qint64, kelvin);
    QFETCH(qint64, saturation);
    const ColorMatrix4x5 matrix = ColorMath::colorMatrix(kelvin, saturation);
    const float steps[] = {0.0f, 0.25f, 0.5f, 0.8f, 1.0f};
    for (const float r : steps) {
        for (const float g : steps) {
            for (const float b : steps) {
                const ColorRGB graded = ColorMath::grade(colour(r, g, b), kelvin, saturation);
                const ColorRGB applied = matrix.apply(colour(r, g, b));
                const QByteArray message =
                    QStringLiteral("colour %1 %2 %3").arg(r).arg(g).arg(b).toUtf8();
                QVERIFY2(std::abs(graded.r - applied.r) < 1e-5f, message.constData());
                QVERIFY2(std::abs(graded.g - applied.g) < 1e-5f, message.constData());
                QVERIFY2(std::abs(graded.b - applied.b) < 1e-5f, message.constData());
                for (const float channel : {graded.r, graded.g, graded.b})
                    QVERIFY2(channel >= 0.0f && channel <= 1.0f, message.constData());
            }
        }
    }
}

void TestColorMath::identityApplyClamps_data()
{
    QTest::addColumn<ColorRGB>("input");
    QTest::addColumn<ColorRGB>("expected");
    QTest::newRow("inside") << colour(0.5f, 0.25f, 0.75f) << colour(0.5f, 0.25f, 0.75f);
    QTest::newRow("below") << colour(-0.5f, 0, -2) << colour(0, 0, 0);
    QTest::newRow("above") << colour(1.5f, 1, 7) << colour(1, 1, 1);
}

void TestColorMath::identityApplyClamps()
{
    QFETCH(ColorRGB, input);
    QFETCH(ColorRGB, expected);
    QCOMPARE(ColorMatrix4x5::identity().apply(input), expected);
}

void TestColorMath::applyUsesOffsetsAndIgnoresAlpha()
{
    ColorMatrix4x5 m;
    m.m11 = 0.5f;
    m.m15 = 0.25f;
    m.m22 = 0.5f;
    m.m21 = 0.25f;
    m.m25 = -0.125f;
    m.m33 = 1.0f;
    m.m31 = -0.5f;
    m.m14 = 9.0f;
    m.m24 = 9.0f;
    m.m34 = 9.0f;
    m.m41 = 9.0f;
    m.m44 = 9.0f;
    m.m45 = 9.0f;
    QCOMPARE(m.apply(colour(0.5f, 0.5f, 0.5f)), colour(0.5f, 0.25f, 0.25f));
}

void TestColorMath::valuesAreRowByRow()
{
    ColorMatrix4x5 m;
    float *fields[] = {&m.m11, &m.m12, &m.m13, &m.m14, &m.m15, &m.m21, &m.m22,
                       &m.m23, &m.m24, &m.m25, &m.m31, &m.m32, &m.m33, &m.m34,
                       &m.m35, &m.m41, &m.m42, &m.m43, &m.m44, &m.m45};
    for (int i = 0; i < 20; ++i)
        *fields[i] = float((i / 5 + 1) * 10 + i % 5 + 1);
    const std::array<float, 20> values = m.values();
    for (int i = 0; i < 20; ++i)
        COMPARE_EXACT(values[i], float((i / 5 + 1) * 10 + i % 5 + 1));

    const std::array<float, 20> identity = ColorMatrix4x5::identity().values();
    for (int i = 0; i < 20; ++i)
        COMPARE_EXACT(identity[i], (i == 0 || i == 6 || i == 12 || i == 18) ? 1.0f : 0.0f);
}

QTEST_APPLESS_MAIN(TestColorMath)
#include "tst_colormath.moc"
