#include "popoverrig.h"

#include "popover/preseteditormodel.h"
#include "popover/slidergeometry.h"
#include "popover/sliderinteraction.h"

#include <QLocale>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<qint64>)

namespace {

std::optional<qint64> noLevel() { return std::nullopt; }

// An editor on screen for one preset, wired as the popover wires it.
struct OpenEditor {
    PresetEditorModel editor;

    OpenEditor(PopoverRig &rig, const QString &presetID, bool fromSettings = false)
    {
        rig.navigation->setPage(PopoverPage::editPreset(presetID, fromSettings));
        editor.setContext(rig.context.get());
        editor.setPresetID(presetID);
        editor.appear();
    }
};

HalvoPreset storedPreset(PopoverRig &rig, const QString &id)
{
    return rig.store->findPreset(id).value_or(HalvoPreset());
}

} // namespace

class PresetEditorModelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The value texts follow the locale; these tests read American English.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void initialDrafts();
    void loading_data();
    void loading();
    void loadingRefreshesTheBrightnessFirst();
    void missingPresetChangesNothing();
    void builtInAndCustom();
    void rounding_data();
    void rounding();
    void valueTexts_data();
    void valueTexts();
    void dragSendsOneUpdatePerSnappedChange();
    void slidersSendOnlyTheirValue();
    void autoBrightnessOnAndOff();
    void movingBrightnessTurnsAutoOff();
    void brightnessUnavailable();
    void resetRestoresDefaults();
    void rename_data();
    void rename();
    void deleteReturnsToTheOpeningPage_data();
    void deleteReturnsToTheOpeningPage();
    void presetIDChangeReloadsOnlyOnScreen();
    void capabilityLineFollowsTheSaturationDraft();
};

void PresetEditorModelTest::initialDrafts()
{
    PresetEditorModel editor;
    QCOMPARE(editor.nameDraft(), QString());
    QCOMPARE(editor.temperature(), 6500.0);
    QCOMPARE(editor.saturation(), 100.0);
    QVERIFY(editor.brightnessAuto());
    QCOMPARE(editor.brightness(), 65.0);
    QCOMPARE(editor.title(), QStringLiteral("Preset"));
}

void PresetEditorModelTest::loading_data()
{
    QTest::addColumn<std::optional<qint64>>("presetBrightness");
    QTest::addColumn<std::optional<qint64>>("displayLevel");
    QTest::addColumn<bool>("expectedAuto");
    QTest::addColumn<double>("expectedSlider");

    QTest::newRow("fixed level") << std::optional<qint64>(40) << std::optional<qint64>(70) << false
                                 << 40.0;
    QTest::newRow("auto: the display's level") << noLevel() << std::optional<qint64>(70) << true
                                               << 70.0;
    QTest::newRow("auto, unreadable display: 65") << noLevel() << noLevel() << true << 65.0;
    QTest::newRow("fixed level, unreadable display") << std::optional<qint64>(40) << noLevel()
                                                     << false << 40.0;
}

void PresetEditorModelTest::loading()
{
    QFETCH(std::optional<qint64>, presetBrightness);
    QFETCH(std::optional<qint64>, displayLevel);
    QFETCH(bool, expectedAuto);
    QFETCH(double, expectedSlider);

    PopoverRig rig;
    rig.seed(stateWithCustom(presetBrightness));
    rig.brightness->level = displayLevel;
    rig.make();
    OpenEditor open(rig, kCustomID);

    QCOMPARE(open.editor.nameDraft(), QStringLiteral("Reading"));
    QCOMPARE(open.editor.temperature(), 5000.0);
    QCOMPARE(open.editor.saturation(), 100.0);
    QCOMPARE(open.editor.brightnessAuto(), expectedAuto);
    QCOMPARE(open.editor.brightness(), expectedSlider);
    QCOMPARE(open.editor.brightnessAvailable(), displayLevel.has_value());
    // Loading writes nothing.
    QCOMPARE(rig.countCalls(QStringLiteral("color.apply")), 0);
}

void PresetEditorModelTest::loadingRefreshesTheBrightnessFirst()
{
    PopoverRig rig;
    rig.brightness->level = 30;
    rig.make();
    rig.brightness->level = 80; // changed behind the store's back

    OpenEditor open(rig, QStringLiteral("candle"));
    QCOMPARE(rig.log->calls, QStringList({u"brightness.read"_s}));
    QCOMPARE(rig.store->currentBrightness(), std::optional<qint64>(80));
    QCOMPARE(open.editor.brightness(), 80.0);
}

