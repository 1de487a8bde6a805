#include "core/colormath.h"
#include "engines/displaycolorengine.h"
#include "platform/x11/xrandrcolorstage.h"
#include "stderrcapture.h"
#include "xrandrprobe.h"

#include <QDir>
#include <QSignalSpy>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <memory>

// Runs on a private Xvfb with two X screens, so two CRTCs and two outputs
// take part. The test reads back what the engine did through its own X
// connection, as `xrandr --verbose` would show it.
class TestDisplayColorEngine : public QObject {
    Q_OBJECT

public:
    enum class Path { Matrix,
                      Gamma };

private Q_SLOTS:
    void init();
    void cleanup();

    void matrixPathWritesExactCtm_data();
    void matrixPathWritesExactCtm();
    void clampsAndRounds_data();
    void clampsAndRounds();
    void neutralRestoresOriginals_data();
    void neutralRestoresOriginals();
    void resetRestoresOnlyOnce_data();
    void resetRestoresOnlyOnce();
    void gammaPathScalesOriginalRamp_data();
    void gammaPathScalesOriginalRamp();
    void calibrationLoadedWhileNeutralIsKept();
    void everyActiveOutputNeedsCtm();
    void refusedCtmFallsBackToGamma();
    void equalColourWritesNothing_data();
    void equalColourWritesNothing();
    void hiddenAndShown_data();
    void hiddenAndShown();
    void showingWhileNeutralWritesNothing();
    void outsideResetIsReasserted_data();
    void outsideResetIsReasserted();
    void neutralStopsReasserting();
    void screenLeftToAProgramThatKeepsChangingIt_data();
    void screenLeftToAProgramThatKeepsChangingIt();
    void cscMatrixAndCapabilities_data();
    void cscMatrixAndCapabilities();
    void screensChangedResyncsOnNextTurn();
    void outputSwitchedOffAndOn();
    void destroyedWithResyncPending();
    void revealIsNotAvailable();
    void noDisplay_data();
    void noDisplay();

private:
    void makeEngine();
    void prepare(Path path);
    void settle();
    XRandrProbe::CtmItems originalCtm(int head) const;
    static XRandrProbe::CtmItems expectedCtm(qint64 temperature, qint64 saturation);
    static GammaRamp expectedRamp(const GammaRamp &original, qint64 temperature);
    bool showsColour(qint64 temperature, qint64 saturation, Path path);
    bool showsOriginals();

    std::unique_ptr<XRandrProbe> m_probe;
    QList<XRandrProbe::Head> m_heads;
    QList<GammaRamp> m_originalRamps;
    XRandrColorStage *m_stage = nullptr;
    std::unique_ptr<DisplayColorEngine> m_engine;
};

Q_DECLARE_METATYPE(TestDisplayColorEngine::Path)
Q_DECLARE_METATYPE(GammaRamp)

void TestDisplayColorEngine::init()
{
    m_probe = std::make_unique<XRandrProbe>();
    QVERIFY2(m_probe->isOpen(), "needs an X server");
    m_heads = m_probe->heads();
    QCOMPARE(m_heads.size(), 2);
    // Each screen starts with its own calibration and no CTM.
    m_originalRamps = {calibrationRamp(256, 0.9, 1.0, 1.1), calibrationRamp(256, 1.2, 1.1, 1.0)};
    for (int i = 0; i < m_heads.size(); ++i) {
        m_probe->enable(m_heads[i]);
        m_probe->deleteCtm(m_heads[i]);
        m_probe->setGamma(m_heads[i], m_originalRamps[i]);
    }
}

void TestDisplayColorEngine::cleanup()
{
    m_engine.reset();
    m_stage = nullptr;
    m_probe.reset();
}

void TestDisplayColorEngine::makeEngine()
{
    auto stage = std::make_unique<XRandrColorStage>();
    m_stage = stage.get();
    m_engine = std::make_unique<DisplayColorEngine>(std::move(stage));
}

