#include "fakeddcutilcontrol.h"
#include "fakesysfs.h"

#include "engines/brightnessengine.h"
#include "platform/sysfs/backgrounddisplaysource.h"
#include "platform/sysfs/ddcdisplaysource.h"
#include "platform/sysfs/ddcutillibrary.h"

#include <QtTest>

namespace {

using Monitor = FakeDdcutilControl::Monitor;

Monitor i2c(int bus, long current, long maximum)
{
    Monitor m;
    m.number = bus;
    m.current = current;
    m.maximum = maximum;
    return m;
}

std::shared_ptr<const DdcutilLibrary> library(const char *path = FAKE_DDCUTIL)
{
    return std::make_shared<DdcutilLibrary>(QStringList{QString::fromLocal8Bit(path)});
}

} // namespace

class DdcDisplaySourceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsMonitorsOfEitherAbi_data();
    void listsMonitorsOfEitherAbi();
    void connectorFromDrm_data();
    void connectorFromDrm();
    void writesScaledToMonitorMaximum_data();
    void writesScaledToMonitorMaximum();
    void failedListMeansNoMonitors();
    void missingFunctions_data();
    void missingFunctions();
    void libraryNamesTriedInTurn();
    void slowMonitorNeverHoldsUpTheCaller_data();
    void slowMonitorNeverHoldsUpTheCaller();
};

void DdcDisplaySourceTest::listsMonitorsOfEitherAbi_data()
{
    QTest::addColumn<int>("version");
    QTest::newRow("libddcutil.so.4") << 1;
    QTest::newRow("libddcutil.so.5") << 2;
}

void DdcDisplaySourceTest::listsMonitorsOfEitherAbi()
{
    QFETCH(int, version);
    FakeDdcutilControl fake;
    fake.setVersion(version);
    fake.addMonitor(i2c(5, 30, 100));
    Monitor usb = i2c(3, 20, 80);
    usb.kind = QStringLiteral("usb");
    fake.addMonitor(usb);
    fake.addMonitor(i2c(12, 700, 1000));

    FakeSysfs sysfs;
    DdcDisplaySource source(library(), sysfs.root());
    const auto displays = source.displays();
    QCOMPARE(displays.size(), std::size_t(3));
    QCOMPARE(displays[0]->id(), QStringLiteral("ddc:i2c-5"));
    QCOMPARE(displays[1]->id(), QStringLiteral("ddc:usb-3"));
    QCOMPARE(displays[2]->id(), QStringLiteral("ddc:i2c-12"));
    // Each reference must lead to its own monitor under either layout.
    QCOMPARE(displays[0]->read(), std::optional<double>(0.3));
    QCOMPARE(displays[1]->read(), std::optional<double>(0.25));
    QCOMPARE(displays[2]->read(), std::optional<double>(0.7));
    for (const auto &display : displays) {
        QVERIFY(!display->isBuiltIn());
        QVERIFY(display->canChange());
    }
    QCOMPARE(fake.openHandles(), 0L);
}

void DdcDisplaySourceTest::connectorFromDrm_data()
{
    QTest::addColumn<int>("link");
    QTest::addColumn<int>("bus");
    QTest::addColumn<QString>("connector");
    QTest::newRow("ddc symlink") << int(FakeSysfs::DdcLink::DdcSymlink) << 5
                                 << QStringLiteral("HDMI-A-1");
    QTest::newRow("DP AUX child") << int(FakeSysfs::DdcLink::Child) << 7 << QStringLiteral("DP-2");
    QTest::newRow("bus of no connector") << int(FakeSysfs::DdcLink::DdcSymlink) << 9
                                         << QString();
}

void DdcDisplaySourceTest::connectorFromDrm()
{
    QFETCH(int, link);
    QFETCH(int, bus);
    QFETCH(QString, connector);

    FakeSysfs sysfs;
    sysfs.addConnector(0, QStringLiteral("eDP-1"), 4);
    sysfs.addConnector(0, QStringLiteral("HDMI-A-1"), 5, FakeSysfs::DdcLink::DdcSymlink);
    sysfs.addConnector(1, QStringLiteral("DP-2"), 7, FakeSysfs::DdcLink::Child);
    sysfs.addConnector(1, QStringLiteral("DP-3"), 8, static_cast<FakeSysfs::DdcLink>(link));

    FakeDdcutilControl fake;
    fake.addMonitor(i2c(bus, 10, 100));
    DdcDisplaySource source(library(), sysfs.root());
    const auto displays = source.displays();
    QCOMPARE(displays.size(), std::size_t(1));
    QCOMPARE(displays[0]->connector(), connector);
}

void DdcDisplaySourceTest::writesScaledToMonitorMaximum_data()
{
    QTest::addColumn<long>("maximum");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<long>("written");

    QTest::newRow("max 100") << 100L << 0.42 << 42L;
    QTest::newRow("high byte used") << 1000L << 0.5 << 500L;
    QTest::newRow("16-bit max") << 65535L << 1.0 << 65535L;
    QTest::newRow("rounds") << 255L << 0.01 << 3L;
}

void DdcDisplaySourceTest::writesScaledToMonitorMaximum()
{
    QFETCH(long, maximum);
    QFETCH(double, fraction);
    QFETCH(long, written);

    FakeDdcutilControl fake;
    fake.addMonitor(i2c(6, 1, maximum));
    DdcDisplaySource source(library());
    const auto displays = source.displays();
    QCOMPARE(displays.size(), std::size_t(1));
    QVERIFY(displays[0]->write(fraction));
    const Monitor after = fake.monitor(QStringLiteral("i2c"), 6);
    QCOMPARE(after.current, written);
    QCOMPARE(after.sets, 1L);
    QCOMPARE(fake.openHandles(), 0L);
}