void PresetEditorModelTest::missingPresetChangesNothing()
{
    PopoverRig rig;
    rig.brightness->level = 70;
    rig.make();
    OpenEditor open(rig, QStringLiteral("custom-gone"));
    QVERIFY(!open.editor.presetExists());
    QCOMPARE(open.editor.title(), QStringLiteral("Preset"));
    QCOMPARE(open.editor.nameDraft(), QString());
    QCOMPARE(open.editor.temperature(), 6500.0);
    QCOMPARE(open.editor.brightness(), 65.0);

    open.editor.reset();
    open.editor.setNameDraft(QStringLiteral("x"));
    open.editor.rename();
    open.editor.moveTemperature(3000);
    QCOMPARE(rig.countCalls(QStringLiteral("color.apply")), 0);
    QCOMPARE(rig.store->presets(), HalvoPreset::builtInPresets());
}

void PresetEditorModelTest::builtInAndCustom()
{
    PopoverRig rig;
    rig.seed(stateWithCustom(std::nullopt));
    rig.make();
    OpenEditor builtIn(rig, QStringLiteral("candle"));
    QVERIFY(builtIn.editor.presetExists());
    QVERIFY(!builtIn.editor.isCustom());
    QCOMPARE(builtIn.editor.title(), QStringLiteral("Candle"));

    OpenEditor custom(rig, kCustomID);
    QVERIFY(custom.editor.isCustom());
    QCOMPARE(custom.editor.title(), QStringLiteral("Reading"));

    // The title follows a rename made anywhere.
    QSignalSpy preset(&custom.editor, &PresetEditorModel::presetChanged);
    rig.store->renamePreset(kCustomID, QStringLiteral("Late Reading"));
    QCOMPARE(custom.editor.title(), QStringLiteral("Late Reading"));
    QVERIFY(preset.count() > 0);
}

void PresetEditorModelTest::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("half up") << 2.5 << qint64(3);
    QTest::newRow("negative half away from zero") << -2.5 << qint64(-3);
    QTest::newRow("just below half") << 2.4999 << qint64(2);
    QTest::newRow("zero point five") << 0.5 << qint64(1);
    QTest::newRow("minus zero point five") << -0.5 << qint64(-1);
    QTest::newRow("kelvin half") << 3450.5 << qint64(3451);
    QTest::newRow("whole") << 40.0 << qint64(40);
    QTest::newRow("NaN") << std::nan("") << qint64(0);
}

void PresetEditorModelTest::rounding()
{
    QFETCH(double, value);
    QFETCH(qint64, expected);
    QCOMPARE(PresetEditorModel::roundToWhole(value), expected);
}

void PresetEditorModelTest::valueTexts_data()
{
    QTest::addColumn<double>("temperature");
    QTest::addColumn<double>("saturation");
    QTest::addColumn<double>("brightness");
    QTest::addColumn<QString>("temperatureText");
    QTest::addColumn<QString>("saturationText");
    QTest::addColumn<QString>("brightnessText");

    QTest::newRow("whole") << 3400.0 << 45.0 << 30.0 << "3,400 K"
                           << "45%"
                           << "30%";
    QTest::newRow("halves away from zero") << 3450.5 << 42.5 << 30.5 << "3,451 K"
                                           << "43%"
                                           << "31%";
    QTest::newRow("below halves") << 3450.4 << 42.4 << 30.4 << "3,450 K"
                                  << "42%"
                                  << "30%";
}

void PresetEditorModelTest::valueTexts()
{
    QFETCH(double, temperature);
    QFETCH(double, saturation);
    QFETCH(double, brightness);
    QFETCH(QString, temperatureText);
    QFETCH(QString, saturationText);
    QFETCH(QString, brightnessText);

    PopoverRig rig;
    rig.brightness->level = 50;
    rig.make();
    OpenEditor open(rig, QStringLiteral("candle"));
    open.editor.moveTemperature(temperature);
    open.editor.moveSaturation(saturation);
    open.editor.moveBrightness(brightness);
    QCOMPARE(open.editor.temperatureText(), temperatureText);
    QCOMPARE(open.editor.saturationText(), saturationText);
    QCOMPARE(open.editor.brightnessText(), brightnessText);
    // The store receives the same whole numbers as the texts show.
    QCOMPARE(storedPreset(rig, u"candle"_s).brightness,
             std::optional<qint64>(brightnessText.chopped(1).toLongLong()));
}

