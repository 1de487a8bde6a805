#include "popoverrig.h"

#include "popover/mainpresetsmodel.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList rowIDs(const MainPresetsModel &model)
{
    QStringList ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids.append(model.data(model.index(row), MainPresetsModel::PresetIDRole).toString());
    return ids;
}

QVariant role(const MainPresetsModel &model, const QString &id, int role)
{
    const int row = static_cast<int>(rowIDs(model).indexOf(id));
    return row < 0 ? QVariant() : model.data(model.index(row), role);
}

QStringList activeRows(const MainPresetsModel &model)
{
    QStringList ids;
    for (const QString &id : rowIDs(model)) {
        if (role(model, id, MainPresetsModel::IsActiveRole).toBool())
            ids.append(id);
    }
    return ids;
}

} // namespace

class MainPresetsModelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The value texts follow the locale; these tests read American English.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void rowsAreTheVisiblePresets_data();
    void rowsAreTheVisiblePresets();
    void rowRoles_data();
    void rowRoles();
    void rowsFollowTheStore();
    void noActiveRowWhenTheActivePresetIsHidden();
    void summaryOfTheActivePreset();
    void statusWhileTransitioning();
    void hoverRule_data();
    void hoverRule();
    void enteringARowPreparesItsTransition_data();
    void enteringARowPreparesItsTransition();
    void trailingPart();
    void errorLineOnlyWithText();
    void rowActions();
    void keepAwakeActions();
    void keepAwakeHoverNotifiesOnChange();
    void capabilityLines_data();
    void capabilityLines();
};

Q_DECLARE_METATYPE(ScreenColorCapabilities)

void MainPresetsModelTest::rowsAreTheVisiblePresets_data()
{
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<bool>("withCustom");
    QTest::addColumn<QStringList>("expected");

    const QStringList all = {u"standard"_s, u"red-light"_s, u"candle"_s, u"black-white"_s, u"color-ink"_s, u"vivid"_s};
    QTest::newRow("nothing hidden") << QStringList() << false << all;
    QTest::newRow("two hidden") << QStringList({u"candle"_s, u"red-light"_s}) << false
                                << QStringList({u"standard"_s, u"black-white"_s, u"color-ink"_s, u"vivid"_s});
    QTest::newRow("every preset hidden: the first remains") << all << false
                                                            << QStringList({u"standard"_s});
    QTest::newRow("custom at the end") << QStringList({u"vivid"_s, u"color-ink"_s, u"black-white"_s}) << true
                                       << QStringList({u"standard"_s, u"red-light"_s, u"candle"_s, kCustomID});
    QTest::newRow("unknown hidden id changes nothing") << QStringList({u"nope"_s}) << false << all;
}

void MainPresetsModelTest::rowsAreTheVisiblePresets()
{
    QFETCH(QStringList, hidden);
    QFETCH(bool, withCustom);
    QFETCH(QStringList, expected);

    PopoverRig rig;
    HalvoPersistedState state = withCustom ? stateWithCustom(std::nullopt) : HalvoPersistedState();
    state.hiddenPresetIDs = hidden;
    rig.seed(state);
    rig.make();

    MainPresetsModel model;
    model.setContext(rig.context.get());
    QCOMPARE(rowIDs(model), expected);
    QCOMPARE(model.count(), expected.size());
}

void MainPresetsModelTest::rowRoles_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("tint");

    QTest::newRow("standard") << "standard"
                              << "Standard"
                              << "display"
                              << "blue";
    QTest::newRow("red light") << "red-light"
                               << "Red Light"
                               << "lightbulb.fill"
                               << "red";
    QTest::newRow("candle") << "candle"
                            << "Candle"
                            << "flame.fill"
                            << "orange";
    QTest::newRow("black & white") << "black-white"
                                   << "Black & White"
                                   << "circle.lefthalf.filled"
                                   << "gray";
    QTest::newRow("color ink") << "color-ink"
                               << "Color Ink"
                               << "paintbrush.pointed.fill"
                               << "purple";
    QTest::newRow("vivid") << "vivid"
                           << "Vivid"
                           << "paintpalette.fill"
                           << "green";
    QTest::newRow("custom") << kCustomID << "Reading"
                            << "sparkles"
                            << "indigo";
}

void MainPresetsModelTest::rowRoles()
{
    QFETCH(QString, id);
    QFETCH(QString, name);
    QFETCH(QString, symbol);
    QFETCH(QString, tint);

    PopoverRig rig;
    rig.seed(stateWithCustom(40));
    rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());

    QCOMPARE(role(model, id, MainPresetsModel::NameRole).toString(), name);
    QCOMPARE(role(model, id, MainPresetsModel::SymbolNameRole).toString(), symbol);
    QCOMPARE(role(model, id, MainPresetsModel::TintRole).toString(), tint);
    QCOMPARE(role(model, id, MainPresetsModel::IsActiveRole).toBool(), id == u"standard"_s);
    const QHash<int, QByteArray> names = model.roleNames();
    QCOMPARE(names.value(MainPresetsModel::PresetIDRole), QByteArray("presetID"));
    QCOMPARE(names.value(MainPresetsModel::TrailingRole), QByteArray("trailing"));
}

