#include "core/colormath.h"
#include "engines/displaycolorengine.h"
#include "fakecompositorprocess.h"
#include "platform/wayland/waylandcolorstage.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

using Outputs = QList<QPair<QByteArray, int>>;

constexpr qint64 candleTemperature = 1800;
constexpr qint64 candleSaturation = 90;

GammaRamp candleRamp(int size)
{
    const WhitePoint white = ColorMath::whitePoint(candleTemperature);
    return GammaRamp::linear(size).scaled(white.r, white.g, white.b);
}

} // namespace

// The production stage under the display colour engine, against the fake
// compositor's real protocol: what reaches the compositor's tables.
class TestWaylandColorStage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void candleOnEveryOutputAndBack_data();
    void candleOnEveryOutputAndBack();
    void quittingHandsOutputsBack();
    void outputControlledElsewhere_data();
    void outputControlledElsewhere();
    void hotPlug();
    void compositorGoesAway();
    void withoutGammaControl();

private:
    // Starts the compositor with these outputs and the stage under an engine.
    bool start(const Outputs &outputs, const QStringList &arguments = {});

    std::unique_ptr<FakeCompositorProcess> m_compositor;
    std::unique_ptr<DisplayColorEngine> m_engine;
    WaylandColorStage *m_stage = nullptr;
};

bool TestWaylandColorStage::start(const Outputs &outputs, const QStringList &arguments)
{
    m_compositor = std::make_unique<FakeCompositorProcess>(arguments);
    if (m_compositor->socket().isEmpty())
        return false;
    for (const auto &[name, size] : outputs) {
        if (!m_compositor->command("add " + name + ' ' + QByteArray::number(size)))
            return false;
    }
    auto stage = std::make_unique<WaylandColorStage>(m_compositor->socket());
    m_stage = stage.get();
    m_engine = std::make_unique<DisplayColorEngine>(std::move(stage));
    return true;
}

Q_DECLARE_METATYPE(ScreenColorRefusal)

void TestWaylandColorStage::cleanup()
{
    m_engine.reset();
    m_stage = nullptr;
    m_compositor.reset();
}

void TestWaylandColorStage::candleOnEveryOutputAndBack_data()
{
    QTest::addColumn<Outputs>("outputs");
    QTest::newRow("one output") << Outputs{{"eDP-1", 256}};
    QTest::newRow("two outputs, two table sizes") << Outputs{{"DP-1", 1024}, {"HDMI-A-1", 4096}};
}

void TestWaylandColorStage::candleOnEveryOutputAndBack()
{
    QFETCH(Outputs, outputs);
    QVERIFY(start(outputs));
    QStringList names;
    for (const auto &output : outputs)
        names.append(QString::fromLatin1(output.first));

    m_engine->applyColor(candleTemperature, candleSaturation);
    QCOMPARE(m_stage->activeOutputs(), names);
    QCOMPARE(m_stage->gammaCrtcs(), names);
    QCOMPARE(m_stage->gammaPath(), ScreenColorPath::CompositorGamma);
    for (const auto &[name, size] : outputs) {
        QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("gamma " + name) == 1; }));
        QCOMPARE(m_compositor->lastGamma(name), candleRamp(size));
        QCOMPARE(m_stage->originalGamma(QString::fromLatin1(name)), GammaRamp::linear(size));
    }

    QCOMPARE(m_compositor->count("restored "), 0);
    m_engine->applyColor(ColorMath::neutralTemperature, ColorMath::neutralSaturation);
    for (const auto &output : outputs)
        QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("restored " + output.first + " destroy") == 1; }));
}

void TestWaylandColorStage::quittingHandsOutputsBack()
{
    QVERIFY(start({{"DP-1", 256}, {"DP-2", 256}}));
    m_engine->applyColor(candleTemperature, candleSaturation);
    QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("gamma ") == 2; }));
    QCOMPARE(m_compositor->count("restored "), 0);
    m_engine.reset();
    QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("restored ") == 2; }));
    QCOMPARE(m_compositor->count("restored DP-1 destroy"), 1);
    QCOMPARE(m_compositor->count("restored DP-2 destroy"), 1);
}

// Told once, naming the output, and on its capability line; the other
// output still takes the colour. A refusal from the first request may be an
// output without tables (sway headless) as well as another program.
void TestWaylandColorStage::outputControlledElsewhere_data()
{
    QTest::addColumn<bool>("heldFromTheStart");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<ScreenColorRefusal>("refusal");
    QTest::newRow("held before the stage starts")
        << true
        << QStringLiteral("DP-2 does not accept color changes: it takes no color tables, or another program holds them.")
        << ScreenColorRefusal::NotAccepted;
    QTest::newRow("taken after the stage learnt its size")
        << false << QStringLiteral("Another program controls the colors of DP-2, so Halvoscope cannot change them.")
        << ScreenColorRefusal::TakenByAnotherProgram;
}

