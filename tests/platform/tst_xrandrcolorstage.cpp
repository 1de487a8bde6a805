#include "platform/x11/colorstagerecord.h"
#include "platform/x11/ctmencoding.h"
#include "platform/x11/xerrortrap.h"
#include "platform/x11/xrandrcolorstage.h"
#include "xrandrprobe.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>

namespace {

// An X server of the test's own, for what cannot be done to the shared one:
// switching RandR off, or killing it under a live connection.
class OwnXServer {
public:
    explicit OwnXServer(const QStringList &extraArguments = {})
    {
        m_process.start(QStringLiteral("Xvfb"),
                        QStringList{QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                    QStringLiteral("tcp")}
                            + extraArguments);
        while (m_process.waitForReadyRead(5000)) {
            m_buffer += m_process.readAllStandardOutput();
            if (m_buffer.contains('\n'))
                break;
        }
        if (m_buffer.contains('\n'))
            m_name = ':' + m_buffer.trimmed();
    }
    ~OwnXServer() { stop(); }

    QByteArray name() const { return m_name; }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
    QByteArray m_buffer;
    QByteArray m_name;
};

int otherHandlerCalls = 0;
int countingHandler(Display *, XErrorEvent *)
{
    ++otherHandlerCalls;
    return 0;
}

} // namespace

class TestXRandrColorStage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void ctmEncoding_data();
    void ctmEncoding();
    void ctmItemsAreRowByRow();
    void cscMatrixEncoding_data();
    void cscMatrixEncoding();
    void keysOnSeveralScreens();
    void ctmOfUnknownShapeIsNotWritten();
    void originalsReadOnceAndRestoredWhereWritten();
    void forgetOriginalsReadsThemAgain();
    void holdsUntilChangedOutside();
    void destructionRestores();
    void matrixLeftByAKilledStage_data();
    void matrixLeftByAKilledStage();
    void eventsReadDuringRepliesAreHandled();
    void protocolErrorsAreKept();
    void randrMissing();
    void connectionLost();

private:
    std::unique_ptr<XRandrProbe> m_probe;
    QList<XRandrProbe::Head> m_heads;
    QList<GammaRamp> m_originals;
};

void TestXRandrColorStage::init()
{
    m_probe = std::make_unique<XRandrProbe>();
    QVERIFY2(m_probe->isOpen(), "needs an X server");
    m_heads = m_probe->heads();
    QCOMPARE(m_heads.size(), 2);
    m_originals = {calibrationRamp(256, 0.7, 0.8, 0.9), calibrationRamp(256, 1.3, 1.2, 1.1)};
    for (int i = 0; i < m_heads.size(); ++i) {
        m_probe->enable(m_heads[i]);
        m_probe->deleteCtm(m_heads[i]);
        m_probe->setGamma(m_heads[i], m_originals[i]);
    }
}

void TestXRandrColorStage::cleanup()
{
    m_probe.reset();
}

void TestXRandrColorStage::ctmEncoding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<quint32>("low");
    QTest::addColumn<quint32>("high");
    QTest::newRow("1") << 1.0 << 0u << 1u;
    QTest::newRow("-1") << -1.0 << 0u << 0x80000001u;
    QTest::newRow("0.5") << 0.5 << 0x80000000u << 0u;
    QTest::newRow("-0.25") << -0.25 << 0x40000000u << 0x80000000u;
    QTest::newRow("1.5") << 1.5 << 0x80000000u << 1u;
    QTest::newRow("-2.75") << -2.75 << 0xc0000000u << 0x80000002u;
    QTest::newRow("smallest step") << 1.0 / 4294967296.0 << 1u << 0u;
    QTest::newRow("zero") << 0.0 << 0u << 0u;
    QTest::newRow("negative rounding to zero has no sign") << -1e-12 << 0u << 0u;
    QTest::newRow("too large saturates") << 1e30 << 0xffffffffu << 0x7fffffffu;
    QTest::newRow("too small saturates") << -1e30 << 0xffffffffu << 0xffffffffu;
}

void TestXRandrColorStage::ctmEncoding()
{
    QFETCH(double, value);
    QFETCH(quint32, low);
    QFETCH(quint32, high);
    const auto items = CtmEncoding::encode({value, 0, 0, 0, 0, 0, 0, 0, 0});
    QCOMPARE(items[0], low);
    QCOMPARE(items[1], high);
}

void TestXRandrColorStage::ctmItemsAreRowByRow()
{
    const auto items = CtmEncoding::encode({1, 2, 3, 4, 5, 6, 7, 8, -9});
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(items[2 * i], 0u);
        QCOMPARE(items[2 * i + 1], quint32(i + 1));
    }
    QCOMPARE(items[17], 0x80000009u);
}

