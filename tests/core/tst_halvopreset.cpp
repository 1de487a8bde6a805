#include "core/halvopreset.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <limits>
#include <optional>

using OptionalInt = std::optional<qint64>;

Q_DECLARE_METATYPE(OptionalInt)
Q_DECLARE_METATYPE(PresetTint)

namespace {

const OptionalInt none = std::nullopt;

OptionalInt some(qint64 value)
{
    return value;
}

QString repeated(const QString &piece, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

namespace QTest {
template <>
char *toString(const OptionalInt &value)
{
    return qstrdup(value ? QByteArray::number(*value).constData() : "absent");
}
} // namespace QTest

class TestHalvoPreset : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void constructorNormalises_data();
    void constructorNormalises();
    void constructorKeepsIdentity();
    void resetToDefaults_data();
    void resetToDefaults();
    void builtInPresets_data();
    void builtInPresets();
    void builtInPresetsCreatedOnce();
    void displayProperties_data();
    void displayProperties();
    void sanitizedName_data();
    void sanitizedName();
    void newCustomID();
};

void TestHalvoPreset::constructorNormalises_data()
{
    QTest::addColumn<qint64>("temperature");
    QTest::addColumn<qint64>("saturation");
    QTest::addColumn<OptionalInt>("brightness");
    QTest::addColumn<OptionalInt>("defaultTemperature");
    QTest::addColumn<OptionalInt>("defaultSaturation");
    QTest::addColumn<OptionalInt>("defaultBrightness");
    QTest::addColumn<qint64>("expectedTemperature");
    QTest::addColumn<qint64>("expectedSaturation");
    QTest::addColumn<OptionalInt>("expectedBrightness");
    QTest::addColumn<qint64>("expectedDefaultTemperature");
    QTest::addColumn<qint64>("expectedDefaultSaturation");
    QTest::addColumn<OptionalInt>("expectedDefaultBrightness");

    // clang-format off
    QTest::newRow("temperature 999") << qint64(999) << qint64(100) << none << none << none << none
                                     << qint64(1000) << qint64(100) << none << qint64(1000) << qint64(100) << none;
    QTest::newRow("temperature 7100") << qint64(7100) << qint64(100) << none << none << none << none
                                      << qint64(7000) << qint64(100) << none << qint64(7000) << qint64(100) << none;
    QTest::newRow("temperature 6550") << qint64(6550) << qint64(100) << none << none << none << none
                                      << qint64(6600) << qint64(100) << none << qint64(6600) << qint64(100) << none;
    QTest::newRow("temperature 6549") << qint64(6549) << qint64(100) << none << none << none << none
                                      << qint64(6500) << qint64(100) << none << qint64(6500) << qint64(100) << none;
    QTest::newRow("saturation -5") << qint64(6500) << qint64(-5) << none << none << none << none
                                   << qint64(6500) << qint64(0) << none << qint64(6500) << qint64(0) << none;
    QTest::newRow("saturation 202") << qint64(6500) << qint64(202) << none << none << none << none
                                    << qint64(6500) << qint64(200) << none << qint64(6500) << qint64(200) << none;
    QTest::newRow("saturation 197") << qint64(6500) << qint64(197) << none << none << none << none
                                    << qint64(6500) << qint64(195) << none << qint64(6500) << qint64(195) << none;
    QTest::newRow("saturation 3") << qint64(6500) << qint64(3) << none << none << none << none
                                  << qint64(6500) << qint64(5) << none << qint64(6500) << qint64(5) << none;
    QTest::newRow("brightness 0") << qint64(6500) << qint64(100) << some(0) << none << none << none
                                  << qint64(6500) << qint64(100) << some(1) << qint64(6500) << qint64(100) << some(1);
    QTest::newRow("brightness 150") << qint64(6500) << qint64(100) << some(150) << none << none << none
                                    << qint64(6500) << qint64(100) << some(100) << qint64(6500) << qint64(100) << some(100);
    QTest::newRow("brightness 40, no default") << qint64(3000) << qint64(50) << some(40) << none << none << none
                                               << qint64(3000) << qint64(50) << some(40) << qint64(3000) << qint64(50) << some(40);
    QTest::newRow("given defaults normalised") << qint64(3000) << qint64(50) << some(40) << some(999) << some(203) << some(0)
                                               << qint64(3000) << qint64(50) << some(40) << qint64(1000) << qint64(200) << some(1);
    QTest::newRow("default 197 rounds to 195") << qint64(3000) << qint64(50) << none << some(6550) << some(197) << none
                                               << qint64(3000) << qint64(50) << none << qint64(6600) << qint64(195) << none;
    QTest::newRow("default brightness without brightness") << qint64(3000) << qint64(50) << none << none << none << some(150)
                                                           << qint64(3000) << qint64(50) << none << qint64(3000) << qint64(50) << some(100);
    QTest::newRow("default brightness wins over brightness") << qint64(3000) << qint64(50) << some(40) << none << none << some(70)
                                                             << qint64(3000) << qint64(50) << some(40) << qint64(3000) << qint64(50) << some(70);
    QTest::newRow("extreme values") << std::numeric_limits<qint64>::max() << std::numeric_limits<qint64>::min()
                                    << some(std::numeric_limits<qint64>::min()) << none << none << none
                                    << qint64(7000) << qint64(0) << some(1) << qint64(7000) << qint64(0) << some(1);
    // clang-format on
}

void TestHalvoPreset::constructorNormalises()
{
    QFETCH(qint64, temperature);
    QFETCH(qint64, saturation);
    QFETCH(OptionalInt, brightness);
    QFETCH(OptionalInt, defaultTemperature);
    QFETCH(OptionalInt, defaultSaturation);
    QFETCH(OptionalInt, defaultBrightness);

    const HalvoPreset preset(QStringLiteral("custom-x"), QStringLiteral("X"), temperature, saturation,
                             brightness, true, defaultTemperature, defaultSaturation,
                             defaultBrightness);

    QTEST(preset.temperature, "expectedTemperature");
    QTEST(preset.saturation, "expectedSaturation");
    QTEST(preset.brightness, "expectedBrightness");
    QTEST(preset.defaultTemperature, "expectedDefaultTemperature");
    QTEST(preset.defaultSaturation, "expectedDefaultSaturation");
    QTEST(preset.defaultBrightness, "expectedDefaultBrightness");
}

void TestHalvoPreset::constructorKeepsIdentity()
{
    const HalvoPreset custom(QStringLiteral("custom-1"), QStringLiteral("  Night\t"), 2000, 80,
                             std::nullopt, true);
    QCOMPARE(custom.id, QStringLiteral("custom-1"));
    QCOMPARE(custom.name, QStringLiteral("  Night\t"));
    QCOMPARE(custom.isCustom, true);

    const HalvoPreset builtIn(QStringLiteral("candle"), QStringLiteral("Candle"), 1800, 90);
    QCOMPARE(builtIn.isCustom, false);
    QCOMPARE(builtIn.brightness, none);
    QCOMPARE(builtIn.defaultBrightness, none);
}

void TestHalvoPreset::resetToDefaults_data()
{
    QTest::addColumn<OptionalInt>("brightness");
    QTest::addColumn<OptionalInt>("defaultBrightness");
    QTest::newRow("absent default clears brightness") << some(55) << none;
    QTest::newRow("present default restores it") << some(55) << some(30);
    QTest::newRow("both absent") << none << none;
    QTest::newRow("default sets absent brightness") << none << some(80);
}

void TestHalvoPreset::resetToDefaults()
{
    QFETCH(OptionalInt, brightness);
    QFETCH(OptionalInt, defaultBrightness);

    HalvoPreset preset;
    preset.id = QStringLiteral("candle");
    preset.name = QStringLiteral("Candle");
    preset.temperature = 3300;
    preset.saturation = 45;
    preset.brightness = brightness;
    preset.defaultTemperature = 1800;
    preset.defaultSaturation = 90;
    preset.defaultBrightness = defaultBrightness;

    preset.resetToDefaults();

    QCOMPARE(preset.temperature, qint64(1800));
    QCOMPARE(preset.saturation, qint64(90));
    QCOMPARE(preset.brightness, defaultBrightness);
    QCOMPARE(preset.defaultTemperature, qint64(1800));
    QCOMPARE(preset.defaultSaturation, qint64(90));
    QCOMPARE(preset.defaultBrightness, defaultBrightness);
    QCOMPARE(preset.id, QStringLiteral("candle"));
    QCOMPARE(preset.name, QStringLiteral("Candle"));
}

void TestHalvoPreset::builtInPresets_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("temperature");
    QTest::addColumn<qint64>("saturation");
    QTest::newRow("standard") << 0 << "standard"
                              << "Standard" << qint64(6500) << qint64(100);
    QTest::newRow("red-light") << 1 << "red-light"
                               << "Red Light" << qint64(1000) << qint64(100);
    QTest::newRow("candle") << 2 << "candle"
                            << "Candle" << qint64(1800) << qint64(90);
    QTest::newRow("black-white") << 3 << "black-white"
                                 << "Black & White" << qint64(6500) << qint64(0);
    QTest::newRow("color-ink") << 4 << "color-ink"
                               << "Color Ink" << qint64(6500) << qint64(40);
    QTest::newRow("vivid") << 5 << "vivid"
                           << "Vivid" << qint64(6500) << qint64(160);
}

