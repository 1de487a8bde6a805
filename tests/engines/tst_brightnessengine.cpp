#include "fakeddcutilcontrol.h"
#include "fakesysfs.h"

#include "engines/brightnessengine.h"
#include "platform/sysfs/backlightdisplaysource.h"
#include "platform/sysfs/ddcdisplaysource.h"
#include "platform/sysfs/ddcutillibrary.h"

#include <QFile>
#include <QtTest>

namespace {

using Monitor = FakeDdcutilControl::Monitor;
using Parent = FakeSysfs::BacklightParent;

Monitor ddc(int bus, long current, long maximum)
{
    Monitor m;
    m.number = bus;
    m.current = current;
    m.maximum = maximum;
    return m;
}

// The engine over the real backlight and DDC sources, pointed at the fake
// /sys tree and the fake libddcutil.
std::unique_ptr<BrightnessEngine> makeEngine(const FakeSysfs &sysfs, const QString &primary,
                                             const QString &library = QStringLiteral(FAKE_DDCUTIL))
{
    std::vector<std::unique_ptr<BrightnessDisplaySource>> sources;
    sources.push_back(std::make_unique<BacklightDisplaySource>(sysfs.root()));
    sources.push_back(std::make_unique<DdcDisplaySource>(
        std::make_shared<DdcutilLibrary>(QStringList{library}), sysfs.root()));
    return std::make_unique<BrightnessEngine>(std::move(sources), [primary] { return primary; });
}

QStringList candidateIds(BrightnessEngine &engine)
{
    QStringList ids;
    for (const auto &display : engine.candidateDisplays())
        ids << display->id();
    return ids;
}

} // namespace

class BrightnessEngineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mainThenBuiltInThenIdentifier_data();
    void mainThenBuiltInThenIdentifier();
    void builtInReadBeforeExternalListedFirst_data();
    void builtInReadBeforeExternalListedFirst();
    void readingRounding_data();
    void readingRounding();
    void nothingReadable();
    void setClamps_data();
    void setClamps();
    void setsEveryChangeableDisplay();
    void setFailsWhenNoDisplayAccepts();
    void frameworkMissing_data();
    void frameworkMissing();
};

void BrightnessEngineTest::mainThenBuiltInThenIdentifier_data()
{
    QTest::addColumn<QString>("primary");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<qint64>("read");

    const QString panel = QStringLiteral("backlight:intel_backlight");
    const QString dp = QStringLiteral("ddc:i2c-3");
    const QString bus9 = QStringLiteral("ddc:i2c-9");
    const QString bus10 = QStringLiteral("ddc:i2c-10");

    QTest::newRow("primary unknown") << QString() << QStringList{panel, dp, bus9, bus10}
                                     << qint64(40);
    QTest::newRow("primary is the panel") << QStringLiteral("eDP-1")
                                          << QStringList{panel, dp, bus9, bus10} << qint64(40);
    QTest::newRow("primary is the DP monitor") << QStringLiteral("DP-1")
                                               << QStringList{dp, panel, bus9, bus10}
                                               << qint64(60);
    QTest::newRow("Intel driver's output name") << QStringLiteral("DP1")
                                                << QStringList{dp, panel, bus9, bus10}
                                                << qint64(60);
    QTest::newRow("primary has no brightness control")
        << QStringLiteral("HDMI-2") << QStringList{panel, dp, bus9, bus10} << qint64(40);
}

void BrightnessEngineTest::mainThenBuiltInThenIdentifier()
{
    QFETCH(QString, primary);
    QFETCH(QStringList, order);
    QFETCH(qint64, read);

    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("intel_backlight"), QStringLiteral("raw"), 40, 100,
                       Parent::Connector, QStringLiteral("eDP-1"));
    sysfs.addConnector(0, QStringLiteral("DP-1"), 3);
    FakeDdcutilControl fake;
    fake.addMonitor(ddc(10, 70, 100));
    fake.addMonitor(ddc(3, 60, 100));
    fake.addMonitor(ddc(9, 80, 100));

    const auto engine = makeEngine(sysfs, primary);
    QCOMPARE(candidateIds(*engine), order);
    QCOMPARE(engine->readBrightness(), std::optional<qint64>(read));
}

