#include "popoverrig.h"
#include "recordingupdatecheck.h"
#include "permissionrippleengine.h"

#include "popover/settingsmodel.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString testVersion = QStringLiteral("2.3.4");

// The page's callbacks, counted.
struct PageCalls {
    QStringList calls;

    SettingsModel::Actions actions()
    {
        SettingsModel::Actions actions;
        actions.onBack = [this] { calls.append(u"back"_s); };
        actions.onOpenSchedule = [this] { calls.append(u"schedule"_s); };
        actions.onShowOnboarding = [this] { calls.append(u"onboarding"_s); };
        actions.onEditPreset = [this](const QString &id) { calls.append(u"edit "_s + id); };
        actions.onQuit = [this] { calls.append(u"quit"_s); };
        return actions;
    }
};

// A store whose ripple engine is one whose permission the test controls, or none.
struct PermissionRig {
    QTemporaryDir dir;
    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    std::shared_ptr<PermissionRippleEngine> ripple = std::make_shared<PermissionRippleEngine>();
    std::unique_ptr<HalvoStore> store;

    explicit PermissionRig(bool withEngine, bool granted)
    {
        ripple->granted = granted;
        store = std::make_unique<HalvoStore>(
            StatePersistence(dir.filePath(QStringLiteral("state.json"))),
            std::make_shared<RecordingColorEngine>(log), std::make_shared<RecordingBrightnessEngine>(log),
            std::make_shared<RecordingKeepAwakeEngine>(log),
            withEngine ? std::shared_ptr<RippleTransitioning>(ripple) : nullptr,
            [] { return QDateTime(QDate(2026, 3, 10), QTime(12, 0), QTimeZone::utc()); },
            std::make_shared<RecordingLoginItems>());
    }
};

// Actions whose update checks are `checks`, made one per call.
SettingsModel::Actions updateActions(QList<RecordingUpdateCheck *> &checks, bool holds)
{
    SettingsModel::Actions actions;
    actions.version = testVersion;
    actions.makeUpdateChecking = [&checks, holds] {
        checks.append(new RecordingUpdateCheck(holds));
        return checks.last();
    };
    return actions;
}

QStringList column(const SettingsModel &model, int role)
{
    QStringList values;
    for (int row = 0; row < model.count(); ++row)
        values.append(model.data(model.index(row), role).toString());
    return values;
}

} // namespace

class TestSettingsModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void screenPathRows();
    void addsPresetFromTrimmedName_data();
    void addsPresetFromTrimmedName();
    void blankNameAddsNothing_data();
    void blankNameAddsNothing();
    void newPresetOpensEditorThatReturnsToSettings();
    void hidingRulesAndLastVisibleSwitch();
    void editOnlyForCustomPresets();
    void scheduleDetailFollowsTheStore();
    void navigationRowsCallTheirActions();
    void updateRowShowsCheckingThenVersion();
    void updateRowWithAndWithoutChecker_data();
    void updateRowWithAndWithoutChecker();
    void contextHandsOverUpdateCheckAndRelaunch();
    void updateCheckerIsFreshPerPageAndOutlivesIt();
    void refractionSwitchFollowsAnimation();
    void refractionStatusAndAccessRequest_data();
    void refractionStatusAndAccessRequest();
    void grantButtonAsksTheEngine();
    void relaunchStartsNewInstanceThenQuits_data();
    void relaunchStartsNewInstanceThenQuits();
    void launchAtLoginShowsTheRealStatus();
};

void TestSettingsModel::addsPresetFromTrimmedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");

    QTest::newRow("spaces around") << "  Night Owl  "
                                   << "Night Owl";
    QTest::newRow("newlines and tabs around") << "\n\tDusk \n"
                                              << "Dusk";
    QTest::newRow("inner spaces kept") << " Late  Reading "
                                       << "Late  Reading";
}

void TestSettingsModel::addsPresetFromTrimmedName()
{
    QFETCH(QString, typed);
    PopoverRig rig;
    rig.make();
    PageCalls page;
    SettingsModel model;
    model.setStore(rig.store.get(), page.actions());

    model.setNewPresetName(typed);
    QVERIFY(model.canAddPreset());
    QSignalSpy counts(&model, &SettingsModel::countChanged);
    model.addPreset();

    const HalvoPreset added = rig.store->presets().constLast();
    QVERIFY(added.isCustom);
    QTEST(added.name, "stored");
    QCOMPARE(model.newPresetName(), QString());
    QVERIFY(!model.canAddPreset());
    QCOMPARE(page.calls, QStringList{u"edit "_s + added.id});
    QCOMPARE(counts.count(), 1);
    QCOMPARE(model.count(), 7);
    QCOMPARE(rig.saved().presets.constLast().id, added.id);
}

