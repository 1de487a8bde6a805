// Halvoscope's KWin effect on a real KWin, run by scripts/desktop-session.sh
// --stripes --prefix (the effect installed there): the stage the platform
// factory picks, driven through the colour engine and measured in KWin's own
// screenshots; then the real application's SIGTERM and kill -9. KWin 6 on
// Wayland here refuses the effect: there the night light takes over, marked
// so on the capability lines.

#include "core/halvopreset.h"
#include "desktopapp.h"
#include "desktopscreen.h"
#include "engines/displaycolorengine.h"
#include "platform/desktop/kwineffectstage.h"
#include "platform/desktop/kwinnightlightstage.h"
#include "platform/platformfactory.h"

#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>

namespace {

QByteArray kwinrc()
{
    QFile file(KWinNightLightStage::configPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool effectLoaded()
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"), QStringLiteral("/Effects"),
                                                       QStringLiteral("org.kde.kwin.Effects"),
                                                       QStringLiteral("isEffectLoaded"));
    call << KWinEffectStage::effectId;
    return QDBusConnection::sessionBus().call(call).arguments().value(0).toBool();
}

HalvoPreset preset(const QString &id)
{
    for (const HalvoPreset &p : HalvoPreset::builtInPresets()) {
        if (p.id == id)
            return p;
    }
    return HalvoPreset::builtInPresets().constFirst();
}

} // namespace

class TestKWinEffectDesktop : public QObject {
    Q_OBJECT

private:
    bool refusesEffect() const
    {
        return qEnvironmentVariable("HALVO_DESKTOP") == QLatin1String("kwin-wayland")
               && qEnvironmentVariable("HALVO_DESKTOP_VERSION").startsWith(u'6');
    }
    bool onWayland() const { return qEnvironmentVariable("HALVO_DESKTOP") == QLatin1String("kwin-wayland"); }