void PresetEditorModelTest::dragSendsOneUpdatePerSnappedChange()
{
    PopoverRig rig;
    rig.make();
    OpenEditor open(rig, QStringLiteral("standard"));
    QSignalSpy presets(rig.store.get(), &HalvoStore::presetsChanged);

    // The temperature slider as the page builds it, bound to the draft.
    SliderInteraction slider;
    slider.setLower(1000);
    slider.setUpper(7000);
    slider.setStep(100);
    slider.setWidth(248);
    slider.setValue(open.editor.temperature());
    QObject::connect(&open.editor, &PresetEditorModel::temperatureChanged, &slider,
                     [&] { slider.setValue(open.editor.temperature()); });
    QObject::connect(&slider, &SliderInteraction::moved, &open.editor,
                     &PresetEditorModel::moveTemperature);

    const double travel = SliderGeometry::travel(248);
    const auto xFor = [&](double kelvin) { return 10 + travel * (kelvin - 1000) / 6000; };

    // Wiggling within the step of 6500 sends nothing.
    for (double dx = -1.0; dx <= 1.0; dx += 0.25)
        slider.pointerMoved(xFor(6500) + dx);
    QCOMPARE(rig.countCalls(QStringLiteral("color.apply")), 0);

    for (double x = xFor(6500); x >= xFor(3400); x -= 0.5)
        slider.pointerMoved(x);
    slider.pointerMoved(xFor(3400));
    slider.pointerReleased();

    QCOMPARE(rig.countCalls(QStringLiteral("color.apply")), (6500 - 3400) / 100);
    QCOMPARE(presets.count(), (6500 - 3400) / 100);
    QCOMPARE(rig.log->calls.filter(QStringLiteral("color.apply")).last(),
             QStringLiteral("color.apply 3400 100"));
    QCOMPARE(storedPreset(rig, u"standard"_s).temperature, qint64(3400));
    QCOMPARE(storedPreset(rig, u"standard"_s).defaultTemperature, qint64(6500));
    QCOMPARE(rig.saved().presets.first().temperature, qint64(3400));
    QCOMPARE(open.editor.temperatureText(), QStringLiteral("3,400 K"));
}

void PresetEditorModelTest::slidersSendOnlyTheirValue()
{
    PopoverRig rig;
    rig.brightness->level = 60;
    rig.seed(stateWithCustom(40));
    rig.make();
    rig.store->activatePreset(QStringLiteral("standard"), false);
    OpenEditor open(rig, kCustomID);

    open.editor.moveSaturation(135);
    HalvoPreset preset = storedPreset(rig, kCustomID);
    QCOMPARE(preset.saturation, qint64(135));
    QCOMPARE(preset.temperature, qint64(5000));
    QCOMPARE(preset.brightness, std::optional<qint64>(40));
    // Editing makes the preset active.
    QCOMPARE(rig.store->activeModeID(), kCustomID);

    open.editor.moveTemperature(2300);
    preset = storedPreset(rig, kCustomID);
    QCOMPARE(preset.temperature, qint64(2300));
    QCOMPARE(preset.saturation, qint64(135));
    QCOMPARE(preset.brightness, std::optional<qint64>(40));

    open.editor.moveBrightness(55.5);
    preset = storedPreset(rig, kCustomID);
    QCOMPARE(preset.brightness, std::optional<qint64>(56));
    QCOMPARE(preset.temperature, qint64(2300));
    QCOMPARE(open.editor.brightness(), 55.5);
}

void PresetEditorModelTest::autoBrightnessOnAndOff()
{
    PopoverRig rig;
    rig.brightness->level = 70;
    rig.seed(stateWithCustom(40));
    rig.make();
    OpenEditor open(rig, kCustomID);
    QVERIFY(!open.editor.brightnessAuto());
    QSignalSpy slider(&open.editor, &PresetEditorModel::brightnessChanged);

    open.editor.setBrightnessAuto(true);
    QVERIFY(open.editor.brightnessAuto());
    QCOMPARE(storedPreset(rig, kCustomID).brightness, std::nullopt);
    QCOMPARE(open.editor.brightness(), 70.0);
    QCOMPARE(slider.count(), 1);

    open.editor.setBrightnessAuto(false);
    QVERIFY(!open.editor.brightnessAuto());
    QCOMPARE(storedPreset(rig, kCustomID).brightness, std::optional<qint64>(70));
    QCOMPARE(rig.brightness->level, std::optional<qint64>(70));

    // Asking for the state it already has sends nothing.
    rig.log->calls.clear();
    open.editor.setBrightnessAuto(false);
    QCOMPARE(rig.countCalls(QStringLiteral("color.apply")), 0);
}