void BrightnessEngineTest::builtInReadBeforeExternalListedFirst_data()
{
    QTest::addColumn<QString>("primary");
    QTest::addColumn<qint64>("read");
    QTest::newRow("no main known") << QString() << qint64(90);
    QTest::newRow("panel is main") << QStringLiteral("eDP-1") << qint64(90);
    QTest::newRow("external is main") << QStringLiteral("DP-2") << qint64(10);
}

void BrightnessEngineTest::builtInReadBeforeExternalListedFirst()
{
    QFETCH(QString, primary);
    QFETCH(qint64, read);

    // "a_external" sorts before "z_panel" by identifier.
    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("a_external"), QStringLiteral("raw"), 10, 100,
                       Parent::Connector, QStringLiteral("DP-2"));
    sysfs.addBacklight(QStringLiteral("z_panel"), QStringLiteral("raw"), 90, 100,
                       Parent::Connector, QStringLiteral("eDP-1"));
    FakeDdcutilControl fake;

    const auto engine = makeEngine(sysfs, primary);
    QCOMPARE(engine->readBrightness(), std::optional<qint64>(read));
}

void BrightnessEngineTest::readingRounding_data()
{
    QTest::addColumn<qint64>("brightness");
    QTest::addColumn<qint64>("max");
    QTest::addColumn<qint64>("percent");

    // 37 is the external monitor read when the panel's value is rejected.
    QTest::newRow("0.004 gives 1") << qint64(4) << qint64(1000) << qint64(1);
    QTest::newRow("0 gives 1") << qint64(0) << qint64(100) << qint64(1);
    QTest::newRow("1.0 gives 100") << qint64(100) << qint64(100) << qint64(100);
    QTest::newRow("1.001 gives 100") << qint64(1001) << qint64(1000) << qint64(100);
    QTest::newRow("1.0011 rejected") << qint64(10011) << qint64(10000) << qint64(37);
    QTest::newRow("-0.01 rejected") << qint64(-1) << qint64(100) << qint64(37);
    QTest::newRow("0.505 rounds up") << qint64(505) << qint64(1000) << qint64(51);
    QTest::newRow("0.285 rounds up") << qint64(285) << qint64(1000) << qint64(29);
    QTest::newRow("0.5049 rounds down") << qint64(5049) << qint64(10000) << qint64(50);
    QTest::newRow("0.995 gives 100") << qint64(995) << qint64(1000) << qint64(100);
    QTest::newRow("panel cannot change") << qint64(50) << qint64(0) << qint64(37);
}

void BrightnessEngineTest::readingRounding()
{
    QFETCH(qint64, brightness);
    QFETCH(qint64, max);
    QFETCH(qint64, percent);

    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("panel"), QStringLiteral("raw"), brightness, max,
                       Parent::Connector, QStringLiteral("eDP-1"));
    FakeDdcutilControl fake;
    fake.addMonitor(ddc(4, 37, 100));

    const auto engine = makeEngine(sysfs, QStringLiteral("eDP-1"));
    QCOMPARE(engine->readBrightness(), std::optional<qint64>(percent));
}

void BrightnessEngineTest::nothingReadable()
{
    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("panel"), QStringLiteral("raw"), 2000, 1000);
    FakeDdcutilControl fake;
    Monitor silent = ddc(4, 37, 100);
    silent.getFails = true;
    Monitor busy = ddc(5, 37, 100);
    busy.openFails = true;
    fake.addMonitor(silent);
    fake.addMonitor(busy);
    fake.addMonitor(ddc(6, 37, 0));

    QCOMPARE(makeEngine(sysfs, QString())->readBrightness(), std::nullopt);
}

void BrightnessEngineTest::setClamps_data()
{
    QTest::addColumn<qint64>("percent");
    QTest::addColumn<qint64>("backlightRaw");
    QTest::addColumn<long>("ddcRaw");

    QTest::newRow("0 sets 1%") << qint64(0) << qint64(10) << 2L;
    QTest::newRow("-5 sets 1%") << qint64(-5) << qint64(10) << 2L;
    QTest::newRow("1") << qint64(1) << qint64(10) << 2L;
    QTest::newRow("50") << qint64(50) << qint64(500) << 100L;
    QTest::newRow("100") << qint64(100) << qint64(1000) << 200L;
    QTest::newRow("250 sets 100%") << qint64(250) << qint64(1000) << 200L;
}

