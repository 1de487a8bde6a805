#include "popoverrig.h"

#include "popover/mainpresetsmodel.h"
#include "popover/popovernavigation.h"
#include "popover/preseteditormodel.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class PopoverNavigationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsOnMain();
    void backTable_data();
    void backTable();
    void assigningNotifiesOnlyOnChange_data();
    void assigningNotifiesOnlyOnChange();
    void bindingPropertiesFollowThePage();
    void escape_data();
    void escape();
    void editorFromSettingsEscapesBackToClose();
    void pageCallbacksMoveThroughNavigation();
    void callbacksActOnThePageCurrentWhenTheyRun();
    void contextWithoutActionsIsHarmless();
};

void PopoverNavigationTest::startsOnMain()
{
    PopoverNavigation navigation;
    QCOMPARE(navigation.page(), PopoverPage::main());
    QCOMPARE(navigation.pageKind(), QStringLiteral("main"));
}

void PopoverNavigationTest::backTable_data()
{
    QTest::addColumn<PopoverPage>("from");
    QTest::addColumn<PopoverPage>("to");
    QTest::addColumn<int>("notifications");

    QTest::newRow("editor from main") << PopoverPage::editPreset(u"candle"_s, false)
                                      << PopoverPage::main() << 1;
    QTest::newRow("editor from settings") << PopoverPage::editPreset(u"candle"_s, true)
                                          << PopoverPage::settings() << 1;
    QTest::newRow("settings") << PopoverPage::settings() << PopoverPage::main() << 1;
    QTest::newRow("schedule goes to settings, not main")
        << PopoverPage::schedule() << PopoverPage::settings() << 1;
    QTest::newRow("main stays silently") << PopoverPage::main() << PopoverPage::main() << 0;
}

void PopoverNavigationTest::backTable()
{
    QFETCH(PopoverPage, from);
    QFETCH(PopoverPage, to);
    QFETCH(int, notifications);

    PopoverNavigation navigation;
    navigation.setPage(from);
    QSignalSpy spy(&navigation, &PopoverNavigation::pageChanged);
    navigation.goBack();
    QCOMPARE(navigation.page(), to);
    QCOMPARE(spy.count(), notifications);
}

void PopoverNavigationTest::assigningNotifiesOnlyOnChange_data()
{
    QTest::addColumn<PopoverPage>("current");
    QTest::addColumn<PopoverPage>("assigned");
    QTest::addColumn<int>("notifications");

    QTest::newRow("main again") << PopoverPage::main() << PopoverPage::main() << 0;
    QTest::newRow("same id, same flag")
        << PopoverPage::editPreset(u"vivid"_s, true) << PopoverPage::editPreset(u"vivid"_s, true) << 0;
    QTest::newRow("same id, other flag")
        << PopoverPage::editPreset(u"vivid"_s, true) << PopoverPage::editPreset(u"vivid"_s, false) << 1;
    QTest::newRow("other id") << PopoverPage::editPreset(u"vivid"_s, false)
                              << PopoverPage::editPreset(u"candle"_s, false) << 1;
    QTest::newRow("ids compare exactly") << PopoverPage::editPreset(u"vivid"_s, false)
                                         << PopoverPage::editPreset(u"Vivid"_s, false) << 1;
    QTest::newRow("settings to schedule") << PopoverPage::settings() << PopoverPage::schedule()
                                          << 1;
}

void PopoverNavigationTest::assigningNotifiesOnlyOnChange()
{
    QFETCH(PopoverPage, current);
    QFETCH(PopoverPage, assigned);
    QFETCH(int, notifications);

    PopoverNavigation navigation;
    navigation.setPage(current);
    QSignalSpy spy(&navigation, &PopoverNavigation::pageChanged);
    navigation.setPage(assigned);
    QCOMPARE(spy.count(), notifications);
    QCOMPARE(navigation.page(), assigned);
}

void PopoverNavigationTest::bindingPropertiesFollowThePage()
{
    PopoverNavigation navigation;
    navigation.showEditor(QStringLiteral("red-light"), true);
    QCOMPARE(navigation.pageKind(), QStringLiteral("editPreset"));
    QCOMPARE(navigation.editPresetID(), QStringLiteral("red-light"));
    QVERIFY(navigation.returnToSettings());
    QCOMPARE(navigation.property("page").value<PopoverPage>(),
             PopoverPage::editPreset(QStringLiteral("red-light"), true));

    navigation.showSchedule();
    QCOMPARE(navigation.pageKind(), QStringLiteral("schedule"));
    QCOMPARE(navigation.editPresetID(), QString());
    QVERIFY(!navigation.returnToSettings());
}