void TestXRandrColorStage::cscMatrixEncoding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<quint32>("item");
    QTest::newRow("1") << 1.0 << 65536u;
    QTest::newRow("-0.5") << -0.5 << 0xffff8000u;
    QTest::newRow("rounds to nearest") << 1.4724400043487549 << 96498u;
    QTest::newRow("too large saturates") << 1e12 << 0x7fffffffu;
    QTest::newRow("too small saturates") << -1e12 << 0x80000000u;
}

// Row by row, three coefficients and a zero offset each.
void TestXRandrColorStage::cscMatrixEncoding()
{
    QFETCH(double, value);
    QFETCH(quint32, item);
    const auto items = CscMatrixEncoding::encode({1, 2, 3, 4, 5, 6, 7, 8, value});
    QCOMPARE(items[10], item);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(items[4 * row + 3], 0u);
        for (int column = 0; column < 3 && 3 * row + column < 8; ++column)
            QCOMPARE(items[4 * row + column], quint32(65536 * (3 * row + column + 1)));
    }
}

void TestXRandrColorStage::keysOnSeveralScreens()
{
    XRandrColorStage stage;
    QVERIFY(stage.isAvailable());
    stage.refresh();
    QCOMPARE(stage.activeOutputs(), QStringList({QStringLiteral("screen"), QStringLiteral("screen@1")}));
    QCOMPARE(stage.gammaCrtcs(), QStringList({QStringLiteral("crtc0"), QStringLiteral("crtc0@1")}));
    QVERIFY(!stage.hasMatrix(QStringLiteral("screen")));
    QCOMPARE(stage.originalGamma(QStringLiteral("crtc0@1")), m_originals[1]);

    // Cheap refreshes keep what they know; an invalidated one looks again.
    m_probe->setCtm(m_heads[1], XRandrProbe::identityCtm());
    stage.refresh();
    QVERIFY(!stage.hasMatrix(QStringLiteral("screen@1")));
    stage.invalidate();
    stage.refresh();
    QVERIFY(stage.hasMatrix(QStringLiteral("screen@1")));
    QVERIFY(!stage.hasMatrix(QStringLiteral("screen")));
}

void TestXRandrColorStage::ctmOfUnknownShapeIsNotWritten()
{
    m_probe->setRawCtm(m_heads[0], {0, 1, 0, 0, 0, 0, 0, 1, 0});
    XRandrColorStage stage;
    stage.refresh();
    QVERIFY(!stage.hasMatrix(QStringLiteral("screen")));
    QVERIFY(!stage.writeMatrix(QStringLiteral("screen"), {1, 0, 0, 0, 1, 0, 0, 0, 1}));
    QVERIFY(!stage.writeGamma(QStringLiteral("crtc0"), GammaRamp::linear(255)));
}

// Originals are read when first seen; a restore touches only what was
// written, so a ramp another program set on the other CRTC stays.
void TestXRandrColorStage::originalsReadOnceAndRestoredWhereWritten()
{
    m_probe->setCtm(m_heads[0], XRandrProbe::identityCtm());
    XRandrColorStage stage;
    stage.refresh();

    const GammaRamp outside = calibrationRamp(256, 2.0, 2.0, 2.0);
    m_probe->setGamma(m_heads[1], outside);
    m_probe->setGamma(m_heads[0], outside);
    stage.invalidate();
    stage.refresh();
    QCOMPARE(stage.originalGamma(QStringLiteral("crtc0")), m_originals[0]);

    QVERIFY(stage.writeGamma(QStringLiteral("crtc0"), GammaRamp::linear(256).scaled(1.0, 0.5, 0.25)));
    QVERIFY(stage.writeMatrix(QStringLiteral("screen"), {0.5, 0, 0, 0, 0.5, 0, 0, 0, -0.5}));
    stage.sync();
    QCOMPARE(m_probe->gamma(m_heads[0]), GammaRamp::linear(256).scaled(1.0, 0.5, 0.25));
    QCOMPARE(*m_probe->ctm(m_heads[0]), CtmEncoding::encode({0.5, 0, 0, 0, 0.5, 0, 0, 0, -0.5}));

    stage.restoreGamma();
    stage.restoreMatrices();
    stage.sync();
    QCOMPARE(m_probe->gamma(m_heads[0]), m_originals[0]);
    QCOMPARE(m_probe->gamma(m_heads[1]), outside);
    QCOMPARE(*m_probe->ctm(m_heads[0]), XRandrProbe::identityCtm());
}