void MainPresetsModelTest::rowsFollowTheStore()
{
    PopoverRig rig;
    HalvoStore &store = rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());
    QSignalSpy count(&model, &MainPresetsModel::countChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    store.togglePresetHidden(QStringLiteral("candle"));
    QVERIFY(!rowIDs(model).contains(QStringLiteral("candle")));
    QCOMPARE(count.count(), 1);

    const HalvoPreset added = store.addCustomPreset(QStringLiteral("Night"));
    QCOMPARE(rowIDs(model).last(), added.id);
    QCOMPARE(count.count(), 2);
    QCOMPARE(reset.count(), 2);

    // Same rows with new values: updated in place, no reset.
    store.updatePreset(QStringLiteral("vivid"), 5000, std::nullopt, BrightnessChange::leaveAlone());
    QCOMPARE(reset.count(), 2);
    QVERIFY(changed.count() > 0);
    QCOMPARE(activeRows(model), QStringList({u"vivid"_s}));

    store.activatePreset(QStringLiteral("standard"), false);
    QCOMPARE(activeRows(model), QStringList({u"standard"_s}));
}

void MainPresetsModelTest::noActiveRowWhenTheActivePresetIsHidden()
{
    PopoverRig rig;
    HalvoStore &store = rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());

    store.activatePreset(QStringLiteral("candle"), false);
    store.togglePresetHidden(QStringLiteral("candle"));
    QCOMPARE(activeRows(model), QStringList());
    for (const QString &id : rowIDs(model))
        QCOMPARE(role(model, id, MainPresetsModel::TrailingRole).toString(), QString());
    // The summary still describes the active (hidden) preset.
    QCOMPARE(model.summaryText(), QStringLiteral("1,800 K \u00B7 90%"));
}

void MainPresetsModelTest::summaryOfTheActivePreset()
{
    PopoverRig rig;
    HalvoStore &store = rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());
    QCOMPARE(model.summaryText(), QStringLiteral("6,500 K \u00B7 100%"));

    QSignalSpy summary(&model, &MainPresetsModel::summaryTextChanged);
    store.activatePreset(QStringLiteral("black-white"), false);
    QCOMPARE(model.summaryText(), QStringLiteral("6,500 K \u00B7 0%"));
    QVERIFY(summary.count() > 0);

    // The values of the active preset change without a new activation.
    summary.clear();
    store.updatePreset(QStringLiteral("black-white"), 3400, 45, BrightnessChange::leaveAlone());
    QCOMPARE(model.summaryText(), QStringLiteral("3,400 K \u00B7 45%"));
    QVERIFY(summary.count() > 0);
}

void MainPresetsModelTest::statusWhileTransitioning()
{
    PopoverRig rig;
    HalvoStore &store = rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());
    QSignalSpy status(&model, &MainPresetsModel::statusTextChanged);
    QCOMPARE(model.statusText(), QStringLiteral("On"));

    model.activate(QStringLiteral("red-light"));
    QVERIFY(store.isTransitioning());
    QCOMPARE(model.statusText(), QStringLiteral("Applying\u2026"));
    QCOMPARE(activeRows(model), QStringList({u"red-light"_s}));
    QCOMPARE(status.count(), 1);

    rig.ripple->finish();
    QCOMPARE(model.statusText(), QStringLiteral("On"));
    QCOMPARE(status.count(), 2);
}

void MainPresetsModelTest::hoverRule_data()
{
    // Events: "+id" the pointer entered that row, "-id" it left.
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("hovered");

    QTest::newRow("enter") << QStringList({u"+candle"_s}) << u"candle"_s;
    QTest::newRow("enter and leave") << QStringList({u"+candle"_s, u"-candle"_s}) << u""_s;
    QTest::newRow("next row entered before the last one left")
        << QStringList({u"+candle"_s, u"+vivid"_s, u"-candle"_s}) << u"vivid"_s;
    QTest::newRow("in order") << QStringList({u"+candle"_s, u"-candle"_s, u"+vivid"_s}) << u"vivid"_s;
    QTest::newRow("stale leave of another row") << QStringList({u"+candle"_s, u"-vivid"_s}) << u"candle"_s;
    QTest::newRow("back to the first")
        << QStringList({u"+candle"_s, u"+vivid"_s, u"-candle"_s, u"+candle"_s, u"-vivid"_s}) << u"candle"_s;
}