void BrightnessEngineTest::setClamps()
{
    QFETCH(qint64, percent);
    QFETCH(qint64, backlightRaw);
    QFETCH(long, ddcRaw);

    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("panel"), QStringLiteral("raw"), 333, 1000);
    FakeDdcutilControl fake;
    fake.addMonitor(ddc(4, 77, 200));

    QVERIFY(makeEngine(sysfs, QString())->setBrightness(percent));
    QCOMPARE(sysfs.backlightValue(QStringLiteral("panel")), backlightRaw);
    QCOMPARE(fake.monitor(QStringLiteral("i2c"), 4).current, ddcRaw);
}

void BrightnessEngineTest::setsEveryChangeableDisplay()
{
    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("intel_backlight"), QStringLiteral("raw"), 1, 100,
                       Parent::Connector, QStringLiteral("eDP-1"));
    sysfs.addBacklight(QStringLiteral("acpi_video0"), QStringLiteral("firmware"), 1, 10);
    sysfs.addBacklight(QStringLiteral("broken"), QStringLiteral("raw"), 1, 0);
    FakeDdcutilControl fake;
    fake.addMonitor(ddc(4, 1, 100));
    Monitor readOnly = ddc(5, 1, 100);
    readOnly.setFails = true;
    Monitor busy = ddc(6, 1, 100);
    busy.openFails = true;
    fake.addMonitor(readOnly);
    fake.addMonitor(busy);
    fake.addMonitor(ddc(7, 1, 50));

    QVERIFY(makeEngine(sysfs, QString())->setBrightness(30));
    QCOMPARE(sysfs.backlightValue(QStringLiteral("intel_backlight")), qint64(30));
    QCOMPARE(sysfs.backlightValue(QStringLiteral("acpi_video0")), qint64(3));
    QCOMPARE(sysfs.backlightValue(QStringLiteral("broken")), qint64(1));
    QCOMPARE(fake.monitor(QStringLiteral("i2c"), 4).current, 30L);
    QCOMPARE(fake.monitor(QStringLiteral("i2c"), 5).sets, 0L);
    QCOMPARE(fake.monitor(QStringLiteral("i2c"), 7).current, 15L);
    QCOMPARE(fake.openHandles(), 0L);
}

void BrightnessEngineTest::setFailsWhenNoDisplayAccepts()
{
    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("broken"), QStringLiteral("raw"), 1, 0);
    FakeDdcutilControl fake;
    Monitor readOnly = ddc(5, 1, 100);
    readOnly.setFails = true;
    Monitor busy = ddc(6, 1, 100);
    busy.openFails = true;
    fake.addMonitor(readOnly);
    fake.addMonitor(busy);

    QVERIFY(!makeEngine(sysfs, QString())->setBrightness(60));
    QCOMPARE(fake.monitor(QStringLiteral("i2c"), 5).current, 1L);
}

void BrightnessEngineTest::frameworkMissing_data()
{
    QTest::addColumn<QString>("library");
    QTest::newRow("no libddcutil") << QStringLiteral("/nonexistent/libddcutil.so.5");
    QTest::newRow("no set function") << QStringLiteral(FAKE_DDCUTIL_WITHOUT_SET);
    QTest::newRow("no get function") << QStringLiteral(FAKE_DDCUTIL_WITHOUT_GET);
}

void BrightnessEngineTest::frameworkMissing()
{
    QFETCH(QString, library);

    FakeSysfs sysfs;
    QVERIFY(QDir(sysfs.root() + QStringLiteral("/class/backlight")).removeRecursively());
    FakeDdcutilControl fake;
    fake.addMonitor(ddc(4, 40, 100));

    const auto engine = makeEngine(sysfs, QString(), library);
    QCOMPARE(engine->readBrightness(), std::nullopt);
    QVERIFY(!engine->setBrightness(50));
    QCOMPARE(fake.monitor(QStringLiteral("i2c"), 4).current, 40L);
}

QTEST_GUILESS_MAIN(BrightnessEngineTest)
#include "tst_brightnessengine.moc"