void PopoverNavigationTest::escape_data()
{
    QTest::addColumn<PopoverPage>("from");
    QTest::addColumn<PopoverPage>("to");
    QTest::addColumn<int>("closes");

    QTest::newRow("main closes") << PopoverPage::main() << PopoverPage::main() << 1;
    QTest::newRow("settings") << PopoverPage::settings() << PopoverPage::main() << 0;
    QTest::newRow("schedule") << PopoverPage::schedule() << PopoverPage::settings() << 0;
    QTest::newRow("editor from settings")
        << PopoverPage::editPreset(u"candle"_s, true) << PopoverPage::settings() << 0;
    QTest::newRow("editor from main")
        << PopoverPage::editPreset(u"candle"_s, false) << PopoverPage::main() << 0;
}

void PopoverNavigationTest::escape()
{
    QFETCH(PopoverPage, from);
    QFETCH(PopoverPage, to);
    QFETCH(int, closes);

    PopoverRig rig;
    rig.make();
    rig.navigation->setPage(from);
    rig.context->handleEscape();
    QCOMPARE(rig.navigation->page(), to);
    QCOMPARE(rig.closes, closes);
    QCOMPARE(rig.quits, 0);
}

void PopoverNavigationTest::editorFromSettingsEscapesBackToClose()
{
    PopoverRig rig;
    rig.make();
    rig.navigation->setPage(PopoverPage::editPreset(QStringLiteral("candle"), true));
    rig.context->handleEscape();
    QCOMPARE(rig.navigation->page(), PopoverPage::settings());
    rig.context->handleEscape();
    QCOMPARE(rig.navigation->page(), PopoverPage::main());
    QCOMPARE(rig.closes, 0);
    QSignalSpy spy(rig.navigation.get(), &PopoverNavigation::pageChanged);
    rig.context->handleEscape();
    QCOMPARE(rig.closes, 1);
    QCOMPARE(rig.navigation->page(), PopoverPage::main());
    QCOMPARE(spy.count(), 0);
}

void PopoverNavigationTest::pageCallbacksMoveThroughNavigation()
{
    PopoverRig rig;
    HalvoStore &store = rig.make();

    MainPresetsModel main;
    main.setContext(rig.context.get());
    main.editPreset(QStringLiteral("candle"));
    QCOMPARE(rig.navigation->page(), PopoverPage::editPreset(QStringLiteral("candle"), false));
    QCOMPARE(store.activeModeID(), QStringLiteral("standard"));

    PresetEditorModel editor;
    editor.setContext(rig.context.get());
    editor.back();
    QCOMPARE(rig.navigation->page(), PopoverPage::main());

    main.openSettings();
    QCOMPARE(rig.navigation->page(), PopoverPage::settings());

    main.quit();
    QCOMPARE(rig.quits, 1);
    QCOMPARE(rig.closes, 0);

    rig.context->showOnboarding();
    QCOMPARE(rig.onboardings, 1);
}

void PopoverNavigationTest::callbacksActOnThePageCurrentWhenTheyRun()
{
    PopoverRig rig;
    rig.make();
    PresetEditorModel editor;
    editor.setContext(rig.context.get());

    // The editor was created on one page; by the time its back action runs the
    // navigation is elsewhere, and the action follows the navigation.
    rig.navigation->setPage(PopoverPage::editPreset(QStringLiteral("vivid"), false));
    rig.navigation->setPage(PopoverPage::editPreset(QStringLiteral("vivid"), true));
    editor.back();
    QCOMPARE(rig.navigation->page(), PopoverPage::settings());
}

void PopoverNavigationTest::contextWithoutActionsIsHarmless()
{
    PopoverRig rig;
    HalvoStore &store = rig.make();
    PopoverContext bare(&store, rig.navigation.get(), {});
    bare.handleEscape();
    bare.quit();
    bare.showOnboarding();
    QCOMPARE(rig.navigation->page(), PopoverPage::main());

    // A context whose navigation is gone does nothing.
    rig.context.reset();
    PopoverContext orphan(&store, nullptr, {});
    orphan.handleEscape();
    QVERIFY(orphan.navigation() == nullptr);
}

QTEST_GUILESS_MAIN(PopoverNavigationTest)
#include "tst_popovernavigation.moc"