void TestSettingsModel::blankNameAddsNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("spaces") << "    ";
    QTest::newRow("spaces and newlines") << " \n \t\r\n ";
}

void TestSettingsModel::blankNameAddsNothing()
{
    QFETCH(QString, typed);
    PopoverRig rig;
    rig.make();
    PageCalls page;
    SettingsModel model;
    model.setStore(rig.store.get(), page.actions());

    model.setNewPresetName(typed);
    QVERIFY(!model.canAddPreset());
    QSignalSpy presets(rig.store.get(), &HalvoStore::presetsChanged);
    model.addPreset(); // Return in the field
    QCOMPARE(presets.count(), 0);
    QCOMPARE(rig.store->presets().size(), 6);
    QCOMPARE(page.calls, QStringList());
    QCOMPARE(model.newPresetName(), typed);
}

void TestSettingsModel::newPresetOpensEditorThatReturnsToSettings()
{
    PopoverRig rig;
    rig.make();
    rig.navigation->setPage(PopoverPage::settings());
    SettingsModel model;
    model.setContext(rig.context.get());
    model.setNewPresetName(QStringLiteral(" Evening "));
    model.addPreset();

    const HalvoPreset added = rig.store->presets().constLast();
    QCOMPARE(added.name, QStringLiteral("Evening"));
    QCOMPARE(rig.navigation->page(), PopoverPage::editPreset(added.id, true));
    rig.navigation->goBack();
    QCOMPARE(rig.navigation->page(), PopoverPage::settings());
}

void TestSettingsModel::hidingRulesAndLastVisibleSwitch()
{
    PopoverRig rig;
    rig.make();
    SettingsModel model;
    model.setStore(rig.store.get(), {});
    const auto hiddenFlags = [&] { return column(model, SettingsModel::IsHiddenRole); };
    const auto lastFlags = [&] { return column(model, SettingsModel::IsLastVisibleRole); };

    for (const char *id : {"standard", "red-light", "candle", "black-white"})
        model.togglePresetHidden(QString::fromLatin1(id));
    // Hidden presets stay in the list, in stored order.
    QCOMPARE(model.count(), 6);
    QCOMPARE(hiddenFlags(), (QStringList{u"true"_s, u"true"_s, u"true"_s, u"true"_s, u"false"_s, u"false"_s}));
    QCOMPARE(lastFlags(), (QStringList{u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"false"_s}));

    QSignalSpy rows(&model, &QAbstractItemModel::dataChanged);
    model.togglePresetHidden(QStringLiteral("color-ink"));
    QVERIFY(rows.count() >= 1);
    QCOMPARE(lastFlags(), (QStringList{u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"true"_s}));

    // The store refuses to hide the last visible preset even when asked.
    model.togglePresetHidden(QStringLiteral("vivid"));
    QCOMPARE(rig.store->visiblePresets().size(), 1);
    QCOMPARE(hiddenFlags(), (QStringList{u"true"_s, u"true"_s, u"true"_s, u"true"_s, u"true"_s, u"false"_s}));

    model.togglePresetHidden(QStringLiteral("candle"));
    QCOMPARE(lastFlags(), (QStringList{u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"false"_s}));
    QCOMPARE(hiddenFlags(), (QStringList{u"true"_s, u"true"_s, u"false"_s, u"true"_s, u"true"_s, u"false"_s}));
    QCOMPARE(rig.saved().hiddenPresetIDs,
             (QStringList{u"black-white"_s, u"color-ink"_s, u"red-light"_s, u"standard"_s}));
}

void TestSettingsModel::editOnlyForCustomPresets()
{
    PopoverRig rig;
    rig.seed(stateWithCustom(std::nullopt));
    rig.make();
    PageCalls page;
    SettingsModel model;
    model.setStore(rig.store.get(), page.actions());

    QCOMPARE(column(model, SettingsModel::IsCustomRole),
             (QStringList{u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"false"_s, u"true"_s}));
    QCOMPARE(column(model, SettingsModel::NameRole).constLast(), QStringLiteral("Reading"));
    QCOMPARE(column(model, SettingsModel::SymbolNameRole).constFirst(), QStringLiteral("display"));
    model.editPreset(kCustomID);
    QCOMPARE(page.calls, QStringList{u"edit "_s + kCustomID});
}