// The matrix path stands for a KMS driver that exposes a CTM, already
// holding a value of its own that must come back on neutral.
void TestDisplayColorEngine::prepare(Path path)
{
    if (path == Path::Matrix) {
        for (int i = 0; i < m_heads.size(); ++i)
            m_probe->setCtm(m_heads[i], originalCtm(i));
    }
    makeEngine();
}

// The engine only flushes its writes; the server may still hold them when
// the test reads, or writes behind the engine's back, on its own connection.
void TestDisplayColorEngine::settle()
{
    m_stage->sync();
    m_probe->sync();
}

XRandrProbe::CtmItems TestDisplayColorEngine::originalCtm(int head) const
{
    if (head != 0)
        return XRandrProbe::identityCtm();
    XRandrProbe::CtmItems items{};
    items[0] = items[8] = items[16] = 0xc0000000u; // 0.75 on the diagonal
    return items;
}

// S31.32 sign-magnitude, low word first, from the definition.
XRandrProbe::CtmItems TestDisplayColorEngine::expectedCtm(qint64 temperature, qint64 saturation)
{
    const ColorMatrix4x5 m = ColorMath::colorMatrix(temperature, saturation);
    const float values[9] = {m.m11, m.m12, m.m13, m.m21, m.m22, m.m23, m.m31, m.m32, m.m33};
    XRandrProbe::CtmItems items{};
    for (int i = 0; i < 9; ++i) {
        const quint64 magnitude = quint64(std::llround(std::fabs(double(values[i])) * 4294967296.0));
        items[2 * i] = quint32(magnitude % 4294967296u);
        items[2 * i + 1] = quint32(magnitude / 4294967296u) + (values[i] < 0 && magnitude ? 0x80000000u : 0u);
    }
    return items;
}

GammaRamp TestDisplayColorEngine::expectedRamp(const GammaRamp &original, qint64 temperature)
{
    const WhitePoint white = ColorMath::whitePoint(temperature);
    GammaRamp ramp;
    for (qsizetype i = 0; i < original.size(); ++i) {
        ramp.red.append(quint16(std::lround(double(white.r) * original.red[i])));
        ramp.green.append(quint16(std::lround(double(white.g) * original.green[i])));
        ramp.blue.append(quint16(std::lround(double(white.b) * original.blue[i])));
    }
    return ramp;
}

bool TestDisplayColorEngine::showsColour(qint64 temperature, qint64 saturation, Path path)
{
    settle();
    for (int i = 0; i < m_heads.size(); ++i) {
        if (path == Path::Matrix) {
            if (m_probe->ctm(m_heads[i]) != expectedCtm(temperature, saturation)
                || m_probe->gamma(m_heads[i]) != m_originalRamps[i])
                return false;
        } else if (m_probe->gamma(m_heads[i]) != expectedRamp(m_originalRamps[i], temperature)) {
            return false;
        }
    }
    return true;
}

bool TestDisplayColorEngine::showsOriginals()
{
    settle();
    for (int i = 0; i < m_heads.size(); ++i) {
        if (m_probe->gamma(m_heads[i]) != m_originalRamps[i])
            return false;
        const auto ctm = m_probe->ctm(m_heads[i]);
        if (ctm && *ctm != originalCtm(i))
            return false;
    }
    return true;
}

void TestDisplayColorEngine::matrixPathWritesExactCtm_data()
{
    QTest::addColumn<qint64>("temperature");
    QTest::addColumn<qint64>("saturation");
    QTest::addColumn<bool>("negative");
    QTest::newRow("candle") << qint64(1800) << qint64(90) << false;
    QTest::newRow("black-white") << qint64(6500) << qint64(0) << false;
    QTest::newRow("vivid") << qint64(6500) << qint64(160) << true;
}