void TestXRandrColorStage::forgetOriginalsReadsThemAgain()
{
    XRandrColorStage stage;
    stage.refresh();
    QVERIFY(stage.writeGamma(QStringLiteral("crtc0"), GammaRamp::linear(256)));
    stage.forgetOriginals();
    stage.refresh();
    // Still written: its original must survive.
    QCOMPARE(stage.originalGamma(QStringLiteral("crtc0")), m_originals[0]);

    const GammaRamp loaded = calibrationRamp(256, 1.1, 1.1, 1.1);
    m_probe->setGamma(m_heads[1], loaded);
    stage.restoreGamma();
    stage.forgetOriginals();
    stage.refresh();
    QCOMPARE(stage.originalGamma(QStringLiteral("crtc0@1")), loaded);
    QCOMPARE(stage.originalGamma(QStringLiteral("crtc0")), m_originals[0]);
}

void TestXRandrColorStage::holdsUntilChangedOutside()
{
    m_probe->setCtm(m_heads[1], XRandrProbe::identityCtm());
    XRandrColorStage stage;
    stage.refresh();
    const ColorMatrix3x3 matrix{0.9, 0.05, 0.05, 0.1, 0.8, 0.1, -0.1, 0.2, 0.9};
    const GammaRamp ramp = m_originals[1].scaled(1.0, 0.7, 0.4);
    QVERIFY(stage.writeMatrix(QStringLiteral("screen@1"), matrix));
    QVERIFY(stage.writeGamma(QStringLiteral("crtc0@1"), ramp));
    QVERIFY(stage.matrixHolds(QStringLiteral("screen@1"), matrix));
    QVERIFY(stage.gammaHolds(QStringLiteral("crtc0@1"), ramp));

    m_probe->setCtm(m_heads[1], XRandrProbe::identityCtm());
    m_probe->setGamma(m_heads[1], GammaRamp::linear(256));
    QVERIFY(!stage.matrixHolds(QStringLiteral("screen@1"), matrix));
    QVERIFY(!stage.gammaHolds(QStringLiteral("crtc0@1"), ramp));
    // Nothing to compare with: an output without CTM, an unknown CRTC.
    QVERIFY(stage.matrixHolds(QStringLiteral("screen"), matrix));
    QVERIFY(stage.gammaHolds(QStringLiteral("crtc7"), ramp));
}

void TestXRandrColorStage::destructionRestores()
{
    {
        XRandrColorStage stage;
        stage.refresh();
        QVERIFY(stage.writeGamma(QStringLiteral("crtc0@1"), GammaRamp::linear(256)));
    }
    m_probe->sync();
    QCOMPARE(m_probe->gamma(m_heads[1]), m_originals[1]);
}

// What a SIGKILL leaves is replayed exactly: the record as it was on disk at
// that moment, and the written matrix (or, after it, another one) on the output.
void TestXRandrColorStage::matrixLeftByAKilledStage_data()
{
    QTest::addColumn<bool>("waitForSettle");
    QTest::addColumn<bool>("otherMatrixAfter");
    QTest::addColumn<QByteArray>("recordOverride");
    QTest::addColumn<bool>("restored");

    QTest::newRow("settled matrix is undone") << true << false << QByteArray() << true;
    QTest::newRow("matrix set by another client after the settle stays") << true << true << QByteArray() << false;
    QTest::newRow("any matrix during a change is undone") << false << true << QByteArray() << true;
    QTest::newRow("malformed record changes nothing")
        << true << false << QByteArray("{\"outputs\": [{\"key\": 5") << false;
}

void TestXRandrColorStage::matrixLeftByAKilledStage()
{
    QFETCH(bool, waitForSettle);
    QFETCH(bool, otherMatrixAfter);
    QFETCH(QByteArray, recordOverride);
    QFETCH(bool, restored);

    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    const std::optional<QByteArray> runtimeBefore =
        qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") ? std::optional(qgetenv("XDG_RUNTIME_DIR")) : std::nullopt;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const auto restoreEnvironment = qScopeGuard([&] {
        if (runtimeBefore)
            qputenv("XDG_RUNTIME_DIR", *runtimeBefore);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    });
    const QString path = ColorStageRecord::pathFor(qgetenv("DISPLAY"));

    m_probe->setCtm(m_heads[0], XRandrProbe::identityCtm());
    const ColorMatrix3x3 tint{1.0, 0, 0, 0, 0.7, 0, 0, 0, 0.4};
    const ColorMatrix3x3 other{0.9, 0.1, 0, 0, 0.9, 0.1, 0.1, 0, 0.9};
    QByteArray record;
    {
        XRandrColorStage stage;
        stage.refresh();
        QVERIFY(stage.writeMatrix(QStringLiteral("screen"), tint));
        if (waitForSettle)
            QTRY_VERIFY(!ColorStageRecord::load(path).changing);
        QCOMPARE(ColorStageRecord::load(path).outputs.size(), 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        record = file.readAll();
    }
    // The destructor restored and removed its record; a killed stage does neither.
    QVERIFY(!QFile::exists(path));
    QCOMPARE(*m_probe->ctm(m_heads[0]), XRandrProbe::identityCtm());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(recordOverride.isEmpty() ? record : recordOverride);
    file.close();
    const XRandrProbe::CtmItems left = CtmEncoding::encode(otherMatrixAfter ? other : tint);
    m_probe->setCtm(m_heads[0], left);

    XRandrColorStage stage;
    stage.sync();
    QCOMPARE(*m_probe->ctm(m_heads[0]), restored ? XRandrProbe::identityCtm() : left);
    QVERIFY(!QFile::exists(path));
    stage.refresh();
    QVERIFY(stage.hasMatrix(QStringLiteral("screen")));
    // Whatever the new stage took for the original is what it puts back.
    QVERIFY(stage.writeMatrix(QStringLiteral("screen"), tint));
    stage.restoreMatrices();
    stage.sync();
    QCOMPARE(*m_probe->ctm(m_heads[0]), restored ? XRandrProbe::identityCtm() : left);
}