void TestSettingsModel::scheduleDetailFollowsTheStore()
{
    PopoverRig rig;
    rig.make();
    SettingsModel model;
    model.setStore(rig.store.get(), {});
    QCOMPARE(model.scheduleDetail(), QStringLiteral("Off"));

    QSignalSpy detail(&model, &SettingsModel::scheduleDetailChanged);
    rig.store->setScheduleEnabled(true);
    QCOMPARE(detail.count(), 1);
    QCOMPARE(model.scheduleDetail(), QStringLiteral("On"));
    rig.store->setScheduleEnabled(false);
    QCOMPARE(model.scheduleDetail(), QStringLiteral("Off"));
}

void TestSettingsModel::navigationRowsCallTheirActions()
{
    PopoverRig rig;
    rig.make();
    rig.navigation->setPage(PopoverPage::settings());
    SettingsModel model;
    model.setContext(rig.context.get());

    model.showOnboarding();
    QCOMPARE(rig.onboardings, 1);
    model.openSchedule();
    QCOMPARE(rig.navigation->page(), PopoverPage::schedule());
    rig.navigation->goBack();
    model.back();
    QCOMPARE(rig.navigation->page(), PopoverPage::main());
}

void TestSettingsModel::updateRowShowsCheckingThenVersion()
{
    QList<RecordingUpdateCheck *> checks;
    PopoverRig rig;
    rig.make();
    SettingsModel model;
    model.setStore(rig.store.get(), updateActions(checks, true));
    QCOMPARE(checks.size(), 1);
    RecordingUpdateCheck *check = checks.first();
    const QString version = QStringLiteral("v") + testVersion;
    QCOMPARE(model.updateDetail(), version);
    QVERIFY(model.canCheckForUpdates());

    QSignalSpy changes(&model, &SettingsModel::updateStateChanged);
    model.checkForUpdates();
    // The check starts on the next turn of the event loop, not inside the click.
    QVERIFY(check->checks.isEmpty());
    QTRY_COMPARE(model.updateDetail(), QStringLiteral("Checking\u2026"));
    QVERIFY(!model.canCheckForUpdates());
    model.checkForUpdates(); // the disabled row
    QCoreApplication::processEvents();
    QCOMPARE(check->checks, QList<bool>{true});

    check->finish();
    QCOMPARE(model.updateDetail(), version);
    QVERIFY(model.canCheckForUpdates());
    QCOMPARE(check->checks, QList<bool>{true});
    QCOMPARE(changes.count(), 2);
}

void TestSettingsModel::updateRowWithAndWithoutChecker_data()
{
    QTest::addColumn<bool>("withChecker");
    QTest::newRow("checker") << true;
    // A package build leaves updates to the package manager.
    QTest::newRow("no checker") << false;
}

void TestSettingsModel::updateRowWithAndWithoutChecker()
{
    QFETCH(bool, withChecker);
    QList<RecordingUpdateCheck *> checks;
    SettingsModel::Actions actions = updateActions(checks, false);
    if (!withChecker)
        actions.makeUpdateChecking = [] { return nullptr; };

    PopoverRig rig;
    rig.make();
    SettingsModel model;
    model.setStore(rig.store.get(), actions);
    const QString version = QStringLiteral("v") + testVersion;
    QCOMPARE(model.updateCheckAvailable(), withChecker);
    QCOMPARE(model.canCheckForUpdates(), withChecker);
    QCOMPARE(model.updateDetail(), version);

    // A click on the row; without a checker it must neither crash nor change the row.
    model.checkForUpdates();
    if (withChecker)
        QTRY_COMPARE(checks.first()->finished, 1);
    QCOMPARE(model.updateDetail(), version);
    QCOMPARE(model.canCheckForUpdates(), withChecker);
}

void TestSettingsModel::contextHandsOverUpdateCheckAndRelaunch()
{
    PopoverRig rig;
    rig.make();
    int made = 0;
    int launches = 0;
    PopoverContext::Actions actions;
    actions.version = testVersion;
    actions.makeUpdateChecking = [&] {
        ++made;
        return new RecordingUpdateCheck;
    };
    actions.launchNewInstance = [&] {
        ++launches;
        return true;
    };
    auto context = std::make_unique<PopoverContext>(rig.store.get(), rig.navigation.get(), actions);

    SettingsModel model;
    model.setContext(context.get());
    QCOMPARE(made, 1);
    QVERIFY(model.updateCheckAvailable());
    QCOMPARE(model.updateDetail(), QStringLiteral("v") + testVersion);
    model.relaunch();
    QCOMPARE(launches, 1);

    // Once the context is gone the page neither makes checks nor launches.
    model.setContext(nullptr);
    QVERIFY(!model.updateCheckAvailable());
    const auto relaunch = context->launchNewInstanceAction();
    context.reset();
    QVERIFY(!relaunch());
    QCOMPARE(launches, 1);
}