void TestDisplayColorEngine::matrixPathWritesExactCtm()
{
    QFETCH(qint64, temperature);
    QFETCH(qint64, saturation);
    QFETCH(bool, negative);
    prepare(Path::Matrix);

    m_engine->applyColor(temperature, saturation);
    QVERIFY(!m_engine->usingGammaFallback());
    QVERIFY(showsColour(temperature, saturation, Path::Matrix));

    // Negative coefficients carry the sign bit in the high word, with the
    // magnitude (not the two's complement) in the rest.
    const XRandrProbe::CtmItems items = *m_probe->ctm(m_heads[0]);
    const ColorMatrix4x5 m = ColorMath::colorMatrix(temperature, saturation);
    const bool signSet = (items[2] != 0 || items[3] != 0) && (items[3] & 0x80000000u);
    QCOMPARE(signSet, negative);
    if (negative) {
        QVERIFY(m.m12 < 0);
        const quint64 magnitude = (quint64(items[3] & 0x7fffffffu) << 32) | items[2];
        QCOMPARE(magnitude, quint64(std::llround(-double(m.m12) * 4294967296.0)));
    }
    for (const XRandrProbe::Head &head : std::as_const(m_heads))
        QCOMPARE(m_engine->matrixGeneration(head.outputKey), quint64(1));
}

void TestDisplayColorEngine::clampsAndRounds_data()
{
    QTest::addColumn<qint64>("temperature");
    QTest::addColumn<qint64>("saturation");
    QTest::addColumn<qint64>("storedTemperature");
    QTest::addColumn<qint64>("storedSaturation");
    QTest::newRow("6549 K 102 % is neutral") << qint64(6549) << qint64(102) << qint64(6500) << qint64(100);
    QTest::newRow("6550 K rounds up") << qint64(6550) << qint64(100) << qint64(6600) << qint64(100);
    QTest::newRow("0 K 300 %") << qint64(0) << qint64(300) << qint64(1000) << qint64(200);
    QTest::newRow("7100 K 3 %") << qint64(7100) << qint64(3) << qint64(7000) << qint64(5);
    QTest::newRow("saturation 2") << qint64(6500) << qint64(2) << qint64(6500) << qint64(0);
}

void TestDisplayColorEngine::clampsAndRounds()
{
    QFETCH(qint64, temperature);
    QFETCH(qint64, saturation);
    QFETCH(qint64, storedTemperature);
    QFETCH(qint64, storedSaturation);
    prepare(Path::Matrix);
    m_engine->applyColor(1800, 90);

    m_engine->applyColor(temperature, saturation);
    QCOMPARE(m_engine->currentTemperature(), storedTemperature);
    QCOMPARE(m_engine->currentSaturation(), storedSaturation);
    if (ColorMath::isNeutral(storedTemperature, storedSaturation)) {
        QVERIFY(showsOriginals());
        QVERIFY(!m_engine->isReasserting());
    } else {
        QVERIFY(showsColour(storedTemperature, storedSaturation, Path::Matrix));
    }
}

void TestDisplayColorEngine::neutralRestoresOriginals_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<bool>("byReset");
    QTest::newRow("matrix, neutral colour") << Path::Matrix << false;
    QTest::newRow("matrix, reset") << Path::Matrix << true;
    QTest::newRow("gamma, neutral colour") << Path::Gamma << false;
    QTest::newRow("gamma, reset") << Path::Gamma << true;
}

void TestDisplayColorEngine::neutralRestoresOriginals()
{
    QFETCH(Path, path);
    QFETCH(bool, byReset);
    prepare(path);

    m_engine->applyColor(1800, 90);
    QCOMPARE(m_engine->usingGammaFallback(), path == Path::Gamma);
    QVERIFY(showsColour(1800, 90, path));

    if (byReset)
        m_engine->reset();
    else
        m_engine->applyColor(6500, 100);
    QVERIFY(showsOriginals());
    QVERIFY(!m_engine->usingGammaFallback());
    QCOMPARE(m_engine->currentTemperature(), qint64(6500));
    QCOMPARE(m_engine->currentSaturation(), qint64(100));
}

void TestDisplayColorEngine::resetRestoresOnlyOnce_data()
{
    QTest::addColumn<Path>("path");
    QTest::newRow("matrix") << Path::Matrix;
    QTest::newRow("gamma") << Path::Gamma;
}

