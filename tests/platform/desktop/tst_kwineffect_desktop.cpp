// Halvoscope's KWin effect on a real KWin, run by scripts/desktop-session.sh:
// the stage the platform factory picks, driven through the colour engine,
// measured in KWin's own screenshots of a pastel striped window this test
// shows; then the real application's SIGTERM and kill -9. KWin 6 on Wayland
// here refuses the effect: there the night light must take over, marked so.

#include "core/halvopreset.h"
#include "desktopscreen.h"
#include "engines/displaycolorengine.h"
#include "platform/desktop/kwineffectstage.h"
#include "platform/desktop/kwinnightlightstage.h"
#include "platform/platformfactory.h"

#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <QRasterWindow>
#include <QTest>

#include <signal.h>

namespace {

// Six stripes of chroma 0.4, so that more saturation shows as well as less.
class PastelStripes final : public QRasterWindow {
protected:
    void paintEvent(QPaintEvent *) override
    {
        const QRgb colours[] = {0xffcc6666, 0xffcccc66, 0xff66cc66, 0xff66cccc, 0xff6666cc, 0xffcc66cc};
        QPainter painter(this);
        for (int i = 0; i < 6; ++i)
            painter.fillRect(QRect(i * width() / 6, 0, width() / 6 + 1, height()), QColor::fromRgb(colours[i]));
    }
};

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

// The real application with the session's environment and `active` saved.
void launch(QProcess &app, const QString &active)
{
    const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Halvoscope");
    QVERIFY(QDir().mkpath(folder));
    QFile state(folder + QStringLiteral("/state.json"));
    QVERIFY(state.open(QIODevice::WriteOnly | QIODevice::Truncate));
    state.write(QJsonDocument(QJsonObject{{QStringLiteral("hasCompletedOnboarding"), true},
                                          {QStringLiteral("activeModeID"), active}})
                    .toJson());
    state.close();
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
    QVERIFY(app.waitForStarted());
}

void stop(QProcess &app, int signal)
{
    ::kill(static_cast<pid_t>(app.processId()), signal);
    QVERIFY(app.waitForFinished(20000));
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

    PastelStripes m_window;
    QImage m_untouched;
    QByteArray m_kwinrc;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("HALVO_DESKTOP_RUN"), "run under scripts/desktop-session.sh");
        // The user's own KWin settings, which every row must leave as they are.
        const bool plasma5 = qEnvironmentVariable("HALVO_DESKTOP_VERSION").startsWith(u'5');
        QProcess::execute(qEnvironmentVariable("HALVO_DESKTOP_RUN"),
                          {plasma5 ? QStringLiteral("kwriteconfig5") : QStringLiteral("kwriteconfig6"), QStringLiteral("--file"), QStringLiteral("kwinrc"),
                           QStringLiteral("--group"), QStringLiteral("Windows"), QStringLiteral("--key"),
                           QStringLiteral("FocusPolicy"), QStringLiteral("FocusFollowsMouse")});
        m_kwinrc = kwinrc();
        QVERIFY(m_kwinrc.contains("FocusFollowsMouse"));
        m_window.showFullScreen();
        if (refusesEffect())
            return;
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(DesktopScreen::meanChroma(m_untouched = DesktopScreen::captureDesktop()) - 0.4) < 0.01,
                                 20000);
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
        if (step == QLatin1String("black-white") || step == QLatin1String("color-ink")
            || step == QLatin1String("vivid")) {
            const double saturation = double(preset(step).saturation) / 100.0;
            showPreset(step);
            QTRY_VERIFY_WITH_TIMEOUT(qAbs(DesktopScreen::meanChroma(shown()) - untouched * saturation) < 0.02, 10000);
        } else if (step == QLatin1String("candle")) {
            showPreset(step);
            QTRY_VERIFY_WITH_TIMEOUT(DesktopScreen::blueRedRatio(shown()) < 0.4, 10000);
        } else if (step == QLatin1String("ripple")) {
            // A ring from the top right: half-way the screen is neither end.
            showPreset(BuiltinPresetID::blackWhite);
            const HalvoPreset vivid = preset(BuiltinPresetID::vivid);
            QVERIFY(engine.runStageTransition(vivid.temperature, vivid.saturation, QPointF(1270, 10), 3000, true));
            QTest::qWait(1500);
            const double halfway = DesktopScreen::meanChroma(shown());
            QVERIFY2(halfway > 0.05 && halfway < untouched * 1.55, qPrintable(QString::number(halfway)));
            QTRY_VERIFY_WITH_TIMEOUT(DesktopScreen::meanChroma(shown()) > untouched * 1.58, 10000);
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
            launch(app, kill ? BuiltinPresetID::blackWhite : BuiltinPresetID::vivid);
            QTRY_VERIFY_WITH_TIMEOUT(effectLoaded() && shown() != m_untouched, 30000);
            stop(app, kill ? SIGKILL : SIGTERM);
            if (kill) {
                QVERIFY(effectLoaded());
                launch(app, BuiltinPresetID::standard);
                QTRY_VERIFY_WITH_TIMEOUT(!effectLoaded(), 30000);
                stop(app, SIGTERM);
            }
            QCOMPARE(app.exitStatus(), QProcess::NormalExit);
            QTRY_COMPARE_WITH_TIMEOUT(shown(), m_untouched, 10000);
        }
        engine.reset();
    }
};

QTEST_MAIN(TestKWinEffectDesktop)
#include "tst_kwineffect_desktop.moc"