void TestSettingsModel::updateCheckerIsFreshPerPageAndOutlivesIt()
{
    QList<RecordingUpdateCheck *> checks;
    PopoverRig rig;
    rig.make();
    QPointer<UpdateChecking> first;
    {
        SettingsModel model;
        model.setStore(rig.store.get(), updateActions(checks, true));
        first = model.updateChecker();
        QVERIFY(first);
        model.checkForUpdates();
        QTRY_VERIFY(first->isChecking());
    }
    // Leaving the page does not cancel the check.
    QVERIFY(first);
    QVERIFY(checks.first()->released);
    SettingsModel again;
    again.setStore(rig.store.get(), updateActions(checks, true));
    QVERIFY(again.updateChecker() != first.data());
    QCOMPARE(checks.size(), 2);
    QCOMPARE(again.updateDetail(), QStringLiteral("v") + testVersion);

    checks.first()->finish();
    QTRY_VERIFY(!first);
}

void TestSettingsModel::refractionSwitchFollowsAnimation()
{
    PermissionRig rig(true, false);
    SettingsModel model;
    model.setStore(rig.store.get(), {});
    QVERIFY(model.refractionSwitchEnabled());
    QVERIFY(model.opticalRefractionEnabled());

    QSignalSpy animation(&model, &SettingsModel::animationEnabledChanged);
    model.setAnimationEnabled(false);
    QCOMPARE(animation.count(), 1);
    QVERIFY(!rig.store->animationEnabled());
    QVERIFY(!model.refractionSwitchEnabled());
    // Its value stays as it was, and the disabled switch cannot change it.
    QVERIFY(model.opticalRefractionEnabled());
    model.setOpticalRefractionEnabled(false);
    QVERIFY(rig.store->opticalRefractionEnabled());

    model.setAnimationEnabled(true);
    QVERIFY(model.refractionSwitchEnabled());
    model.setOpticalRefractionEnabled(false);
    QVERIFY(!rig.store->opticalRefractionEnabled());
    QCOMPARE(model.refractionStatus(), QStringLiteral("none"));
}

void TestSettingsModel::refractionStatusAndAccessRequest_data()
{
    QTest::addColumn<bool>("withEngine");
    QTest::addColumn<bool>("granted");
    QTest::addColumn<bool>("requestable");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("status");

    QTest::newRow("engine without access") << true << false << true << 1 << "needsAccess";
    QTest::newRow("engine with access") << true << true << true << 0 << "active";
    QTest::newRow("no engine") << false << false << true << 0 << "needsAccess";
    QTest::newRow("capture impossible") << true << false << false << 0 << "unavailable";
    QTest::newRow("access given, nothing to ask") << true << true << false << 0 << "active";
}

void TestSettingsModel::refractionStatusAndAccessRequest()
{
    QFETCH(bool, withEngine);
    QFETCH(bool, granted);
    QFETCH(bool, requestable);
    PermissionRig rig(withEngine, granted);
    rig.ripple->requestable = requestable;
    rig.store->setOpticalRefractionEnabled(false);
    SettingsModel model;
    model.setStore(rig.store.get(), {});
    QCOMPARE(model.refractionStatus(), QStringLiteral("none"));

    QSignalSpy status(&model, &SettingsModel::refractionStatusChanged);
    model.setOpticalRefractionEnabled(true);
    QVERIFY(rig.store->opticalRefractionEnabled());
    QTEST(int(rig.ripple->count(QStringLiteral("request"))), "requests");
    QTEST(model.refractionStatus(), "status");
    QVERIFY(status.count() >= 1);

    // Writing "on" again saves again but asks no more than once per write.
    model.setOpticalRefractionEnabled(true);
    const int expected = withEngine && !granted && requestable ? 2 : 0;
    QCOMPARE(int(rig.ripple->count(QStringLiteral("request"))), expected);

    // The grant button asks only an engine that can be asked.
    model.grantScreenRecording();
    QCOMPARE(int(rig.ripple->count(QStringLiteral("request"))),
             expected + (withEngine && requestable ? 1 : 0));
}