void TestHalvoPreset::builtInPresets()
{
    QFETCH(int, index);
    QFETCH(QString, id);
    QFETCH(QString, name);
    QFETCH(qint64, temperature);
    QFETCH(qint64, saturation);

    const QList<HalvoPreset> &presets = HalvoPreset::builtInPresets();
    QCOMPARE(presets.size(), 6);
    const HalvoPreset &preset = presets.at(index);
    QCOMPARE(preset.id, id);
    QCOMPARE(preset.name, name);
    QCOMPARE(preset.temperature, temperature);
    QCOMPARE(preset.saturation, saturation);
    QCOMPARE(preset.brightness, none);
    QCOMPARE(preset.isCustom, false);
    QCOMPARE(preset.defaultTemperature, temperature);
    QCOMPARE(preset.defaultSaturation, saturation);
    QCOMPARE(preset.defaultBrightness, none);
}

void TestHalvoPreset::builtInPresetsCreatedOnce()
{
    const QList<HalvoPreset> &first = HalvoPreset::builtInPresets();
    const QList<HalvoPreset> &second = HalvoPreset::builtInPresets();
    QCOMPARE(&first, &second);
    QCOMPARE(first.constData(), second.constData());
}

void TestHalvoPreset::displayProperties_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("symbolName");
    QTest::addColumn<PresetTint>("tint");
    QTest::newRow("standard") << "standard"
                              << "Standard"
                              << "display" << PresetTint::Blue;
    QTest::newRow("red-light") << "red-light"
                               << "Red Light"
                               << "lightbulb.fill" << PresetTint::Red;
    QTest::newRow("candle") << "candle"
                            << "Candle"
                            << "flame.fill" << PresetTint::Orange;
    QTest::newRow("black-white") << "black-white"
                                 << "Black & White"
                                 << "circle.lefthalf.filled"
                                 << PresetTint::Gray;
    QTest::newRow("color-ink") << "color-ink"
                               << "Color Ink"
                               << "paintbrush.pointed.fill"
                               << PresetTint::Purple;
    QTest::newRow("vivid") << "vivid"
                           << "Vivid"
                           << "paintpalette.fill" << PresetTint::Green;
    QTest::newRow("custom named like a built-in") << HalvoPreset::newCustomID() << "Candle"
                                                  << "sparkles" << PresetTint::Indigo;
    QTest::newRow("custom") << "custom-0b7e2f4a-1c3d-4e5f-8a9b-0c1d2e3f4a5b"
                            << "Reading"
                            << "sparkles" << PresetTint::Indigo;
    QTest::newRow("id matched by case") << "Standard"
                                        << "Standard"
                                        << "sparkles" << PresetTint::Indigo;
    QTest::newRow("empty id") << ""
                              << ""
                              << "sparkles" << PresetTint::Indigo;
}