void MainPresetsModelTest::hoverRule()
{
    QFETCH(QStringList, events);
    QFETCH(QString, hovered);

    PopoverRig rig;
    rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());
    QCOMPARE(model.hoveredPresetID(), QString());
    for (const QString &event : events) {
        if (event.startsWith(u'+'))
            model.rowEntered(event.mid(1));
        else
            model.rowExited(event.mid(1));
    }
    QCOMPARE(model.hoveredPresetID(), hovered);
    for (const QString &id : rowIDs(model))
        QCOMPARE(role(model, id, MainPresetsModel::IsHoveredRole).toBool(), id == hovered);
}

void MainPresetsModelTest::enteringARowPreparesItsTransition_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("animated");
    QTest::addColumn<int>("prepares");
    QTest::newRow("another preset") << u"candle"_s << true << 1;
    QTest::newRow("the active preset") << u"standard"_s << true << 0;
    QTest::newRow("transitions not animated") << u"candle"_s << false << 0;
}

void MainPresetsModelTest::enteringARowPreparesItsTransition()
{
    QFETCH(QString, entered);
    QFETCH(bool, animated);
    QFETCH(int, prepares);

    PopoverRig rig;
    rig.make().setAnimationEnabled(animated);
    QCOMPARE(rig.store->activeModeID(), u"standard"_s);
    MainPresetsModel model;
    model.setContext(rig.context.get());
    model.rowEntered(entered);
    QCOMPARE(rig.countCalls(u"ripple.prepare"_s), prepares);
}

void MainPresetsModelTest::trailingPart()
{
    PopoverRig rig;
    rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());
    const auto trailing = [&](const QString &id) {
        return role(model, id, MainPresetsModel::TrailingRole).toString();
    };
    QCOMPARE(trailing(u"standard"_s), QStringLiteral("chevron"));
    QCOMPARE(trailing(u"candle"_s), QString());

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.rowEntered(QStringLiteral("standard"));
    QCOMPARE(trailing(u"standard"_s), QStringLiteral("edit"));
    QCOMPARE(changed.count(), 1);
    model.rowEntered(QStringLiteral("candle"));
    QCOMPARE(trailing(u"standard"_s), QStringLiteral("chevron"));
    QCOMPARE(trailing(u"candle"_s), QStringLiteral("edit"));
    model.rowExited(QStringLiteral("candle"));
    QCOMPARE(trailing(u"candle"_s), QString());
    QCOMPARE(trailing(u"standard"_s), QStringLiteral("chevron"));
}

void MainPresetsModelTest::errorLineOnlyWithText()
{
    PopoverRig rig;
    rig.keepAwake->refuses = true;
    rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());
    QVERIFY(!model.showsError());
    QCOMPARE(model.errorText(), QString());

    QSignalSpy error(&model, &MainPresetsModel::errorTextChanged);
    model.setKeepAwake(true);
    QVERIFY(model.showsError());
    QCOMPARE(model.errorText(),
             QStringLiteral("Unable to inhibit screen blanking to keep display awake."));
    QCOMPARE(error.count(), 1);
    QVERIFY(!model.keepAwakeEnabled());

    // Any activation clears the message.
    model.activate(QStringLiteral("standard"));
    QVERIFY(!model.showsError());
    QCOMPARE(error.count(), 2);
}

void MainPresetsModelTest::rowActions()
{
    PopoverRig rig;
    HalvoStore &store = rig.make();
    QStringList edited;
    int settings = 0;
    int quits = 0;
    MainPresetsModel model;
    model.setStore(&store, {[&](const QString &id) { edited.append(id); }, [&] { ++settings; },
                            [&] { ++quits; }});

    model.activate(QStringLiteral("candle"));
    QCOMPARE(store.activeModeID(), QStringLiteral("candle"));
    QCOMPARE(rig.countCalls(QStringLiteral("ripple.run")), 1); // asked for animation
    rig.ripple->finish();

    // Clicking the active row re-applies it.
    rig.log->calls.clear();
    model.activate(QStringLiteral("candle"));
    QCOMPARE(rig.countCalls(QStringLiteral("color.apply 1800 90")), 1);

    model.activate(QStringLiteral("no-such-preset"));
    QCOMPARE(store.activeModeID(), QStringLiteral("candle"));

    model.editPreset(QStringLiteral("vivid"));
    QCOMPARE(edited, QStringList({u"vivid"_s}));
    QCOMPARE(store.activeModeID(), QStringLiteral("candle"));

    model.openSettings();
    model.quit();
    QCOMPARE(settings, 1);
    QCOMPARE(quits, 1);
}