// After the first reset the colour belongs to the system again; a second
// reset must not put an old value over what another program set since.
void TestDisplayColorEngine::resetRestoresOnlyOnce()
{
    QFETCH(Path, path);
    prepare(path);
    m_engine->applyColor(2700, 100);
    m_engine->reset();
    QVERIFY(showsOriginals());

    const GammaRamp other = calibrationRamp(256, 2.0, 2.0, 2.0);
    m_probe->setGamma(m_heads[0], other);
    if (path == Path::Matrix)
        m_probe->setCtm(m_heads[0], XRandrProbe::identityCtm());
    m_engine->reset();
    settle();
    QCOMPARE(m_probe->gamma(m_heads[0]), other);
    if (path == Path::Matrix)
        QCOMPARE(m_probe->ctm(m_heads[0]), XRandrProbe::identityCtm());
}

void TestDisplayColorEngine::gammaPathScalesOriginalRamp_data()
{
    QTest::addColumn<GammaRamp>("original");
    QTest::addColumn<GammaRamp>("scaledFrom");
    const GammaRamp linear = calibrationRamp(256, 1.0, 1.0, 1.0);
    const GammaRamp calibrated = calibrationRamp(256, 0.8, 1.25, 1.6);
    const GammaRamp blank{QList<quint16>(256, 0), QList<quint16>(256, 0), QList<quint16>(256, 0)};
    QTest::newRow("linear") << linear << linear;
    QTest::newRow("calibrated") << calibrated << calibrated;
    // Xvfb starts with an all-zero ramp; no display shows that on purpose.
    QTest::newRow("blank reads as linear") << blank << linear;
}

void TestDisplayColorEngine::gammaPathScalesOriginalRamp()
{
    QFETCH(GammaRamp, original);
    QFETCH(GammaRamp, scaledFrom);
    for (const XRandrProbe::Head &head : std::as_const(m_heads))
        m_probe->setGamma(head, original);
    makeEngine();

    m_engine->applyColor(1800, 90);
    QVERIFY(m_engine->usingGammaFallback());
    settle();
    for (const XRandrProbe::Head &head : std::as_const(m_heads)) {
        QCOMPARE(m_probe->gamma(head), expectedRamp(scaledFrom, 1800));
        QCOMPARE(m_engine->gammaGeneration(head.crtcKey), quint64(1));
    }

    // Saturation has no effect on this path: the same ramp, not even rewritten.
    m_engine->applyColor(1800, 0);
    settle();
    QCOMPARE(m_probe->gamma(m_heads[1]), expectedRamp(scaledFrom, 1800));
    QCOMPARE(m_engine->gammaGeneration(m_heads[1].crtcKey), quint64(1));

    m_engine->applyColor(6500, 100);
    settle();
    for (const XRandrProbe::Head &head : std::as_const(m_heads))
        QCOMPARE(m_probe->gamma(head), original);
}

// While neutral the colour belongs to the system: a calibration loaded then
// is what the next tint multiplies and what the next neutral puts back.
void TestDisplayColorEngine::calibrationLoadedWhileNeutralIsKept()
{
    makeEngine();
    m_engine->applyColor(1800, 90);
    m_engine->applyColor(6500, 100);
    QVERIFY(showsOriginals());

    m_originalRamps[0] = calibrationRamp(256, 0.6, 0.7, 0.8);
    m_probe->setGamma(m_heads[0], m_originalRamps[0]);
    m_engine->applyColor(1800, 90);
    QVERIFY(showsColour(1800, 90, Path::Gamma));
    m_engine->reset();
    QVERIFY(showsOriginals());
}

// A CTM on one output only is not enough: the gamma path colours both. When
// the other output gains one and the server announces a screen change, the
// engine moves to the matrix path by itself.
void TestDisplayColorEngine::everyActiveOutputNeedsCtm()
{
    m_probe->setCtm(m_heads[0], originalCtm(0));
    makeEngine();
    m_engine->applyColor(3400, 100);
    QVERIFY(m_engine->usingGammaFallback());
    QVERIFY(showsColour(3400, 100, Path::Gamma));
    QCOMPARE(m_probe->ctm(m_heads[0]), originalCtm(0));

    m_probe->setCtm(m_heads[1], originalCtm(1));
    m_probe->disable(m_heads[1]);
    m_probe->enable(m_heads[1]);
    QTRY_VERIFY(!m_engine->usingGammaFallback());
    QVERIFY(showsColour(3400, 100, Path::Matrix));
}