void PresetEditorModelTest::movingBrightnessTurnsAutoOff()
{
    PopoverRig rig;
    rig.brightness->level = 70;
    rig.seed(stateWithCustom(std::nullopt));
    rig.make();
    OpenEditor open(rig, kCustomID);
    QVERIFY(open.editor.brightnessAuto());
    QSignalSpy autoSpy(&open.editor, &PresetEditorModel::brightnessAutoChanged);

    open.editor.moveBrightness(30);
    QVERIFY(!open.editor.brightnessAuto());
    QCOMPARE(autoSpy.count(), 1);
    QCOMPARE(storedPreset(rig, kCustomID).brightness, std::optional<qint64>(30));
    QCOMPARE(rig.brightness->level, std::optional<qint64>(30));
    // The user's own level was recorded before the preset changed it.
    QCOMPARE(rig.store->brightnessBaseline(), std::optional<qint64>(70));
}

void PresetEditorModelTest::brightnessUnavailable()
{
    PopoverRig rig;
    rig.brightness->level = std::nullopt;
    rig.make();
    OpenEditor open(rig, QStringLiteral("candle"));
    QVERIFY(!open.editor.brightnessAvailable());
    QCOMPARE(open.editor.autoBrightnessCaption(), QStringLiteral("Unavailable on this display"));
    QCOMPARE(open.editor.brightnessText(), QStringLiteral("Unavailable"));
    QCOMPARE(open.editor.brightness(), 65.0);

    open.editor.setBrightnessAuto(false);
    open.editor.moveBrightness(20);
    QVERIFY(open.editor.brightnessAuto());
    QCOMPARE(storedPreset(rig, u"candle"_s).brightness, std::nullopt);
    QCOMPARE(rig.countCalls(QStringLiteral("color.apply")), 0);

    // The display becomes readable: the texts follow.
    QSignalSpy available(&open.editor, &PresetEditorModel::brightnessAvailableChanged);
    rig.brightness->level = 45;
    rig.store->refreshBrightness();
    QVERIFY(open.editor.brightnessAvailable());
    QCOMPARE(open.editor.autoBrightnessCaption(), QStringLiteral("Keep system display level"));
    QCOMPARE(open.editor.brightnessText(), QStringLiteral("65%"));
    QCOMPARE(available.count(), 1);
}

void PresetEditorModelTest::resetRestoresDefaults()
{
    PopoverRig rig;
    rig.brightness->level = 50;
    rig.make();
    OpenEditor open(rig, QStringLiteral("candle"));
    open.editor.moveTemperature(3000);
    open.editor.moveSaturation(150);
    open.editor.moveBrightness(20);
    QCOMPARE(storedPreset(rig, u"candle"_s).temperature, qint64(3000));

    open.editor.reset();
    const HalvoPreset preset = storedPreset(rig, u"candle"_s);
    QCOMPARE(preset.temperature, qint64(1800));
    QCOMPARE(preset.saturation, qint64(90));
    QCOMPARE(preset.brightness, std::nullopt);
    QCOMPARE(open.editor.temperature(), 1800.0);
    QCOMPARE(open.editor.saturation(), 90.0);
    QVERIFY(open.editor.brightnessAuto());
    QCOMPARE(open.editor.temperatureText(), QStringLiteral("1,800 K"));
    QCOMPARE(open.editor.saturationText(), QStringLiteral("90%"));
    // Back to the system level: the recorded level is put back and shown.
    QCOMPARE(open.editor.brightness(), 50.0);
}

void PresetEditorModelTest::rename_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("canSave");
    QTest::addColumn<QString>("stored");

    QTest::newRow("plain") << "Night" << true << "Night";
    QTest::newRow("spaces and line breaks around") << "  Night Owl \n"
                                                   << true << "Night Owl";
    QTest::newRow("inner tab cleaned by the store") << "\tNight\tOwl\r\n"
                                                    << true << "Night Owl";
    QTest::newRow("only spaces") << "   " << false << "Reading";
    QTest::newRow("only line breaks") << "\n\r\n"
                                      << false << "Reading";
    QTest::newRow("empty") << "" << false << "Reading";
    QTest::newRow("long name cut by the store")
        << "An Evening Preset With A Very Long Name" << true << "An Evening Preset With A Very Lo";
}