void TestSettingsModel::grantButtonAsksTheEngine()
{
    PermissionRig rig(true, false);
    SettingsModel model;
    model.setStore(rig.store.get(), {});
    QCOMPARE(model.refractionStatus(), QStringLiteral("needsAccess"));

    // The user grants access in the system's dialog.
    rig.ripple->onRequest = [&] { rig.ripple->granted = true; };
    QSignalSpy status(&model, &SettingsModel::refractionStatusChanged);
    model.grantScreenRecording();
    QCOMPARE(rig.ripple->count(QStringLiteral("request")), 1);
    QCOMPARE(status.count(), 1);
    QCOMPARE(model.refractionStatus(), QStringLiteral("active"));

    PermissionRig bare(false, false);
    SettingsModel withoutEngine;
    withoutEngine.setStore(bare.store.get(), {});
    withoutEngine.grantScreenRecording();
    QCOMPARE(withoutEngine.refractionStatus(), QStringLiteral("needsAccess"));
}

void TestSettingsModel::relaunchStartsNewInstanceThenQuits_data()
{
    QTest::addColumn<bool>("launches");
    QTest::newRow("launched") << true;
    QTest::newRow("launch failed") << false;
}

void TestSettingsModel::relaunchStartsNewInstanceThenQuits()
{
    QFETCH(bool, launches);
    PageCalls page;
    SettingsModel::Actions actions = page.actions();
    actions.launchNewInstance = [&] {
        page.calls.append(u"launch"_s);
        return launches;
    };

    PopoverRig rig;
    rig.make();
    SettingsModel model;
    model.setStore(rig.store.get(), actions);
    model.relaunch();
    QCOMPARE(page.calls, (QStringList{u"launch"_s, u"quit"_s}));
}

void TestSettingsModel::launchAtLoginShowsTheRealStatus()
{
    PopoverRig rig;
    rig.loginItems->enabled = true;
    rig.make();
    SettingsModel model;
    model.setStore(rig.store.get(), {});
    model.appear();
    QVERIFY(model.launchAtLogin());

    model.setLaunchAtLogin(false);
    QVERIFY(!model.launchAtLogin());
    QVERIFY(!rig.loginItems->enabled);
    QCOMPARE(rig.store->errorMessage(), std::nullopt);

    rig.loginItems->failure = QStringLiteral("Permission denied");
    QSignalSpy shown(&model, &SettingsModel::launchAtLoginChanged);
    model.setLaunchAtLogin(true);
    QVERIFY(!model.launchAtLogin());
    QCOMPARE(shown.count(), 0);
    QCOMPARE(rig.store->errorMessage(),
             std::optional<QString>(QStringLiteral("Unable to update Launch at Login: Permission denied")));

    // The status is read again each time the page is shown.
    rig.loginItems->failure.reset();
    rig.loginItems->enabled = true;
    QVERIFY(!model.launchAtLogin());
    model.appear();
    QVERIFY(model.launchAtLogin());
}

// One read-only row per screen, in the engine's order; none where the host
// does not say.
void TestSettingsModel::screenPathRows()
{
    PopoverRig rig;
    rig.make();
    SettingsModel model;
    model.setContext(rig.context.get());
    QCOMPARE(model.screenPathRows(), QStringList());

    rig.capabilities = ScreenColorCapabilities{
        {QStringLiteral("eDP-1"), ScreenColorPath::ColorMatrix, true},
        {QStringLiteral("HDMI-1"), ScreenColorPath::Gamma, false},
        {QStringLiteral("DP-2"), ScreenColorPath::CompositorGamma, false},
        {QStringLiteral("GNOME Night Light"), ScreenColorPath::DesktopNightLight, false},
        {QStringLiteral("KDE Plasma Night Light"), ScreenColorPath::NightLightAfterFilterRefused, false},
    };
    rig.make();
    model.setContext(rig.context.get());
    QSignalSpy changed(&model, &SettingsModel::screenPathRowsChanged);
    rig.context->notifyScreenCapabilitiesChanged();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(model.screenPathRows(), (QStringList{
                                         QStringLiteral("eDP-1 — color matrix"),
                                         QStringLiteral("HDMI-1 — gamma (temperature only)"),
                                         QStringLiteral("DP-2 — compositor gamma (temperature only)"),
                                         QStringLiteral("GNOME Night Light (temperature only)"),
                                         QStringLiteral("KDE Plasma Night Light (temperature only: KWin refused "
                                                        "Halvoscope's color filter)"),
                                     }));
}

QTEST_GUILESS_MAIN(TestSettingsModel)
#include "tst_settingsmodel.moc"