// A driver that does not take the CTM a client writes (here: it only reaches
// the pending value, so the read-back differs) sends both screens to the
// gamma path, once and for good, instead of a rewrite on every check.
void TestDisplayColorEngine::refusedCtmFallsBackToGamma()
{
    for (int i = 0; i < m_heads.size(); ++i)
        m_probe->setCtm(m_heads[i], originalCtm(i));
    m_probe->holdCtmPending(m_heads[1]);
    StderrCapture log;
    makeEngine();
    m_engine->setReassertInterval(std::chrono::milliseconds(50));

    m_engine->applyColor(2300, 100);
    QVERIFY(m_engine->usingGammaFallback());
    QVERIFY(showsColour(2300, 100, Path::Gamma));
    QCOMPARE(m_probe->ctm(m_heads[0]), originalCtm(0));
    QCOMPARE(m_probe->ctm(m_heads[1]), originalCtm(1));
    // Nor does the refused value wait for the next mode set.
    QCOMPARE(m_probe->ctm(m_heads[1], true), originalCtm(1));

    // Several checks pass (one puts back a ramp replaced from outside), and
    // another colour comes: the matrix is never tried again.
    m_probe->setGamma(m_heads[1], calibrationRamp(256, 1.0, 1.0, 1.0));
    QTRY_VERIFY(showsColour(2300, 100, Path::Gamma));
    m_engine->applyColor(3400, 90);
    QVERIFY(m_engine->usingGammaFallback());
    QVERIFY(showsColour(3400, 90, Path::Gamma));
    QCOMPARE(m_engine->matrixGeneration(m_heads[1].outputKey), quint64(0));
    QCOMPARE(m_probe->ctm(m_heads[1], true), originalCtm(1));

    const QStringList lines = log.take();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(m_heads[1].outputKey), qPrintable(lines.first()));
}

void TestDisplayColorEngine::equalColourWritesNothing_data()
{
    QTest::addColumn<Path>("path");
    QTest::newRow("matrix") << Path::Matrix;
    QTest::newRow("gamma") << Path::Gamma;
}

void TestDisplayColorEngine::equalColourWritesNothing()
{
    QFETCH(Path, path);
    prepare(path);
    const QString key = path == Path::Matrix ? m_heads[0].outputKey : m_heads[0].crtcKey;
    auto generation = [&] {
        return path == Path::Matrix ? m_engine->matrixGeneration(key) : m_engine->gammaGeneration(key);
    };

    m_engine->applyColor(1800, 90);
    QCOMPARE(generation(), quint64(1));

    // Changed behind the engine's back: an equal colour sends nothing to the
    // server, so the outside value stays (until the periodic check).
    const GammaRamp outside = calibrationRamp(256, 1.0, 1.0, 1.0);
    settle();
    m_probe->setGamma(m_heads[0], outside);
    m_probe->setCtm(m_heads[0], XRandrProbe::identityCtm());
    m_engine->applyColor(1800, 90);
    m_engine->applyColor(1849, 92);
    QCOMPARE(generation(), quint64(1));
    settle();
    QCOMPARE(m_probe->gamma(m_heads[0]), outside);
    QCOMPARE(m_probe->ctm(m_heads[0]), XRandrProbe::identityCtm());

    m_engine->applyColor(2700, 90);
    QCOMPARE(generation(), quint64(2));
}

void TestDisplayColorEngine::hiddenAndShown_data()
{
    QTest::addColumn<Path>("path");
    QTest::newRow("matrix") << Path::Matrix;
    QTest::newRow("gamma") << Path::Gamma;
}