void TestHalvoPreset::displayProperties()
{
    QFETCH(QString, id);
    QFETCH(QString, name);
    const HalvoPreset preset(id, name, 1800, 90, std::nullopt, id.startsWith(QLatin1String("custom-")));
    QTEST(preset.symbolName(), "symbolName");
    QTEST(preset.tintColor(), "tint");
}

void TestHalvoPreset::sanitizedName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString family = QString::fromUtf8("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D"
                                             "\xF0\x9F\x91\xA7\xE2\x80\x8D\xF0\x9F\x91\xA6"); // 👨‍👩‍👧‍👦
    const QString thumbsUpToned = QString::fromUtf8("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD");      // 👍🏽
    const QString germanFlag = QString::fromUtf8("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA");         // 🇩🇪
    const QString eAcute = QStringLiteral("e\u0301");
    const QString forty = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN");

    QTest::newRow("spaces, line feed, tab") << "  Evening\nReading\t"
                                            << "Evening Reading";
    QTest::newRow("empty") << ""
                           << "Custom Preset";
    QTest::newRow("spaces only") << "     "
                                 << "Custom Preset";
    QTest::newRow("breaks and tabs only") << "\n\t \r\n"
                                          << "Custom Preset";
    QTest::newRow("inner runs kept") << "Late   Night"
                                     << "Late   Night";
    QTest::newRow("inner tabs and feeds become spaces") << "a\t\tb\n\nc"
                                                        << "a  b  c";
    QTest::newRow("carriage return inside kept") << "a\rb"
                                                 << "a\rb";
    QTest::newRow("Unicode spaces trimmed")
        << QStringLiteral("\u00A0\u2003Night\u3000\u2028\u0085") << "Night";
    QTest::newRow("40 characters keep 32") << forty << forty.left(32);
    QTest::newRow("exactly 32") << forty.left(32) << forty.left(32);
    QTest::newRow("trimmed before cut") << QLatin1String("   ") + forty << forty.left(32);
    QTest::newRow("space at the cut stays") << forty.left(31) + QLatin1String("  tail") << forty.left(31) + QLatin1Char(' ');
    QTest::newRow("family emoji is one character") << family << family;
    QTest::newRow("emoji at the cut") << forty.left(31) + family + QLatin1Char('z') << forty.left(31) + family;
    QTest::newRow("33 emoji keep 32") << repeated(thumbsUpToned, 33) << repeated(thumbsUpToned, 32);
    QTest::newRow("flags") << repeated(germanFlag, 40) << repeated(germanFlag, 32);
    QTest::newRow("combining marks") << repeated(eAcute, 40) << repeated(eAcute, 32);
}

void TestHalvoPreset::sanitizedName()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(HalvoPreset::sanitizedName(text), expected);
}

void TestHalvoPreset::newCustomID()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^custom-[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    QSet<QString> seen;
    for (int i = 0; i < 50; ++i) {
        const QString id = HalvoPreset::newCustomID();
        QVERIFY2(pattern.match(id).hasMatch(), qPrintable(id));
        // Random (version 4) identifiers carry their version in this digit.
        QCOMPARE(id.at(7 + 14), QLatin1Char('4'));
        seen.insert(id);

        const HalvoPreset preset(id, QStringLiteral("Standard"), 6500, 100, std::nullopt, true);
        QCOMPARE(preset.symbolName(), QStringLiteral("sparkles"));
        QCOMPARE(preset.tintColor(), PresetTint::Indigo);
    }
    QCOMPARE(seen.size(), 50);
}

QTEST_APPLESS_MAIN(TestHalvoPreset)
#include "tst_halvopreset.moc"
