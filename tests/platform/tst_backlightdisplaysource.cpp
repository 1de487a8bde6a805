#include "fakedbusservice.h"
#include "fakelogind.h"
#include "fakesysfs.h"

#include "platform/dbus/logindsession.h"
#include "platform/sysfs/backlightdevice.h"
#include "platform/sysfs/backlightdisplaysource.h"

#include <QFile>
#include <QtTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Root may write any file, so a read-only brightness file would not stop
// the direct write. Giving up the override makes this process meet file
// modes like the desktop user it stands for.
void dropFileAccessOverride()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        data[cap / 32].effective &= ~(1u << (cap % 32));
        data[cap / 32].permitted &= ~(1u << (cap % 32));
    }
    syscall(SYS_capset, &header, data);
}

std::unique_ptr<BrightnessDisplay> displayNamed(BacklightDisplaySource &source, const QString &id)
{
    for (auto &display : source.displays()) {
        if (display->id() == id)
            return std::move(display);
    }
    return nullptr;
}

} // namespace

class BacklightDisplaySourceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void connectorAndBuiltIn_data();
    void connectorAndBuiltIn();
    void listsEveryDeviceWithoutOthers();
    void readsFractionOfMax_data();
    void readsFractionOfMax();
    void rawValue_data();
    void rawValue();
    void writesDirectlyWhenWritable();
    void asksLogindWhenNotWritable();
    void logindRefusalOrNoBusFails_data();
    void logindRefusalOrNoBusFails();
    void missingMaxCannotChange();

private:
    std::unique_ptr<FakeDBusService> m_service;
    FakeLogindSession *m_session = nullptr;
    std::unique_ptr<BusClient> m_client;
};

void BacklightDisplaySourceTest::initTestCase()
{
    QVERIFY2(!systemBusAddress().isEmpty(), "run under headless-session.sh --system-bus");
    dropFileAccessOverride();
}

void BacklightDisplaySourceTest::init()
{
    m_service = std::make_unique<FakeDBusService>(systemBusAddress(),
                                                  QStringLiteral("org.freedesktop.login1"));
    QVERIFY(m_service->isValid());
    m_session = new FakeLogindSession;
    QVERIFY(m_service->addObject(QStringLiteral("/org/freedesktop/login1/session/auto"),
                                 m_session));
    m_client = std::make_unique<BusClient>(systemBusAddress());
}

void BacklightDisplaySourceTest::cleanup()
{
    m_client.reset();
    m_service.reset();
    m_session = nullptr;
}

void BacklightDisplaySourceTest::connectorAndBuiltIn_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("parent");
    QTest::addColumn<QString>("connector");
    QTest::addColumn<QString>("expectedConnector");
    QTest::addColumn<bool>("builtIn");

    using P = FakeSysfs::BacklightParent;
    QTest::newRow("i915 raw on eDP") << "raw" << int(P::Connector) << "eDP-1"
                                     << "eDP-1" << true;
    QTest::newRow("amdgpu raw under card") << "raw" << int(P::Card) << "eDP-1"
                                           << "eDP-1" << true;
    QTest::newRow("LVDS panel") << "platform" << int(P::Connector) << "LVDS-1"
                                << "LVDS-1" << true;
    QTest::newRow("DSI panel") << "raw" << int(P::Connector) << "DSI-1"
                               << "DSI-1" << true;
    QTest::newRow("ACPI firmware, connector unknown") << "firmware" << int(P::None) << ""
                                                      << ""
                                                      << true;
    QTest::newRow("raw on an external DP connector")
        << "raw" << int(P::Connector) << "DP-2"
        << "DP-2" << false;
    QTest::newRow("card without an internal connector")
        << "raw" << int(P::Card) << "HDMI-A-1"
        << "" << true;
    QTest::newRow("unknown type") << "monitor" << int(P::None) << ""
                                  << "" << false;
}