void TestDisplayColorEngine::hiddenAndShown()
{
    QFETCH(Path, path);
    prepare(path);
    m_engine->applyColor(1800, 90);

    m_engine->setOverlaysHidden(true);
    QVERIFY(m_engine->overlaysTemporarilyHidden());
    QVERIFY(showsOriginals());
    QCOMPARE(m_engine->currentTemperature(), qint64(1800));
    QVERIFY(!m_engine->isReasserting());

    // A colour chosen while hidden is remembered, not shown.
    m_engine->applyColor(4000, 150);
    QVERIFY(showsOriginals());
    QCOMPARE(m_engine->currentTemperature(), qint64(4000));

    m_engine->setOverlaysHidden(false);
    QVERIFY(!m_engine->overlaysTemporarilyHidden());
    QVERIFY(showsColour(4000, 150, path));
    QVERIFY(m_engine->isReasserting());
}

void TestDisplayColorEngine::showingWhileNeutralWritesNothing()
{
    prepare(Path::Matrix);
    m_engine->setOverlaysHidden(true);
    m_engine->setOverlaysHidden(false);
    QVERIFY(showsOriginals());
    QCOMPARE(m_engine->matrixGeneration(m_heads[0].outputKey), quint64(0));
    QCOMPARE(m_engine->gammaGeneration(m_heads[0].crtcKey), quint64(0));
}

void TestDisplayColorEngine::outsideResetIsReasserted_data()
{
    QTest::addColumn<Path>("path");
    QTest::newRow("matrix") << Path::Matrix;
    QTest::newRow("gamma") << Path::Gamma;
}

// Another program (a game, `xrandr --gamma`) puts a linear ramp or an
// identity CTM back; the engine notices within 5 s with its own settings.
void TestDisplayColorEngine::outsideResetIsReasserted()
{
    QFETCH(Path, path);
    prepare(path);
    QVERIFY(m_engine->reassertInterval() <= std::chrono::milliseconds(4000));
    m_engine->applyColor(2300, 100);
    QVERIFY(m_engine->isReasserting());

    settle();
    if (path == Path::Matrix)
        m_probe->setCtm(m_heads[1], XRandrProbe::identityCtm());
    else
        m_probe->setGamma(m_heads[1], calibrationRamp(256, 1.0, 1.0, 1.0));
    QVERIFY(!showsColour(2300, 100, path));
    QTRY_VERIFY_WITH_TIMEOUT(showsColour(2300, 100, path), 5000);

    const quint64 rewritten = path == Path::Matrix ? m_engine->matrixGeneration(m_heads[1].outputKey)
                                                   : m_engine->gammaGeneration(m_heads[1].crtcKey);
    QCOMPARE(rewritten, quint64(2));
    const quint64 untouched = path == Path::Matrix ? m_engine->matrixGeneration(m_heads[0].outputKey)
                                                   : m_engine->gammaGeneration(m_heads[0].crtcKey);
    QCOMPARE(untouched, quint64(1));
}

void TestDisplayColorEngine::neutralStopsReasserting()
{
    prepare(Path::Gamma);
    m_engine->setReassertInterval(std::chrono::milliseconds(50));
    m_engine->applyColor(2300, 100);
    QVERIFY(m_engine->isReasserting());
    m_engine->applyColor(6500, 100);
    QVERIFY(!m_engine->isReasserting());

    const GammaRamp outside = calibrationRamp(256, 3.0, 3.0, 3.0);
    settle();
    m_probe->setGamma(m_heads[0], outside);
    QTest::qWait(300);
    settle();
    QCOMPARE(m_probe->gamma(m_heads[0]), outside);
}

// Another program (a night light, a calibration loader) writes the same ramp
// again and again: the third time within a minute the engine stops, says so
// once, and a new colour takes the screen back.
void TestDisplayColorEngine::screenLeftToAProgramThatKeepsChangingIt_data()
{
    QTest::addColumn<bool>("thenStandard");
    QTest::newRow("a new colour takes it back") << false;
    QTest::newRow("Standard leaves it to them") << true;
}

