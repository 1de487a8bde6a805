#include "core/halvostore.h"
#include "recordingengines.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kReading = QStringLiteral("custom-0000000a-0000-4000-8000-000000000001");
const QString kDim = QStringLiteral("custom-0000000b-0000-4000-8000-000000000002");
const QString kPlain = QStringLiteral("custom-0000000c-0000-4000-8000-000000000003");

// One store with recording engines over a state file in a temporary folder.
struct Rig : RecordingEngineSet {
    QTemporaryDir dir;
    QString statePath = dir.filePath(QStringLiteral("state/state.json"));
    std::shared_ptr<RecordingRippleEngine> ripple = std::make_shared<RecordingRippleEngine>(log);
    QTimeZone zone = QTimeZone(QByteArrayLiteral("Europe/Berlin"));
    QDateTime now = QDateTime(QDate(2026, 3, 10), QTime(12, 0), zone);
    HalvoStore::MainScreenGeometry mainScreen;
    bool withRipple = true;
    std::unique_ptr<HalvoStore> store;

    void seed(const HalvoPersistedState &state) { StatePersistence(statePath).save(state); }

    HalvoStore &make()
    {
        store.reset();
        store = std::make_unique<HalvoStore>(
            StatePersistence(statePath), color, brightness, keepAwake,
            withRipple ? std::shared_ptr<RippleTransitioning>(ripple) : nullptr,
            [this] { return now; }, loginItems, mainScreen);
        store->setCurrentCalendar(zone);
        log->calls.clear();
        return *store;
    }

    HalvoPersistedState saved() const { return StatePersistence(statePath).load(); }
    bool fileExists() const { return QFile::exists(statePath); }
    void removeFile() const { QFile::remove(statePath); }
};

HalvoPersistedState stateWithCustoms()
{
    HalvoPersistedState state;
    state.presets.append(HalvoPreset(kReading, QStringLiteral("Reading"), 5000, 100, 30, true));
    state.presets.append(HalvoPreset(kDim, QStringLiteral("Dim"), 4000, 100, 50, true));
    state.presets.append(HalvoPreset(kPlain, QStringLiteral("Plain"), 6500, 100, 40, true));
    return state;
}

qint64 epochMinutes(const QDateTime &moment)
{
    return moment.toMSecsSinceEpoch() / 60000;
}

} // namespace

class HalvoStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void constructionLoadsWithoutApplyingOrSaving();
    void activationBranch_data();
    void activationBranch();
    void immediateActivationCallOrder();
    void screenChangesBeforeTheStateFile();
    void animatedActivationAppliesInItsSteps();
    void secondAnimatedActivationWhileRippleRuns();
    void rippleStepsDoNothingOnceStoreIsGone();
    void rippleOrigin_data();
    void rippleOrigin();
    void unknownPresetChangesNothing();
    void brightnessSequenceKeepsFirstBaseline();
    void baselineSurvivesReload();
    void unreadableBrightnessRecordsNoBaseline();
    void reapplyDoesNotCancelRipple();
    void termination_data();
    void termination();
    void updatePresetClampsAppliesAndKeepsDefaults();
    void updatePresetBrightnessChange_data();
    void updatePresetBrightnessChange();
    void addCustomPresetCapturesAppliedColour();
    void renameOnlyCustom();
    void deletingActiveCustomUsedBySchedule();
    void hidingRules();
    void hiddenIDsFromFileActAsASet_data();
    void hiddenIDsFromFileActAsASet();
    void allHiddenShowsFirstPreset();
    void keepAwakeFailureAndClearing();
    void loginItemFailureAndClearing();
    void scheduleSwitchedOnInEveningAfterManualChange();
    void scheduleOffReturnsNothing();
    void savingFlagsSaveOnEveryAssignment();
    void notificationsOnlyOnRealChange();
};