    QImage m_untouched;
    QByteArray m_kwinrc;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("HALVO_DESKTOP_RUN"), "run under scripts/desktop-session.sh");
        // KWin writes its own groups a little after it starts; then the
        // user's own settings, which every row must leave as they are.
        QTRY_VERIFY_WITH_TIMEOUT(kwinrc().contains("[Tiling]"), 20000);
        const bool plasma5 = qEnvironmentVariable("HALVO_DESKTOP_VERSION").startsWith(u'5');
        DesktopApp::onDesktop({plasma5 ? QStringLiteral("kwriteconfig5") : QStringLiteral("kwriteconfig6"),
                               QStringLiteral("--file"), QStringLiteral("kwinrc"), QStringLiteral("--group"),
                               QStringLiteral("Windows"), QStringLiteral("--key"), QStringLiteral("FocusPolicy"),
                               QStringLiteral("FocusFollowsMouse")});
        // An empty group of the effect's own, left by hand: it must stay too.
        QFile file(KWinNightLightStage::configPath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("\n[Effect-" + KWinEffectStage::effectId.toUtf8() + "]\n");
        file.close();
        m_kwinrc = kwinrc();
        QVERIFY(m_kwinrc.contains("FocusFollowsMouse"));
        if (refusesEffect())
            return;
        // KWin animates the striped window into full screen, for longer on a
        // loaded machine: untouched is the picture itself, once it is all there.
        m_untouched = DesktopScreen::stripesPicture();
        QVERIFY2(DesktopScreen::meanChroma(m_untouched) > 0.45, "run with --stripes");
        QTRY_VERIFY_WITH_TIMEOUT(DesktopScreen::captureDesktop() == m_untouched, 20000);
    }

    void effect_data()
    {
        QTest::addColumn<QString>("step");
        for (const char *step : {"choice", "black-white", "color-ink", "vivid", "candle", "ripple", "standard",
                                 "sigterm", "kill-relaunch"})
            QTest::newRow(step) << QString::fromLatin1(step);
    }

    void effect()
    {
        QFETCH(QString, step);
        const auto check = qScopeGuard([&] {
            QTRY_VERIFY_WITH_TIMEOUT(!effectLoaded(), 10000);
            QCOMPARE(kwinrc(), m_kwinrc);
        });
        std::unique_ptr<ColorStage> stage = createKWinColorStage(QDBusConnection::sessionBus());
        QVERIFY(stage);
        if (step == QLatin1String("choice")) {
            QCOMPARE(stage->matrixPath() == ScreenColorPath::CompositorFilter, !refusesEffect());
            if (refusesEffect())
                QCOMPARE(stage->gammaPath(), ScreenColorPath::NightLightAfterFilterRefused);
            return;
        }
        if (refusesEffect())
            QSKIP("KWin refuses the effect here; the night light's own test covers this desktop");
        const double untouched = DesktopScreen::meanChroma(m_untouched);
        DisplayColorEngine engine(std::move(stage));
        const auto shown = [] { return DesktopScreen::captureDesktop(); };
        const auto showPreset = [&engine](const QString &id) {
            engine.applyColor(preset(id).temperature, preset(id).saturation);
        };
        const auto undo = qScopeGuard([&engine] { engine.reset(); });
        // Vivid's matrix takes some stripes past full intensity, where it is clipped.
        const double vivid = untouched * 1.45;
        if (step == QLatin1String("black-white") || step == QLatin1String("color-ink")) {
            const double saturation = double(preset(step).saturation) / 100.0;
            showPreset(step);
            QTRY_VERIFY_WITH_TIMEOUT(qAbs(DesktopScreen::meanChroma(shown()) - untouched * saturation) < 0.02, 10000);
        } else if (step == QLatin1String("vivid")) {
            showPreset(step);
            QTRY_VERIFY_WITH_TIMEOUT(DesktopScreen::meanChroma(shown()) > vivid, 10000);
        } else if (step == QLatin1String("candle")) {
            showPreset(step);
            QTRY_VERIFY_WITH_TIMEOUT(DesktopScreen::blueRedRatio(shown()) < 0.4, 10000);
        } else if (step == QLatin1String("ripple")) {
            // A ring from the top right: on the way the screen shows neither end.
            showPreset(BuiltinPresetID::blackWhite);
            const HalvoPreset from = preset(BuiltinPresetID::blackWhite);
            const HalvoPreset to = preset(BuiltinPresetID::vivid);
            QVERIFY(engine.runTransition(from.temperature, from.saturation, to.temperature, to.saturation,
                                         QPointF(1270, 10), 3000, true));
            QList<double> seen;
            QElapsedTimer running;
            running.start();
            while (running.elapsed() < 2500)
                seen.append(DesktopScreen::meanChroma(shown()));
            QVERIFY2(std::any_of(seen.cbegin(), seen.cend(), [vivid](double c) { return c > 0.05 && c < vivid; }),
                     qPrintable(QDebug::toString(seen)));
            QTRY_VERIFY_WITH_TIMEOUT(DesktopScreen::meanChroma(shown()) > vivid, 10000);
        } else if (step == QLatin1String("standard")) {
            showPreset(BuiltinPresetID::vivid);
            QTRY_VERIFY(effectLoaded());
            showPreset(BuiltinPresetID::standard);
            QTRY_COMPARE_WITH_TIMEOUT(shown(), m_untouched, 10000);
        } else if (!onWayland()) {
            QSKIP("Halvoscope uses the effect in Wayland sessions only");
        } else {
            engine.reset();
            const bool kill = step == QLatin1String("kill-relaunch");
            QProcess app;
            DesktopApp::launch(app, kill ? BuiltinPresetID::blackWhite : BuiltinPresetID::vivid);
            QTRY_VERIFY_WITH_TIMEOUT(effectLoaded() && shown() != m_untouched, 30000);
            DesktopApp::stop(app, kill ? SIGKILL : SIGTERM);
            if (kill) {
                QVERIFY(effectLoaded());
                DesktopApp::launch(app, BuiltinPresetID::standard);
                QTRY_VERIFY_WITH_TIMEOUT(!effectLoaded(), 30000);
                DesktopApp::stop(app, SIGTERM);
            }
            QCOMPARE(app.exitStatus(), QProcess::NormalExit);
            QTRY_COMPARE_WITH_TIMEOUT(shown(), m_untouched, 10000);
        }
    }
};

QTEST_GUILESS_MAIN(TestKWinEffectDesktop)
#include "tst_desktop_kwineffect.moc"