void BacklightDisplaySourceTest::connectorAndBuiltIn()
{
    QFETCH(QString, type);
    QFETCH(int, parent);
    QFETCH(QString, connector);
    QFETCH(QString, expectedConnector);
    QFETCH(bool, builtIn);

    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("panel0"), type, 10, 100,
                       static_cast<FakeSysfs::BacklightParent>(parent), connector);
    BacklightDisplaySource source(sysfs.root());
    const auto display = displayNamed(source, QStringLiteral("backlight:panel0"));
    QVERIFY(display);
    QCOMPARE(display->connector(), expectedConnector);
    QCOMPARE(display->isBuiltIn(), builtIn);
}

void BacklightDisplaySourceTest::listsEveryDeviceWithoutOthers()
{
    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("intel_backlight"), QStringLiteral("raw"), 1, 2);
    sysfs.addBacklight(QStringLiteral("acpi_video0"), QStringLiteral("firmware"), 1, 2);
    BacklightDisplaySource source(sysfs.root());
    QStringList ids;
    for (const auto &display : source.displays())
        ids << display->id();
    ids.sort();
    QCOMPARE(ids, QStringList({QStringLiteral("backlight:acpi_video0"),
                               QStringLiteral("backlight:intel_backlight")}));

    BacklightDisplaySource nowhere(sysfs.root() + QStringLiteral("/missing"));
    QVERIFY(nowhere.displays().empty());
}

void BacklightDisplaySourceTest::readsFractionOfMax_data()
{
    QTest::addColumn<QByteArray>("brightness");
    QTest::addColumn<QByteArray>("max");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("fraction");

    QTest::newRow("intel range") << QByteArray("19393") << QByteArray("96000") << true
                                 << 19393.0 / 96000.0;
    QTest::newRow("above max is left to the engine")
        << QByteArray("1001\n") << QByteArray("1000\n") << true << 1.001;
    QTest::newRow("zero max") << QByteArray("5") << QByteArray("0") << false << 0.0;
    QTest::newRow("garbage") << QByteArray("bright") << QByteArray("100") << false << 0.0;
    QTest::newRow("empty") << QByteArray("") << QByteArray("100") << false << 0.0;
}

void BacklightDisplaySourceTest::readsFractionOfMax()
{
    QFETCH(QByteArray, brightness);
    QFETCH(QByteArray, max);
    QFETCH(bool, readable);
    QFETCH(double, fraction);

    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("bl"), QStringLiteral("raw"), 0, 1);
    for (const auto &[file, content] :
         {std::pair{QStringLiteral("brightness"), brightness},
          std::pair{QStringLiteral("max_brightness"), max}}) {
        QFile f(sysfs.backlightFile(QStringLiteral("bl"), file));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    BacklightDisplaySource source(sysfs.root());
    const auto display = displayNamed(source, QStringLiteral("backlight:bl"));
    QVERIFY(display);
    const auto value = display->read();
    QCOMPARE(value.has_value(), readable);
    if (readable)
        QCOMPARE(*value, fraction);
}

void BacklightDisplaySourceTest::rawValue_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<qint64>("max");
    QTest::addColumn<quint32>("raw");

    QTest::newRow("half of 1000") << 0.5 << qint64(1000) << 500u;
    QTest::newRow("rounds half up") << 0.55 << qint64(10) << 6u;
    QTest::newRow("rounds down") << 0.54 << qint64(10) << 5u;
    QTest::newRow("full") << 1.0 << qint64(96000) << 96000u;
    QTest::newRow("1% of a coarse range stays lit") << 0.01 << qint64(7) << 1u;
    QTest::newRow("above 1 is capped") << 1.5 << qint64(255) << 255u;
    QTest::newRow("zero") << 0.0 << qint64(255) << 0u;
}

void BacklightDisplaySourceTest::rawValue()
{
    QFETCH(double, fraction);
    QFETCH(qint64, max);
    QFETCH(quint32, raw);
    QCOMPARE(BacklightDevice::rawValue(fraction, max), raw);
}