void MainPresetsModelTest::keepAwakeActions()
{
    PopoverRig rig;
    rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());
    QSignalSpy keepAwake(&model, &MainPresetsModel::keepAwakeEnabledChanged);

    model.toggleKeepAwake();
    QVERIFY(model.keepAwakeEnabled());
    QVERIFY(rig.keepAwake->active);
    model.setKeepAwake(true);
    QVERIFY(model.keepAwakeEnabled());
    model.toggleKeepAwake();
    QVERIFY(!model.keepAwakeEnabled());
    QCOMPARE(keepAwake.count(), 2);
    QCOMPARE(rig.log->calls.filter(QStringLiteral("keepAwake.set")),
             QStringList({u"keepAwake.set 1"_s, u"keepAwake.set 1"_s, u"keepAwake.set 0"_s}));
}

void MainPresetsModelTest::keepAwakeHoverNotifiesOnChange()
{
    MainPresetsModel model;
    QSignalSpy hovered(&model, &MainPresetsModel::keepAwakeHoveredChanged);
    model.setKeepAwakeHovered(false);
    model.setKeepAwakeHovered(true);
    model.setKeepAwakeHovered(true);
    QCOMPARE(hovered.count(), 1);
    // Without a store the page is empty and every action is harmless.
    model.activate(QStringLiteral("standard"));
    model.toggleKeepAwake();
    QCOMPARE(model.count(), 0);
    QCOMPARE(model.summaryText(), QString());
}

namespace {

const ScreenColorCapability matrixEDP{QStringLiteral("eDP-1"), ScreenColorPath::ColorMatrix, true};
const ScreenColorCapability gammaEDP{QStringLiteral("eDP-1"), ScreenColorPath::Gamma, false};
const ScreenColorCapability gammaHDMI{QStringLiteral("HDMI-1"), ScreenColorPath::Gamma, false};
const ScreenColorCapability nightLight{QStringLiteral("GNOME Night Light"), ScreenColorPath::DesktopNightLight, false};

} // namespace

// The line under the list speaks only of a saturation the screens cannot show;
// with no colour path at all the error line says so.
void MainPresetsModelTest::capabilityLines_data()
{
    QTest::addColumn<ScreenColorCapabilities>("capabilities");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("error");
    const QString none;
    QTest::newRow("matrix, vivid") << ScreenColorCapabilities{matrixEDP} << QStringLiteral("vivid") << none << none;
    QTest::newRow("gamma, standard") << ScreenColorCapabilities{gammaHDMI} << QStringLiteral("standard") << none
                                     << none;
    QTest::newRow("gamma, candle at 90 %")
        << ScreenColorCapabilities{gammaHDMI} << QStringLiteral("candle")
        << QStringLiteral("Saturation isn't available on HDMI-1: it shows the temperature only.") << none;
    QTest::newRow("two on gamma, black & white")
        << ScreenColorCapabilities{gammaEDP, gammaHDMI} << QStringLiteral("black-white")
        << QStringLiteral("Saturation isn't available on eDP-1 and HDMI-1: they show the temperature only.") << none;
    QTest::newRow("night light, color ink")
        << ScreenColorCapabilities{nightLight} << QStringLiteral("color-ink")
        << QStringLiteral("Saturation isn't available with GNOME Night Light: it shows the temperature only.")
        << none;
    QTest::newRow("no colour path") << ScreenColorCapabilities{} << QStringLiteral("vivid") << none
                                    << QStringLiteral("Halvoscope can't change the screens' colors here. Presets "
                                                      "still set brightness and Keep Awake.");
}

void MainPresetsModelTest::capabilityLines()
{
    QFETCH(ScreenColorCapabilities, capabilities);
    QFETCH(QString, preset);
    QFETCH(QString, line);
    QFETCH(QString, error);

    PopoverRig rig;
    rig.capabilities = ScreenColorCapabilities{matrixEDP};
    HalvoStore &store = rig.make();
    MainPresetsModel model;
    model.setContext(rig.context.get());
    store.activatePreset(preset, false);
    QCOMPARE(model.capabilityText(), QString());
    QCOMPARE(model.errorText(), QString());

    QSignalSpy lineChanged(&model, &MainPresetsModel::capabilityTextChanged);
    QSignalSpy errorChanged(&model, &MainPresetsModel::errorTextChanged);
    rig.capabilities = capabilities;
    rig.context->notifyScreenCapabilitiesChanged();
    QCOMPARE(model.capabilityText(), line);
    QCOMPARE(model.errorText(), error);
    QCOMPARE(model.showsError(), !error.isEmpty());
    QVERIFY(lineChanged.count() > 0 && errorChanged.count() > 0);

    lineChanged.clear();
    store.activatePreset(QStringLiteral("standard"), false);
    QCOMPARE(model.capabilityText(), QString());
    QVERIFY(line.isEmpty() || lineChanged.count() > 0);
}

QTEST_GUILESS_MAIN(MainPresetsModelTest)
#include "tst_mainpresetsmodel.moc"