void HalvoStoreTest::constructionLoadsWithoutApplyingOrSaving()
{
    Rig rig;
    rig.brightness->level = 64;
    HalvoPersistedState state = stateWithCustoms();
    state.activeModeID = kReading;
    state.hiddenPresetIDs = {QStringLiteral("vivid")};
    state.brightnessBaseline = 80;
    rig.seed(state);
    const QByteArray before = [&] {
        QFile f(rig.statePath);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    rig.store = std::make_unique<HalvoStore>(
        StatePersistence(rig.statePath), rig.color,
        rig.brightness, rig.keepAwake, rig.ripple,
        [&] { return rig.now; }, rig.loginItems);
    HalvoStore &store = *rig.store;
    QCOMPARE(rig.log->calls, QStringList{QStringLiteral("brightness.read")});
    QCOMPARE(store.activeModeID(), kReading);
    QCOMPARE(store.presets(), state.presets);
    QCOMPARE(store.hiddenPresetIDs(), QSet<QString>{QStringLiteral("vivid")});
    QCOMPARE(store.brightnessBaseline(), std::optional<qint64>(80));
    QCOMPARE(store.currentBrightness(), std::optional<qint64>(64));
    QCOMPARE(store.appliedTemperature(), qint64(6500));
    QCOMPARE(store.appliedSaturation(), qint64(100));
    QVERIFY(!store.keepAwakeEnabled());
    QVERIFY(!store.isTransitioning());
    QVERIFY(!store.errorMessage());
    QFile f(rig.statePath);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void HalvoStoreTest::activationBranch_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("animated");
    QTest::addColumn<bool>("animationEnabled");
    QTest::addColumn<bool>("withRipple");
    QTest::addColumn<bool>("expectRipple");

    QTest::newRow("animated colour change ripples") << "red-light" << true << true << true << true;
    QTest::newRow("not animated") << "red-light" << false << true << true << false;
    QTest::newRow("animation switched off") << "red-light" << true << false << true << false;
    QTest::newRow("no ripple engine") << "red-light" << true << true << false << false;
    QTest::newRow("same colour as applied") << "standard" << true << true << true << false;
    QTest::newRow("differs only in brightness") << kPlain << true << true << true << false;
}

void HalvoStoreTest::activationBranch()
{
    QFETCH(QString, target);
    QFETCH(bool, animated);
    QFETCH(bool, animationEnabled);
    QFETCH(bool, withRipple);
    QFETCH(bool, expectRipple);

    Rig rig;
    rig.withRipple = withRipple;
    rig.seed(stateWithCustoms());
    HalvoStore &store = rig.make();
    store.setAnimationEnabled(animationEnabled);
    rig.log->calls.clear();

    store.activatePreset(target, animated);
    const bool rippled = !rig.log->calls.filter(QStringLiteral("ripple.run")).isEmpty();
    QCOMPARE(rippled, expectRipple);
    QCOMPARE(store.isTransitioning(), expectRipple);
    QCOMPARE(store.activeModeID(), target);
    QCOMPARE(rig.saved().activeModeID, target);
    const HalvoPreset preset = *store.findPreset(target);
    const qint64 expectedApplied = expectRipple ? 6500 : preset.temperature;
    QCOMPARE(store.appliedTemperature(), expectedApplied);
}

void HalvoStoreTest::immediateActivationCallOrder()
{
    Rig rig;
    rig.brightness->level = 70;
    rig.make();
    rig.store->activatePreset(QStringLiteral("candle"), false);
    QCOMPARE(rig.log->calls, (QStringList{QStringLiteral("ripple.cancel"),
                                          QStringLiteral("color.apply 1800 90"),
                                          QStringLiteral("brightness.read")}));
    QCOMPARE(rig.store->appliedTemperature(), qint64(1800));
    QCOMPARE(rig.store->appliedSaturation(), qint64(90));
    QVERIFY(!rig.store->brightnessBaseline());

    // Re-activating the active preset re-saves, cancels and re-applies at once.
    rig.log->calls.clear();
    rig.removeFile();
    rig.store->activatePreset(QStringLiteral("candle"), true);
    QVERIFY(rig.fileExists());
    QCOMPARE(rig.log->calls.first(), QStringLiteral("ripple.cancel"));
    QCOMPARE(rig.log->calls.at(1), QStringLiteral("color.apply 1800 90"));
}

void HalvoStoreTest::screenChangesBeforeTheStateFile()
{
    Rig rig;
    rig.make();
    rig.removeFile();
    std::optional<bool> fileAtApply;
    rig.color->onApply = [&rig, &fileAtApply] { fileAtApply = rig.fileExists(); };
    rig.store->activatePreset(QStringLiteral("candle"), false);
    QCOMPARE(fileAtApply, std::optional<bool>(false));
    QCOMPARE(rig.saved().activeModeID, QStringLiteral("candle"));
}

void HalvoStoreTest::animatedActivationAppliesInItsSteps()
{
    Rig rig;
    rig.brightness->level = 70;
    rig.seed(stateWithCustoms());
    HalvoStore &store = rig.make();
    store.activatePreset(kReading, true);

    QVERIFY(store.isTransitioning());
    QCOMPARE(store.appliedTemperature(), qint64(6500));
    QCOMPARE(rig.log->calls.size(), 1);
    QVERIFY(rig.log->calls.first().startsWith(QStringLiteral("ripple.run 6500 100 -> 5000 100 refract=1")));
    QCOMPARE(rig.brightness->level, std::optional<qint64>(70));

    rig.ripple->finish();
    QVERIFY(!store.isTransitioning());
    QCOMPARE(store.appliedTemperature(), qint64(5000));
    QCOMPARE(rig.log->calls.mid(1), (QStringList{QStringLiteral("color.apply 5000 100"),
                                                 QStringLiteral("brightness.read"),
                                                 QStringLiteral("brightness.set 30")}));
    QCOMPARE(store.brightnessBaseline(), std::optional<qint64>(70));
    QCOMPARE(store.currentBrightness(), std::optional<qint64>(30));
}

void HalvoStoreTest::secondAnimatedActivationWhileRippleRuns()
{
    Rig rig;
    HalvoStore &store = rig.make();
    QSignalSpy transitioning(&store, &HalvoStore::isTransitioningChanged);

    store.activatePreset(QStringLiteral("red-light"), true);
    store.activatePreset(QStringLiteral("candle"), true);

    const QStringList runs = rig.log->calls.filter(QStringLiteral("ripple.run"));
    QCOMPARE(runs.size(), 2);
    // The first ripple never applied its target, so the second starts from the old colour.
    QVERIFY(runs.at(1).startsWith(QStringLiteral("ripple.run 6500 100 -> 1800 90")));
    QCOMPARE(store.appliedTemperature(), qint64(6500));
    QVERIFY(store.isTransitioning());
    QCOMPARE(transitioning.size(), 1);
    QVERIFY(rig.log->calls.filter(QStringLiteral("color.apply")).isEmpty());

    rig.ripple->finish();
    QCOMPARE(transitioning.size(), 2);
    QVERIFY(!store.isTransitioning());
    QCOMPARE(store.appliedTemperature(), qint64(1800));
    QCOMPARE(rig.log->calls.filter(QStringLiteral("color.apply")),
             QStringList{QStringLiteral("color.apply 1800 90")});
}

void HalvoStoreTest::rippleStepsDoNothingOnceStoreIsGone()
{
    Rig rig;
    rig.make();
    rig.store->activatePreset(QStringLiteral("red-light"), true);
    rig.store.reset();
    rig.log->calls.clear();
    rig.ripple->finish();
    QVERIFY(rig.log->calls.isEmpty());
}

void HalvoStoreTest::rippleOrigin_data()
{
    QTest::addColumn<bool>("hasScreen");
    QTest::addColumn<int>("provider"); // 0 none, 1 returns nothing, 2 returns a point
    QTest::addColumn<QPointF>("expected");

    QTest::newRow("main screen, no provider") << true << 0 << QPointF(1740, 12);
    QTest::newRow("main screen, provider without point") << true << 1 << QPointF(1740, 12);
    QTest::newRow("provider point wins") << true << 2 << QPointF(333, 4);
    QTest::newRow("no main screen") << false << 0 << QPointF(1200, 900);
    QTest::newRow("no main screen, provider without point") << false << 1 << QPointF(1200, 900);
}

void HalvoStoreTest::rippleOrigin()
{
    QFETCH(bool, hasScreen);
    QFETCH(int, provider);
    QFETCH(QPointF, expected);

    Rig rig;
    rig.mainScreen = [hasScreen]() -> std::optional<QRectF> {
        if (!hasScreen)
            return std::nullopt;
        return QRectF(0, 0, 1920, 1080);
    };
    HalvoStore &store = rig.make();
    if (provider == 1)
        store.setRippleOriginProvider([] { return std::optional<QPointF>(); });
    if (provider == 2)
        store.setRippleOriginProvider([] { return std::optional<QPointF>(QPointF(333, 4)); });

    store.activatePreset(QStringLiteral("vivid"), true);
    const QString run = rig.log->calls.filter(QStringLiteral("ripple.run")).value(0);
    QVERIFY(run.endsWith(QStringLiteral("origin=%1,%2").arg(expected.x()).arg(expected.y())));
}

void HalvoStoreTest::unknownPresetChangesNothing()
{
    Rig rig;
    HalvoStore &store = rig.make();
    rig.removeFile();
    store.activatePreset(QStringLiteral("no-such-preset"), true);
    QCOMPARE(store.activeModeID(), QStringLiteral("standard"));
    QVERIFY(rig.log->calls.isEmpty());
    QVERIFY(!rig.fileExists());
}

void HalvoStoreTest::brightnessSequenceKeepsFirstBaseline()
{
    Rig rig;
    rig.brightness->level = 70;
    rig.seed(stateWithCustoms());
    HalvoStore &store = rig.make();

    store.activatePreset(kReading, false); // 30 %
    QCOMPARE(store.brightnessBaseline(), std::optional<qint64>(70));
    QCOMPARE(rig.saved().brightnessBaseline, std::optional<qint64>(70));
    QCOMPARE(rig.brightness->level, std::optional<qint64>(30));
    QCOMPARE(store.currentBrightness(), std::optional<qint64>(30));

    store.activatePreset(kDim, false); // 50 %
    QCOMPARE(store.brightnessBaseline(), std::optional<qint64>(70));
    QCOMPARE(rig.brightness->level, std::optional<qint64>(50));

    store.activatePreset(QStringLiteral("standard"), false);
    QCOMPARE(rig.brightness->level, std::optional<qint64>(70));
    QCOMPARE(store.currentBrightness(), std::optional<qint64>(70));
    QVERIFY(!store.brightnessBaseline());
    QVERIFY(!rig.saved().brightnessBaseline);
}

void HalvoStoreTest::baselineSurvivesReload()
{
    Rig rig;
    rig.brightness->level = 70;
    rig.seed(stateWithCustoms());
    rig.make().activatePreset(kReading, false);
    // A crash: the next start finds the baseline in the file.
    HalvoStore &reloaded = rig.make();
    QCOMPARE(reloaded.brightnessBaseline(), std::optional<qint64>(70));
    QCOMPARE(reloaded.currentBrightness(), std::optional<qint64>(30));

    reloaded.activatePreset(QStringLiteral("candle"), false);
    QVERIFY(rig.log->calls.contains(QStringLiteral("brightness.set 70")));
    QCOMPARE(rig.brightness->level, std::optional<qint64>(70));
    QVERIFY(!reloaded.brightnessBaseline());
    QVERIFY(!rig.saved().brightnessBaseline);
}

void HalvoStoreTest::unreadableBrightnessRecordsNoBaseline()
{
    Rig rig;
    rig.seed(stateWithCustoms());
    HalvoStore &store = rig.make();
    rig.brightness->accepts = false;
    store.activatePreset(kReading, false);
    QVERIFY(!store.brightnessBaseline());
    QVERIFY(rig.log->calls.contains(QStringLiteral("brightness.set 30")));
    QVERIFY(!store.currentBrightness());
}

void HalvoStoreTest::reapplyDoesNotCancelRipple()
{
    Rig rig;
    rig.brightness->level = 55;
    HalvoPersistedState state;
    state.activeModeID = QStringLiteral("vivid");
    rig.seed(state);
    HalvoStore &store = rig.make();
    store.reapplyActivePreset();
    QCOMPARE(rig.log->calls, (QStringList{QStringLiteral("brightness.read"),
                                          QStringLiteral("color.apply 6500 160"),
                                          QStringLiteral("brightness.read")}));
    QCOMPARE(store.appliedSaturation(), qint64(160));
}

void HalvoStoreTest::termination_data()
{
    QTest::addColumn<bool>("withBaseline");
    QTest::addColumn<QStringList>("expectedCalls");
    QTest::newRow("with baseline")
        << true
        << QStringList{QStringLiteral("ripple.cancel"), QStringLiteral("keepAwake.set 0"),
                       QStringLiteral("brightness.set 70"), QStringLiteral("color.reset")};
    QTest::newRow("without baseline")
        << false
        << QStringList{QStringLiteral("ripple.cancel"), QStringLiteral("keepAwake.set 0"),
                       QStringLiteral("color.reset")};
}

void HalvoStoreTest::termination()
{
    QFETCH(bool, withBaseline);
    QFETCH(QStringList, expectedCalls);

    Rig rig;
    rig.brightness->level = 70;
    rig.seed(stateWithCustoms());
    HalvoStore &store = rig.make();
    store.setKeepAwake(true);
    if (withBaseline)
        store.activatePreset(kReading, false);
    rig.log->calls.clear();
    rig.removeFile();

    store.prepareForTermination();
    QCOMPARE(rig.log->calls, expectedCalls);
    QVERIFY(!store.keepAwakeEnabled());
    QVERIFY(!store.brightnessBaseline());
    // Only a restored baseline is worth a save.
    QCOMPARE(rig.fileExists(), withBaseline);
    if (withBaseline)
        QVERIFY(!rig.saved().brightnessBaseline);
}

void HalvoStoreTest::updatePresetClampsAppliesAndKeepsDefaults()
{
    Rig rig;
    HalvoStore &store = rig.make();
    store.activatePreset(QStringLiteral("red-light"), true); // a ripple is running
    rig.log->calls.clear();

    store.updatePreset(QStringLiteral("candle"), 2049, std::nullopt, BrightnessChange::leaveAlone());
    const HalvoPreset candle = *store.findPreset(QStringLiteral("candle"));
    QCOMPARE(candle.temperature, qint64(2000));
    QCOMPARE(candle.defaultTemperature, qint64(1800));
    QCOMPARE(store.activeModeID(), QStringLiteral("candle"));
    QVERIFY(!store.isTransitioning());
    QCOMPARE(rig.log->calls.mid(0, 2), (QStringList{QStringLiteral("ripple.cancel"),
                                                    QStringLiteral("color.apply 2000 90")}));
    QCOMPARE(rig.saved().presets.at(2).temperature, qint64(2000));

    store.updatePreset(QStringLiteral("candle"), std::nullopt, 203, BrightnessChange::leaveAlone());
    QCOMPARE(store.findPreset(QStringLiteral("candle"))->saturation, qint64(200));

    store.resetPreset(QStringLiteral("candle"));
    QCOMPARE(store.findPreset(QStringLiteral("candle"))->temperature, qint64(1800));
    QCOMPARE(store.findPreset(QStringLiteral("candle"))->saturation, qint64(90));
    QCOMPARE(rig.log->calls.last(), QStringLiteral("brightness.read"));
    QVERIFY(rig.log->calls.contains(QStringLiteral("color.apply 1800 90")));

    rig.removeFile();
    store.updatePreset(QStringLiteral("missing"), 3000, 50, BrightnessChange::setLevel(20));
    QVERIFY(!rig.fileExists());
}

void HalvoStoreTest::updatePresetBrightnessChange_data()
{
    QTest::addColumn<int>("change"); // 0 leave alone, 1 set level, 2 keep system level
    QTest::addColumn<qint64>("level");
    QTest::addColumn<std::optional<qint64>>("expectedBrightness");
    QTest::addColumn<std::optional<qint64>>("expectedDisplay");

    QTest::newRow("leave alone") << 0 << qint64(0) << std::optional<qint64>(30)
                                 << std::optional<qint64>(30);
    QTest::newRow("set level") << 1 << qint64(45) << std::optional<qint64>(45)
                               << std::optional<qint64>(45);
    QTest::newRow("set level clamps low") << 1 << qint64(0) << std::optional<qint64>(1)
                                          << std::optional<qint64>(1);
    QTest::newRow("set level clamps high") << 1 << qint64(180) << std::optional<qint64>(100)
                                           << std::optional<qint64>(100);
    QTest::newRow("keep system level restores baseline")
        << 2 << qint64(0) << std::optional<qint64>() << std::optional<qint64>(70);
}

void HalvoStoreTest::updatePresetBrightnessChange()
{
    QFETCH(int, change);
    QFETCH(qint64, level);
    QFETCH(std::optional<qint64>, expectedBrightness);
    QFETCH(std::optional<qint64>, expectedDisplay);

    Rig rig;
    rig.brightness->level = 70;
    rig.seed(stateWithCustoms());
    HalvoStore &store = rig.make();
    store.activatePreset(kReading, false); // baseline 70, display 30

    const BrightnessChange brightness = change == 0   ? BrightnessChange::leaveAlone()
                                        : change == 1 ? BrightnessChange::setLevel(level)
                                                      : BrightnessChange::keepSystemLevel();
    store.updatePreset(kReading, std::nullopt, std::nullopt, brightness);
    QCOMPARE(store.findPreset(kReading)->brightness, expectedBrightness);
    QCOMPARE(rig.brightness->level, expectedDisplay);
    QCOMPARE(store.brightnessBaseline().has_value(), expectedBrightness.has_value());
    QCOMPARE(rig.saved().presets.at(6).brightness, expectedBrightness);
}

void HalvoStoreTest::addCustomPresetCapturesAppliedColour()
{
    Rig rig;
    HalvoStore &store = rig.make();
    store.activatePreset(QStringLiteral("candle"), false);
    store.activatePreset(QStringLiteral("vivid"), true); // ripple running: applied is still candle

    const HalvoPreset added = store.addCustomPreset(QStringLiteral("   "));
    QCOMPARE(added.name, QStringLiteral("Custom Preset"));
    QVERIFY(added.id.startsWith(QStringLiteral("custom-")));
    QCOMPARE(added.id.size(), 7 + 36);
    QCOMPARE(added.temperature, qint64(1800));
    QCOMPARE(added.saturation, qint64(90));
    QCOMPARE(added.defaultTemperature, qint64(1800));
    QVERIFY(!added.brightness && !added.defaultBrightness);
    QVERIFY(added.isCustom);
    QCOMPARE(store.presets().last(), added);
    QCOMPARE(store.activeModeID(), QStringLiteral("vivid"));
    QVERIFY(!store.hiddenPresetIDs().contains(added.id));
    QCOMPARE(rig.saved().presets.last(), added);
}

void HalvoStoreTest::renameOnlyCustom()
{
    Rig rig;
    rig.seed(stateWithCustoms());
    HalvoStore &store = rig.make();
    store.renamePreset(kReading, QStringLiteral("  Night\nreading\t"));
    QCOMPARE(store.findPreset(kReading)->name, QStringLiteral("Night reading"));
    QCOMPARE(rig.saved().presets.at(6).name, QStringLiteral("Night reading"));

    rig.removeFile();
    store.renamePreset(QStringLiteral("candle"), QStringLiteral("Fire"));
    store.deleteCustomPreset(QStringLiteral("candle"));
    QCOMPARE(store.findPreset(QStringLiteral("candle"))->name, QStringLiteral("Candle"));
    QVERIFY(!rig.fileExists());
}

void HalvoStoreTest::deletingActiveCustomUsedBySchedule()
{
    Rig rig;
    HalvoPersistedState state = stateWithCustoms();
    state.activeModeID = kReading;
    state.hiddenPresetIDs = {kReading};
    state.schedule = DailySchedule(true, QStringLiteral("07:00"), kReading,
                                   QStringLiteral("22:00"), kReading);
    state.lastScheduleMarker = ScheduleEventMarker{29000000, kReading};
    rig.seed(state);
    HalvoStore &store = rig.make();
    store.reapplyActivePreset();
    rig.log->calls.clear();

    store.deleteCustomPreset(kReading);
    QVERIFY(!store.findPreset(kReading));
    QVERIFY(!store.hiddenPresetIDs().contains(kReading));
    QCOMPARE(store.schedule().preset1ID, QStringLiteral("standard"));
    QCOMPARE(store.schedule().preset2ID, QStringLiteral("standard"));
    QVERIFY(store.schedule().enabled);
    QCOMPARE(store.schedule().time1, QStringLiteral("07:00"));
    QVERIFY(!store.lastScheduleMarker());
    QCOMPARE(store.activeModeID(), QStringLiteral("standard"));
    QVERIFY(rig.log->calls.filter(QStringLiteral("ripple.run")).isEmpty());
    QVERIFY(rig.log->calls.contains(QStringLiteral("color.apply 6500 100")));

    const HalvoPersistedState saved = rig.saved();
    QCOMPARE(saved.presets.size(), 8);
    QCOMPARE(saved.schedule.preset1ID, QStringLiteral("standard"));
    QVERIFY(!saved.lastScheduleMarker);
}

void HalvoStoreTest::hidingRules()
{
    Rig rig;
    HalvoPersistedState state;
    state.hiddenPresetIDs = {QStringLiteral("red-light"), QStringLiteral("candle"),
                             QStringLiteral("black-white"), QStringLiteral("color-ink")};
    rig.seed(state);
    HalvoStore &store = rig.make();
    QCOMPARE(store.visiblePresets().size(), 2);

    store.togglePresetHidden(QStringLiteral("standard")); // the active one may be hidden
    QCOMPARE(store.visiblePresets().size(), 1);
    QCOMPARE(store.activeModeID(), QStringLiteral("standard"));
    QCOMPARE(rig.saved().hiddenPresetIDs,
             (QStringList{QStringLiteral("black-white"), QStringLiteral("candle"),
                          QStringLiteral("color-ink"), QStringLiteral("red-light"),
                          QStringLiteral("standard")}));

    rig.removeFile();
    QSignalSpy hidden(&store, &HalvoStore::hiddenPresetIDsChanged);
    store.togglePresetHidden(QStringLiteral("vivid")); // the last visible one
    QCOMPARE(store.visiblePresets().size(), 1);
    QCOMPARE(hidden.size(), 0);
    QVERIFY(!rig.fileExists());

    store.togglePresetHidden(QStringLiteral("candle"));
    QCOMPARE(hidden.size(), 1);
    QCOMPARE(store.visiblePresets().size(), 2);
    QVERIFY(rig.fileExists());
}

void HalvoStoreTest::hiddenIDsFromFileActAsASet_data()
{
    QTest::addColumn<QStringList>("inFile");
    QTest::addColumn<QString>("toggled"); // empty: only save
    QTest::addColumn<QStringList>("savedAfter");
    QTest::addColumn<int>("changeSignals");

    const QString candle = QStringLiteral("candle");
    const QString vivid = QStringLiteral("vivid");
    const QString red = QStringLiteral("red-light");
    QTest::newRow("duplicate unhidden by one toggle")
        << QStringList{candle, vivid, candle} << candle << QStringList{vivid} << 1;
    QTest::newRow("unsorted file saved sorted")
        << QStringList{vivid, candle} << red << QStringList{candle, red, vivid} << 1;
    QTest::newRow("plain save rewrites the list, the set is unchanged")
        << QStringList{vivid, candle, vivid} << QString() << QStringList{candle, vivid} << 0;
}

void HalvoStoreTest::hiddenIDsFromFileActAsASet()
{
    QFETCH(QStringList, inFile);
    QFETCH(QString, toggled);
    QFETCH(QStringList, savedAfter);
    QFETCH(int, changeSignals);

    Rig rig;
    HalvoPersistedState state;
    state.hiddenPresetIDs = inFile;
    rig.seed(state);
    HalvoStore &store = rig.make();
    QCOMPARE(store.hiddenPresetIDs(), QSet<QString>(inFile.cbegin(), inFile.cend()));

    QSignalSpy hidden(&store, &HalvoStore::hiddenPresetIDsChanged);
    if (toggled.isEmpty())
        store.save();
    else
        store.togglePresetHidden(toggled);
    QCOMPARE(hidden.size(), changeSignals);
    QCOMPARE(store.hiddenPresetIDs(), QSet<QString>(savedAfter.cbegin(), savedAfter.cend()));
    QCOMPARE(rig.saved().hiddenPresetIDs, savedAfter);
    for (const HalvoPreset &preset : store.visiblePresets())
        QVERIFY(!savedAfter.contains(preset.id));
}

void HalvoStoreTest::allHiddenShowsFirstPreset()
{
    Rig rig;
    HalvoPersistedState state;
    for (const HalvoPreset &p : HalvoPreset::builtInPresets())
        state.hiddenPresetIDs.append(p.id);
    state.activeModeID = QStringLiteral("candle");
    rig.seed(state);
    HalvoStore &store = rig.make();
    QCOMPARE(store.visiblePresets().size(), 1);
    QCOMPARE(store.visiblePresets().first().id, QStringLiteral("standard"));
    QCOMPARE(store.activePreset().id, QStringLiteral("candle"));
}

void HalvoStoreTest::keepAwakeFailureAndClearing()
{
    Rig rig;
    HalvoStore &store = rig.make();
    rig.keepAwake->refuses = true;
    rig.removeFile();
    store.setKeepAwake(true);
    QVERIFY(!store.keepAwakeEnabled());
    QCOMPARE(store.errorMessage(),
             std::optional<QString>(QStringLiteral("Unable to inhibit screen blanking to keep display awake.")));
    QVERIFY(!rig.fileExists()); // keep-awake is never persisted

    store.setKeepAwake(false);
    QVERIFY(!store.errorMessage());

    rig.keepAwake->refuses = false;
    store.setKeepAwake(true);
    QVERIFY(store.keepAwakeEnabled());
    QVERIFY(!store.errorMessage());
}

void HalvoStoreTest::loginItemFailureAndClearing()
{
    Rig rig;
    HalvoStore &store = rig.make();
    QSignalSpy errors(&store, &HalvoStore::errorMessageChanged);

    store.setLaunchAtLogin(true); // success with no error set: no notification
    QCOMPARE(errors.size(), 0);
    QVERIFY(rig.loginItems->isEnabled());

    rig.loginItems->failure = QStringLiteral("Read-only file system");
    store.setLaunchAtLogin(false);
    QCOMPARE(store.errorMessage(),
             std::optional<QString>(QStringLiteral("Unable to update Launch at Login: Read-only file system")));
    QVERIFY(rig.loginItems->isEnabled());
    QCOMPARE(errors.size(), 1);

    rig.loginItems->failure.reset();
    store.setLaunchAtLogin(false);
    QVERIFY(!store.errorMessage());
    QVERIFY(!rig.loginItems->isEnabled());
    QCOMPARE(errors.size(), 2);
}

void HalvoStoreTest::scheduleSwitchedOnInEveningAfterManualChange()
{
    Rig rig;
    rig.now = QDateTime(QDate(2026, 3, 10), QTime(21, 0), rig.zone);
    const QDateTime eightPm(QDate(2026, 3, 10), QTime(20, 0), rig.zone);
    HalvoPersistedState state;
    state.schedule = DailySchedule(true, QStringLiteral("08:00"), QStringLiteral("standard"),
                                   QStringLiteral("20:00"), QStringLiteral("red-light"));
    state.lastScheduleMarker = ScheduleEventMarker{epochMinutes(eightPm), QStringLiteral("red-light")};
    rig.seed(state);
    HalvoStore &store = rig.make();

    store.activatePreset(QStringLiteral("vivid"), false); // the manual change at 20:30
    QVERIFY(!store.checkSchedule(rig.zone));
    QCOMPARE(store.activeModeID(), QStringLiteral("vivid"));

    store.setScheduleEnabled(false);
    QVERIFY(!store.lastScheduleMarker());
    QCOMPARE(store.activeModeID(), QStringLiteral("vivid"));

    rig.log->calls.clear();
    store.setScheduleEnabled(true);
    QCOMPARE(store.activeModeID(), QStringLiteral("red-light"));
    QCOMPARE(store.lastScheduleMarker(),
             std::optional<ScheduleEventMarker>(ScheduleEventMarker{epochMinutes(eightPm), QStringLiteral("red-light")}));
    QVERIFY(rig.log->calls.filter(QStringLiteral("ripple.run")).isEmpty());
    QCOMPARE(rig.saved().lastScheduleMarker, store.lastScheduleMarker());

    // Replacing the schedule clears the marker and applies the running period again.
    store.activatePreset(QStringLiteral("candle"), false);
    DailySchedule edited = store.schedule();
    edited.preset2ID = QStringLiteral("black-white");
    store.updateSchedule(edited);
    QCOMPARE(store.activeModeID(), QStringLiteral("black-white"));
}

void HalvoStoreTest::scheduleOffReturnsNothing()
{
    Rig rig;
    rig.now = QDateTime(QDate(2026, 3, 10), QTime(20, 0), rig.zone);
    HalvoStore &store = rig.make();
    rig.removeFile();
    QVERIFY(!store.checkSchedule(rig.zone));
    QCOMPARE(store.activeModeID(), QStringLiteral("standard"));
    QVERIFY(!rig.fileExists());
    QVERIFY(rig.log->calls.isEmpty());
}

void HalvoStoreTest::savingFlagsSaveOnEveryAssignment()
{
    Rig rig;
    HalvoStore &store = rig.make();
    QSignalSpy animation(&store, &HalvoStore::animationEnabledChanged);
    QSignalSpy refraction(&store, &HalvoStore::opticalRefractionEnabledChanged);
    QSignalSpy onboarding(&store, &HalvoStore::hasCompletedOnboardingChanged);

    const std::function<void()> assignments[] = {
        [&] { store.setAnimationEnabled(true); },
        [&] { store.setOpticalRefractionEnabled(true); },
        [&] { store.setHasCompletedOnboarding(false); },
    };
    for (const auto &assign : assignments) {
        rig.removeFile();
        assign();
        QVERIFY(rig.fileExists());
    }
    QCOMPARE(animation.size() + refraction.size() + onboarding.size(), 0);

    store.setAnimationEnabled(false);
    store.setOpticalRefractionEnabled(false);
    store.setHasCompletedOnboarding(true);
    QCOMPARE(animation.size(), 1);
    QCOMPARE(refraction.size(), 1);
    QCOMPARE(onboarding.size(), 1);
    const HalvoPersistedState saved = rig.saved();
    QVERIFY(!saved.animationEnabled && !saved.opticalRefractionEnabled && saved.hasCompletedOnboarding);
}

void HalvoStoreTest::notificationsOnlyOnRealChange()
{
    Rig rig;
    rig.brightness->level = 50;
    HalvoStore &store = rig.make();
    QSignalSpy active(&store, &HalvoStore::activeModeIDChanged);
    QSignalSpy presets(&store, &HalvoStore::presetsChanged);
    QSignalSpy appliedT(&store, &HalvoStore::appliedTemperatureChanged);
    QSignalSpy appliedS(&store, &HalvoStore::appliedSaturationChanged);
    QSignalSpy current(&store, &HalvoStore::currentBrightnessChanged);
    QSignalSpy schedule(&store, &HalvoStore::scheduleChanged);
    QSignalSpy marker(&store, &HalvoStore::lastScheduleMarkerChanged);
    QSignalSpy errors(&store, &HalvoStore::errorMessageChanged);

    store.activatePreset(QStringLiteral("standard"), false);
    store.refreshBrightness();
    store.updatePreset(QStringLiteral("standard"), 6500, 100, BrightnessChange::leaveAlone());
    store.updateSchedule(store.schedule());
    store.setKeepAwake(false);
    QCOMPARE(active.size() + presets.size() + appliedT.size() + appliedS.size() + current.size()
                 + schedule.size() + marker.size() + errors.size(),
             0);

    store.activatePreset(QStringLiteral("black-white"), false);
    QCOMPARE(active.size(), 1);
    QCOMPARE(appliedT.size(), 0); // 6500 K either way
    QCOMPARE(appliedS.size(), 1);
    store.updatePreset(QStringLiteral("black-white"), std::nullopt, 10, BrightnessChange::leaveAlone());
    QCOMPARE(presets.size(), 1);
    QCOMPARE(appliedS.size(), 2);
    rig.brightness->level = 51;
    store.refreshBrightness();
    QCOMPARE(current.size(), 1);
}

QTEST_GUILESS_MAIN(HalvoStoreTest)
#include "tst_halvostore.moc"