// A reply read pulls a pending event off the socket into Xlib's queue, where
// the socket notifier cannot see it.
void TestXRandrColorStage::eventsReadDuringRepliesAreHandled()
{
    XRandrColorStage stage;
    int changes = 0;
    stage.setConfigurationChangedHandler([&changes] { ++changes; });
    m_probe->disable(m_heads[1]);
    stage.invalidate();
    stage.refresh();
    QCOMPARE(changes, 0);
    QVERIFY(!stage.gammaCrtcs().contains(QStringLiteral("crtc0@1")));
    QTRY_VERIFY(changes > 0);

    m_probe->enable(m_heads[1]);
    QTRY_VERIFY(changes > 1);
    stage.refresh();
    QVERIFY(stage.gammaCrtcs().contains(QStringLiteral("crtc0@1")));
}

// Protocol errors on a watched connection are recorded, not fatal; errors on
// any other connection still reach the handler that was there before.
void TestXRandrColorStage::protocolErrorsAreKept()
{
    Display *ours = XOpenDisplay(nullptr);
    Display *other = XOpenDisplay(nullptr);
    QVERIFY(ours && other);
    const XErrorHandler before = XSetErrorHandler(countingHandler);
    otherHandlerCalls = 0;
    XErrorTrap::watch(ours);

    XRRCrtcGamma *tooShort = XRRAllocGamma(10);
    XRRSetCrtcGamma(ours, m_heads[0].crtc, tooShort);
    XSync(ours, False);
    QCOMPARE(XErrorTrap::takeError(ours), int(BadMatch));
    QCOMPARE(XErrorTrap::takeError(ours), 0);
    QCOMPARE(otherHandlerCalls, 0);

    XRRSetCrtcGamma(other, m_heads[0].crtc, tooShort);
    XSync(other, False);
    QCOMPARE(otherHandlerCalls, 1);
    XRRFreeGamma(tooShort);

    XErrorTrap::unwatch(ours);
    QVERIFY(XSetErrorHandler(before) == &countingHandler);
    XCloseDisplay(ours);
    XCloseDisplay(other);
    m_probe->sync();
    QCOMPARE(m_probe->gamma(m_heads[0]), m_originals[0]);
}

void TestXRandrColorStage::randrMissing()
{
    OwnXServer server({QStringLiteral("-extension"), QStringLiteral("RANDR")});
    QVERIFY(!server.name().isEmpty());
    XRandrColorStage stage(server.name());
    QVERIFY(!stage.isAvailable());
    stage.refresh();
    QVERIFY(stage.activeOutputs().isEmpty());
    QVERIFY(!stage.writeGamma(QStringLiteral("crtc0"), GammaRamp::linear(256)));
}

void TestXRandrColorStage::connectionLost()
{
    OwnXServer server;
    QVERIFY(!server.name().isEmpty());
    auto stage = std::make_unique<XRandrColorStage>(server.name());
    QVERIFY(stage->isAvailable());
    int changes = 0;
    stage->setConfigurationChangedHandler([&changes] { ++changes; });
    stage->refresh();
    QVERIFY(stage->writeGamma(QStringLiteral("crtc0"), GammaRamp::linear(256)));
    stage->sync();

    server.stop();
    QTRY_VERIFY(!stage->isAvailable());
    QCOMPARE(changes, 1);
    stage->invalidate();
    stage->refresh();
    QVERIFY(stage->gammaCrtcs().isEmpty());
    QVERIFY(!stage->writeGamma(QStringLiteral("crtc0"), GammaRamp::linear(256)));
    QVERIFY(stage->gammaHolds(QStringLiteral("crtc0"), GammaRamp::linear(256)));
    stage->restoreGamma();
    stage->sync();
    QTest::qWait(50);
    QCOMPARE(changes, 1);
    stage.reset();
}

QTEST_GUILESS_MAIN(TestXRandrColorStage)
#include "tst_xrandrcolorstage.moc"