void TestWaylandColorStage::outputControlledElsewhere()
{
    QFETCH(bool, heldFromTheStart);
    QFETCH(QString, notice);
    QFETCH(ScreenColorRefusal, refusal);
    m_compositor = std::make_unique<FakeCompositorProcess>();
    QVERIFY(!m_compositor->socket().isEmpty());
    QVERIFY(m_compositor->command("add DP-1 256"));
    QVERIFY(m_compositor->command("add DP-2 256"));
    if (heldFromTheStart)
        QVERIFY(m_compositor->command("hold DP-2"));
    auto stage = std::make_unique<WaylandColorStage>(m_compositor->socket());
    m_stage = stage.get();
    m_engine = std::make_unique<DisplayColorEngine>(std::move(stage));
    QSignalSpy notices(m_engine.get(), &DisplayColorEngine::noticeRaised);
    m_stage->refresh();
    if (!heldFromTheStart)
        QVERIFY(m_compositor->command("hold DP-2"));

    m_engine->applyColor(candleTemperature, candleSaturation);
    QVERIFY(m_compositor->waitUntil([&] { return notices.size() == 1 && m_compositor->count("gamma DP-1") == 1; }));
    QCOMPARE(notices.constFirst().constFirst().toString(), notice);
    QCOMPARE(m_compositor->count("gamma DP-2"), 0);
    QTRY_COMPARE(m_engine->screenCapabilities().value(1).refusal, refusal);
    QCOMPARE(m_engine->screenCapabilities().value(0).refusal, ScreenColorRefusal::None);
    QVERIFY(m_compositor->waitUntil([&] { return m_stage->gammaCrtcs() == QStringList{QStringLiteral("DP-1")}; }));

    // Standard and back asks again, and tells nothing new.
    const int failures = m_compositor->count("failed DP-2");
    m_engine->applyColor(ColorMath::neutralTemperature, ColorMath::neutralSaturation);
    m_engine->applyColor(candleTemperature, candleSaturation);
    QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("gamma DP-1") == 2; }));
    QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("failed DP-2") > failures; }));
    QVERIFY(m_compositor->waitUntil([&] { return m_stage->gammaCrtcs().size() == 1; }));
    QCOMPARE(notices.size(), 1);
}

void TestWaylandColorStage::hotPlug()
{
    QVERIFY(start({{"DP-1", 256}}));
    m_engine->applyColor(candleTemperature, candleSaturation);
    QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("gamma DP-1") == 1; }));

    QVERIFY(m_compositor->command("add DP-2 512"));
    QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("gamma DP-2") == 1; }));
    QCOMPARE(m_compositor->lastGamma("DP-2"), candleRamp(512));

    QVERIFY(m_compositor->command("remove DP-1"));
    QVERIFY(m_compositor->waitUntil([&] { return m_stage->gammaCrtcs() == QStringList{QStringLiteral("DP-2")}; }));
    m_engine->applyColor(ColorMath::neutralTemperature, ColorMath::neutralSaturation);
    QVERIFY(m_compositor->waitForLine("restored DP-2 destroy"));
    QCOMPARE(m_compositor->count("gamma DP-1"), 1);
}

void TestWaylandColorStage::compositorGoesAway()
{
    QVERIFY(start({{"DP-1", 256}}));
    m_engine->applyColor(candleTemperature, candleSaturation);
    QVERIFY(m_compositor->waitUntil([&] { return m_compositor->count("gamma DP-1") == 1; }));
    QVERIFY(m_compositor->command("drop"));
    QVERIFY(m_compositor->waitUntil([&] { return !m_stage->isAvailable(); }));
    QVERIFY(!m_engine->canChangeColor());
    m_engine->applyColor(candleTemperature - 500, candleSaturation);
    QVERIFY(!m_stage->writeGamma(QStringLiteral("DP-1"), candleRamp(256)));
    QCOMPARE(m_compositor->count("gamma "), 1);
}

void TestWaylandColorStage::withoutGammaControl()
{
    QVERIFY(start({{"DP-1", 256}}, {QStringLiteral("--no-gamma-control")}));
    QVERIFY(m_stage->isConnected());
    QVERIFY(!m_engine->canChangeColor());
    m_engine->applyColor(candleTemperature, candleSaturation);
    QCOMPARE(m_stage->gammaCrtcs(), QStringList());

    WaylandColorStage nowhere(m_compositor->socket() + ".missing");
    QVERIFY(!nowhere.isConnected());
    QVERIFY(!nowhere.isAvailable());
}

QTEST_GUILESS_MAIN(TestWaylandColorStage)
#include "tst_waylandcolorstage.moc"