void BacklightDisplaySourceTest::writesDirectlyWhenWritable()
{
    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("intel_backlight"), QStringLiteral("raw"), 100, 1000);
    auto logind = std::make_shared<LogindSession>(m_client->connection());
    BacklightDisplaySource source(sysfs.root(), logind);
    const auto display = displayNamed(source, QStringLiteral("backlight:intel_backlight"));
    QVERIFY(display);
    QVERIFY(display->canChange());
    QVERIFY(display->write(0.42));
    QCOMPARE(sysfs.backlightValue(QStringLiteral("intel_backlight")), qint64(420));
    QVERIFY(m_session->calls().empty());
}

void BacklightDisplaySourceTest::asksLogindWhenNotWritable()
{
    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("intel_backlight"), QStringLiteral("raw"), 100, 96000);
    QVERIFY(QFile::setPermissions(sysfs.backlightFile(QStringLiteral("intel_backlight"),
                                                      QStringLiteral("brightness")),
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    auto logind = std::make_shared<LogindSession>(m_client->connection());
    BacklightDisplaySource source(sysfs.root(), logind);
    const auto display = displayNamed(source, QStringLiteral("backlight:intel_backlight"));
    QVERIFY(display);
    QVERIFY(display->write(0.25));

    const auto calls = m_session->calls();
    QCOMPARE(calls.size(), std::size_t(1));
    QCOMPARE(calls[0].subsystem, QStringLiteral("backlight"));
    QCOMPARE(calls[0].name, QStringLiteral("intel_backlight"));
    QCOMPARE(calls[0].value, 24000u);
    QCOMPARE(sysfs.backlightValue(QStringLiteral("intel_backlight")), qint64(100));
}

void BacklightDisplaySourceTest::logindRefusalOrNoBusFails_data()
{
    QTest::addColumn<bool>("refusing");
    QTest::addColumn<bool>("withBus");
    QTest::newRow("logind refuses") << true << true;
    QTest::newRow("no system bus") << false << false;
}

void BacklightDisplaySourceTest::logindRefusalOrNoBusFails()
{
    QFETCH(bool, refusing);
    QFETCH(bool, withBus);

    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("bl"), QStringLiteral("raw"), 3, 10);
    QVERIFY(QFile::setPermissions(sysfs.backlightFile(QStringLiteral("bl"),
                                                      QStringLiteral("brightness")),
                                  QFile::ReadOwner));
    m_session->setRefusing(refusing);
    BusClient nowhere(QStringLiteral("unix:path=/nonexistent/halvoscope-bus"));
    auto logind = std::make_shared<LogindSession>(withBus ? m_client->connection()
                                                          : nowhere.connection());
    BacklightDisplaySource source(sysfs.root(), logind);
    const auto display = displayNamed(source, QStringLiteral("backlight:bl"));
    QVERIFY(display);
    QVERIFY(!display->write(0.8));
    QCOMPARE(m_session->calls().size(), std::size_t(withBus ? 1 : 0));
    QCOMPARE(sysfs.backlightValue(QStringLiteral("bl")), qint64(3));
}

void BacklightDisplaySourceTest::missingMaxCannotChange()
{
    FakeSysfs sysfs;
    sysfs.addBacklight(QStringLiteral("bl"), QStringLiteral("raw"), 3, 10);
    QVERIFY(QFile::remove(sysfs.backlightFile(QStringLiteral("bl"),
                                              QStringLiteral("max_brightness"))));
    BacklightDisplaySource source(sysfs.root());
    const auto display = displayNamed(source, QStringLiteral("backlight:bl"));
    QVERIFY(display);
    QVERIFY(!display->canChange());
    QVERIFY(!display->read());
    QVERIFY(!display->write(0.5));
    QVERIFY(!QFile::exists(sysfs.backlightFile(QStringLiteral("bl"),
                                               QStringLiteral("max_brightness"))));
}

QTEST_GUILESS_MAIN(BacklightDisplaySourceTest)
#include "tst_backlightdisplaysource.moc"