void PresetEditorModelTest::rename()
{
    QFETCH(QString, typed);
    QFETCH(bool, canSave);
    QFETCH(QString, stored);

    PopoverRig rig;
    rig.seed(stateWithCustom(std::nullopt));
    rig.make();
    OpenEditor open(rig, kCustomID);
    const QByteArray before = [&] {
        QFile file(rig.statePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    open.editor.setNameDraft(typed);
    QCOMPARE(open.editor.canSaveName(), canSave);
    open.editor.rename();
    QCOMPARE(storedPreset(rig, kCustomID).name, stored);
    QCOMPARE(open.editor.title(), stored);
    if (canSave) {
        // The field shows the name as the store keeps it.
        QCOMPARE(open.editor.nameDraft(), stored);
        QCOMPARE(rig.saved().presets.last().name, stored);
    } else {
        QCOMPARE(open.editor.nameDraft(), typed);
        QFile file(rig.statePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
}

void PresetEditorModelTest::deleteReturnsToTheOpeningPage_data()
{
    QTest::addColumn<bool>("fromSettings");
    QTest::addColumn<bool>("wasActive");
    QTest::addColumn<PopoverPage>("expectedPage");

    QTest::newRow("opened from main") << false << false << PopoverPage::main();
    QTest::newRow("opened from settings") << true << false << PopoverPage::settings();
    QTest::newRow("active preset: standard takes over") << false << true << PopoverPage::main();
}

void PresetEditorModelTest::deleteReturnsToTheOpeningPage()
{
    QFETCH(bool, fromSettings);
    QFETCH(bool, wasActive);
    QFETCH(PopoverPage, expectedPage);

    PopoverRig rig;
    rig.seed(stateWithCustom(std::nullopt));
    rig.make();
    if (wasActive)
        rig.store->activatePreset(kCustomID, false);
    OpenEditor open(rig, kCustomID, fromSettings);
    rig.log->calls.clear();
    open.editor.deletePreset();

    QVERIFY(!rig.store->findPreset(kCustomID));
    QCOMPARE(rig.saved().presets.size(), HalvoPreset::builtInPresets().size());
    QCOMPARE(rig.navigation->page(), expectedPage);
    QCOMPARE(rig.store->activeModeID(), QStringLiteral("standard"));
    // Only deleting the active preset applies another one.
    QCOMPARE(rig.countCalls(QStringLiteral("color.apply 6500 100")), wasActive ? 1 : 0);
    QVERIFY(!open.editor.presetExists());
    QCOMPARE(open.editor.title(), QStringLiteral("Preset"));
}

void PresetEditorModelTest::presetIDChangeReloadsOnlyOnScreen()
{
    PopoverRig rig;
    rig.make();
    PresetEditorModel editor;
    editor.setContext(rig.context.get());
    editor.setPresetID(QStringLiteral("candle"));
    // Not on screen yet: the drafts keep their initial values.
    QCOMPARE(editor.temperature(), 6500.0);
    QCOMPARE(rig.log->calls, QStringList());

    editor.appear();
    QCOMPARE(editor.temperature(), 1800.0);
    QCOMPARE(editor.saturation(), 90.0);

    QSignalSpy title(&editor, &PresetEditorModel::presetChanged);
    editor.setPresetID(QStringLiteral("black-white"));
    QCOMPARE(editor.temperature(), 6500.0);
    QCOMPARE(editor.saturation(), 0.0);
    QCOMPARE(editor.nameDraft(), QStringLiteral("Black & White"));
    QCOMPARE(title.count(), 1);
}

// Under the saturation slider, while the draft is away from 100 % and a
// screen cannot show it.
void PresetEditorModelTest::capabilityLineFollowsTheSaturationDraft()
{
    PopoverRig rig;
    rig.capabilities = ScreenColorCapabilities{{QStringLiteral("HDMI-1"), ScreenColorPath::Gamma, false}};
    rig.make();
    OpenEditor open(rig, QStringLiteral("standard"));
    QCOMPARE(open.editor.capabilityText(), QString());

    QSignalSpy changed(&open.editor, &PresetEditorModel::capabilityTextChanged);
    open.editor.moveSaturation(40);
    QCOMPARE(open.editor.capabilityText(),
             QStringLiteral("Saturation isn't available on HDMI-1: it shows the temperature only."));
    QVERIFY(changed.count() > 0);

    changed.clear();
    rig.capabilities = ScreenColorCapabilities{{QStringLiteral("HDMI-1"), ScreenColorPath::ColorMatrix, true}};
    rig.context->notifyScreenCapabilitiesChanged();
    QCOMPARE(open.editor.capabilityText(), QString());
    QCOMPARE(changed.count(), 1);
}

QTEST_GUILESS_MAIN(PresetEditorModelTest)
#include "tst_preseteditormodel.moc"