void TestDisplayColorEngine::screenLeftToAProgramThatKeepsChangingIt()
{
    QFETCH(bool, thenStandard);
    prepare(Path::Gamma);
    m_engine->setReassertInterval(std::chrono::milliseconds(50));
    QSignalSpy notices(m_engine.get(), &DisplayColorEngine::noticeRaised);
    m_engine->applyColor(2300, 100);
    const GammaRamp theirs = calibrationRamp(256, 1.0, 1.0, 1.0);
    for (int replaced = 1; replaced < DisplayColorEngine::replacementsBeforeYielding; ++replaced) {
        settle();
        m_probe->setGamma(m_heads[1], theirs);
        QTRY_VERIFY_WITH_TIMEOUT(showsColour(2300, 100, Path::Gamma), 5000);
    }
    QCOMPARE(notices.size(), 0);
    settle();
    m_probe->setGamma(m_heads[1], theirs);
    QTRY_COMPARE_WITH_TIMEOUT(notices.size(), 1, 5000);
    QVERIFY2(notices.first().first().toString().contains(m_heads[1].outputKey),
             qPrintable(notices.first().first().toString()));
    settle();
    QCOMPARE(m_probe->gamma(m_heads[1]), theirs);
    QCOMPARE(m_probe->gamma(m_heads[0]), expectedRamp(m_originalRamps[0], 2300));

    if (thenStandard) {
        // Only what is still ours goes back: the other program's ramp stays.
        m_engine->applyColor(6500, 100);
        QCOMPARE(m_probe->gamma(m_heads[0]), m_originalRamps[0]);
        QCOMPARE(m_probe->gamma(m_heads[1]), theirs);
        return;
    }
    m_engine->applyColor(3000, 100);
    QVERIFY(showsColour(3000, 100, Path::Gamma));
    // Taken back: the count starts again, one replacement is simply undone.
    settle();
    m_probe->setGamma(m_heads[1], theirs);
    QTRY_VERIFY_WITH_TIMEOUT(showsColour(3000, 100, Path::Gamma), 5000);
    QCOMPARE(notices.size(), 1);
}

// NVIDIA's driver: CscMatrix where there is no CTM. The matrix path needs a
// matrix of either kind on every output; the driver's own value comes back.
void TestDisplayColorEngine::cscMatrixAndCapabilities_data()
{
    QTest::addColumn<QStringList>("matrices");
    QTest::addColumn<bool>("matrixPath");
    QTest::newRow("CscMatrix on both") << QStringList{QStringLiteral("csc"), QStringLiteral("csc")} << true;
    QTest::newRow("CscMatrix and CTM") << QStringList{QStringLiteral("csc"), QStringLiteral("ctm")} << true;
    QTest::newRow("CscMatrix on one only") << QStringList{QStringLiteral("csc"), QString()} << false;
}

void TestDisplayColorEngine::cscMatrixAndCapabilities()
{
    QFETCH(QStringList, matrices);
    QFETCH(bool, matrixPath);
    const QList<qint32> identity{65536, 0, 0, 0, 0, 65536, 0, 0, 0, 0, 65536, 0};
    for (int i = 0; i < m_heads.size(); ++i) {
        if (matrices[i] == QStringLiteral("csc"))
            m_probe->setCscMatrix(m_heads[i], identity);
        else if (matrices[i] == QStringLiteral("ctm"))
            m_probe->setCtm(m_heads[i], originalCtm(i));
    }
    makeEngine();
    ScreenColorCapabilities expected;
    for (const XRandrProbe::Head &head : std::as_const(m_heads)) {
        expected.append(matrixPath ? ScreenColorCapability{head.outputKey, ScreenColorPath::ColorMatrix, true}
                                   : ScreenColorCapability{head.outputKey, ScreenColorPath::Gamma, false});
    }
    QCOMPARE(m_engine->screenCapabilities(), expected);

    m_engine->applyColor(6500, 160);
    settle();
    QCOMPARE(*m_probe->cscMatrix(m_heads[0]) != identity, matrixPath);
    QCOMPARE(m_probe->gamma(m_heads[0]), matrixPath ? m_originalRamps[0] : expectedRamp(m_originalRamps[0], 6500));
    m_engine->applyColor(6500, 100);
    settle();
    QCOMPARE(*m_probe->cscMatrix(m_heads[0]), identity);
    QVERIFY(showsOriginals());
}