void DdcDisplaySourceTest::failedListMeansNoMonitors()
{
    FakeDdcutilControl fake;
    fake.addMonitor(i2c(5, 30, 100));
    fake.setListFails(true);
    DdcDisplaySource source(library());
    QVERIFY(source.displays().empty());
}

void DdcDisplaySourceTest::missingFunctions_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("readable");

    QTest::newRow("no get") << QStringLiteral(FAKE_DDCUTIL_WITHOUT_GET) << true << false;
    QTest::newRow("no set") << QStringLiteral(FAKE_DDCUTIL_WITHOUT_SET) << true << true;
    QTest::newRow("not a library") << QStringLiteral("/nonexistent/libddcutil.so.5") << false
                                   << false;
}

void DdcDisplaySourceTest::missingFunctions()
{
    QFETCH(QString, path);
    QFETCH(bool, listed);
    QFETCH(bool, readable);

    FakeDdcutilControl fake;
    fake.addMonitor(i2c(5, 30, 100));
    DdcDisplaySource source(std::make_shared<DdcutilLibrary>(QStringList{path}));
    const auto displays = source.displays();
    QCOMPARE(displays.size(), std::size_t(listed ? 1 : 0));
    if (!listed)
        return;
    // Writing needs the monitor's maximum, so a display missing either
    // direction counts as one that cannot change.
    QVERIFY(!displays[0]->canChange());
    QCOMPARE(displays[0]->read().has_value(), readable);
    QVERIFY(!displays[0]->write(0.5));
    QCOMPARE(fake.monitor(QStringLiteral("i2c"), 5).current, 30L);
}

void DdcDisplaySourceTest::libraryNamesTriedInTurn()
{
    FakeDdcutilControl fake;
    fake.addMonitor(i2c(5, 30, 100));
    DdcutilLibrary missingThenFake(
        {QStringLiteral("libddcutil-not-here.so.9"), QStringLiteral(FAKE_DDCUTIL)});
    QVERIFY(missingThenFake.isLoaded());
    QCOMPARE(missingThenFake.monitors().size(), std::size_t(1));

    DdcutilLibrary none(QStringList{});
    QVERIFY(!none.isLoaded());
    QVERIFY(none.monitors().empty());
}

void DdcDisplaySourceTest::slowMonitorNeverHoldsUpTheCaller_data()
{
    QTest::addColumn<QList<int>>("levels");
    QTest::addColumn<bool>("refuses");
    QTest::addColumn<long>("finalCurrent");
    QTest::addColumn<long>("sets");

    QTest::newRow("one level") << QList<int>{60} << false << 60L << 1L;
    // The first is held on the wire while the rest come; they fold into the
    // last, which follows it as the only other write.
    QTest::newRow("burst folds into the last") << QList<int>{20, 35, 50, 65, 80} << false << 80L
                                               << 2L;
    QTest::newRow("refused write") << QList<int>{70} << true << 30L << 0L;
}

void DdcDisplaySourceTest::slowMonitorNeverHoldsUpTheCaller()
{
    QFETCH(QList<int>, levels);
    QFETCH(bool, refuses);
    QFETCH(long, finalCurrent);
    QFETCH(long, sets);

    FakeDdcutilControl fake;
    Monitor monitor = i2c(5, 30, 100);
    monitor.setFails = refuses;
    fake.addMonitor(monitor);

    auto background = std::make_unique<BackgroundDisplaySource>(
        [] { return std::make_unique<DdcDisplaySource>(library()); });
    QSignalSpy failures(background.get(), &BackgroundDisplaySource::writeFailed);
    std::vector<std::unique_ptr<BrightnessDisplaySource>> sources;
    sources.push_back(std::move(background));
    BrightnessEngine engine(std::move(sources));
    // The worker lists and reads the monitor through the open gate.
    QTRY_COMPARE(engine.readBrightness().value_or(-1), 30);

    // From here on the monitor takes no read or write until this thread
    // opens the gate again, so a call below that went to the monitor itself
    // would never return. Opened again on every way out, before the engine
    // sends what is still queued on its way out.
    fake.closeGate();
    const auto openGate = qScopeGuard([&fake] { fake.openGate(); });

    QVERIFY(engine.setBrightness(levels.first()));
    // The worker has taken the first level to the monitor and waits there.
    QTRY_VERIFY(fake.isWaitingAtGate());
    for (qsizetype i = 1; i < levels.size(); ++i)
        QVERIFY(engine.setBrightness(levels[i]));
    QCOMPARE(engine.readBrightness().value_or(-1), levels.last());

    // Every call above returned while the monitor still had not taken a
    // single write: the answers came from the cache.
    QVERIFY(fake.isWaitingAtGate());
    const Monitor held = fake.monitor(QStringLiteral("i2c"), 5);
    QCOMPARE(held.current, 30L);
    QCOMPARE(held.sets, 0L);
    QCOMPARE(failures.size(), 0);

    fake.openGate();
    if (refuses) {
        QTRY_COMPARE(failures.size(), 1);
        QTRY_COMPARE(engine.readBrightness().value_or(-1), 30);
    } else {
        QTRY_COMPARE(fake.monitor(QStringLiteral("i2c"), 5).current, finalCurrent);
        QCOMPARE(failures.size(), 0);
    }
    const Monitor after = fake.monitor(QStringLiteral("i2c"), 5);
    QCOMPARE(after.current, finalCurrent);
    QCOMPARE(after.sets, sets);
}

QTEST_GUILESS_MAIN(DdcDisplaySourceTest)
#include "tst_ddcdisplaysource.moc"