// Qt's screen notifications arrive through this slot; the work runs on the
// next turn of the event loop, not inside the notification.
void TestDisplayColorEngine::screensChangedResyncsOnNextTurn()
{
    makeEngine();
    m_engine->applyColor(1800, 90);
    QVERIFY(m_engine->usingGammaFallback());

    settle();
    for (int i = 0; i < m_heads.size(); ++i)
        m_probe->setCtm(m_heads[i], originalCtm(i));
    m_engine->screensChanged();
    m_engine->screensChanged();
    QVERIFY(m_engine->usingGammaFallback());
    QTRY_VERIFY(!m_engine->usingGammaFallback());
    QVERIFY(showsColour(1800, 90, Path::Matrix));
    QCOMPARE(m_engine->matrixGeneration(m_heads[0].outputKey), quint64(1));
}

// An output switched off loses its record, like an unplugged screen its
// overlay; switched on again it gets the current colour.
void TestDisplayColorEngine::outputSwitchedOffAndOn()
{
    makeEngine();
    m_engine->applyColor(2000, 100);
    QCOMPARE(m_engine->gammaGeneration(m_heads[1].crtcKey), quint64(1));

    settle();
    m_probe->disable(m_heads[1]);
    m_probe->setGamma(m_heads[1], m_originalRamps[1]);
    QTRY_COMPARE(m_engine->gammaGeneration(m_heads[1].crtcKey), quint64(0));
    settle();
    QCOMPARE(m_probe->gamma(m_heads[1]), m_originalRamps[1]);

    m_probe->enable(m_heads[1]);
    QTRY_COMPARE(m_engine->gammaGeneration(m_heads[1].crtcKey), quint64(1));
    QVERIFY(showsColour(2000, 100, Path::Gamma));
}

void TestDisplayColorEngine::destroyedWithResyncPending()
{
    makeEngine();
    m_engine->applyColor(2000, 100);
    m_engine->screensChanged();
    m_probe->disable(m_heads[1]);
    m_probe->enable(m_heads[1]);
    m_engine.reset();
    m_stage = nullptr;
    QTest::qWait(100);
    // The stage went with the engine and put the originals back.
    m_probe->sync();
    QCOMPARE(m_probe->gamma(m_heads[0]), m_originalRamps[0]);
}

void TestDisplayColorEngine::revealIsNotAvailable()
{
    prepare(Path::Matrix);
    m_engine->applyColorWithReveal(1800, 90, QPointF(100, 100), 0.5);
    m_engine->clearRevealMasks();
    QVERIFY(showsOriginals());
    QCOMPARE(m_engine->currentTemperature(), qint64(6500));
    QVERIFY(m_engine->overlayWindowIDs().isEmpty());
}

void TestDisplayColorEngine::noDisplay_data()
{
    QTest::addColumn<QByteArray>("display");
    QTest::newRow("DISPLAY unset") << QByteArray();
    int unused = 90;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unused)))
        ++unused;
    QTest::newRow("nobody listening") << QByteArray(":" + QByteArray::number(unused));
}

void TestDisplayColorEngine::noDisplay()
{
    QFETCH(QByteArray, display);
    const QByteArray saved = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    auto stage = std::make_unique<XRandrColorStage>(display);
    qputenv("DISPLAY", saved);
    QVERIFY(!stage->isAvailable());
    XRandrColorStage *raw = stage.get();
    DisplayColorEngine engine(std::move(stage));

    engine.applyColor(1800, 90);
    QCOMPARE(engine.currentTemperature(), qint64(1800));
    QVERIFY(engine.usingGammaFallback());
    QVERIFY(!engine.isReasserting());
    engine.setOverlaysHidden(true);
    engine.setOverlaysHidden(false);
    engine.screensChanged();
    QTest::qWait(50);
    raw->sync();
    engine.reset();
    QVERIFY(!engine.usingGammaFallback());
    // The real display next door was never touched.
    m_probe->sync();
    QCOMPARE(m_probe->gamma(m_heads[0]), m_originalRamps[0]);
    QCOMPARE(m_probe->ctm(m_heads[0]), std::nullopt);
}

QTEST_GUILESS_MAIN(TestDisplayColorEngine)
#include "tst_displaycolorengine.moc"
