// The first-run step of the launch: finishing an onboarding interrupted by a
// relaunch (marker in the user-defaults file), opening the onboarding on a
// first run, or nothing.

#include "onboardingrig.h"

#include "onboarding/firstlaunch.h"

#include <QTest>

#include <memory>

class TestFirstLaunch : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OnboardingRig> rig;
    int popovers = 0;
    int onboardings = 0;

    void run()
    {
        runFirstLaunchHandling(
            *rig->store, *rig->defaults, [this] { ++popovers; },
            [this] { ++onboardings; });
    }

private Q_SLOTS:
    void init()
    {
        rig = std::make_unique<OnboardingRig>();
        QVERIFY(rig->dir.isValid());
        popovers = 0;
        onboardings = 0;
    }

    void cleanup() { rig.reset(); }

    void markerFinishesOnboarding_data()
    {
        QTest::addColumn<bool>("completedBefore");
        QTest::addColumn<bool>("withRipple");

        QTest::newRow("onboarding unfinished") << false << true;
        QTest::newRow("onboarding already complete") << true << true;
        QTest::newRow("no ripple engine") << false << false;
    }

    void markerFinishesOnboarding()
    {
        QFETCH(bool, completedBefore);
        QFETCH(bool, withRipple);

        rig->seedCompleted(completedBefore);
        rig->writeMarkerFile(true);
        rig->withRipple = withRipple;
        rig->ripple->holdWarmUps = true;
        rig->make();
        rig->dropStateFile();

        run();
        QVERIFY(!rig->markerKeyOnDisk());
        QVERIFY(rig->store->hasCompletedOnboarding());
        // Written even when it already said so.
        QVERIFY(rig->stateFileExists());
        QVERIFY(rig->saved().hasCompletedOnboarding);
        // Nothing shows while the launch itself runs.
        QCOMPARE(popovers, 0);

        if (withRipple) {
            QTRY_COMPARE(rig->ripple->count(QStringLiteral("warmUp")), 1);
            QTest::qWait(50);
            QCOMPARE(popovers, 0);
            rig->ripple->finishWarmUps();
        }
        QTRY_COMPARE(popovers, 1);
        QTest::qWait(50);
        QCOMPARE(popovers, 1);
        QCOMPARE(onboardings, 0);
    }

    void withoutMarker_data()
    {
        QTest::addColumn<bool>("markerKey");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<int>("expectedOnboardings");

        QTest::newRow("first launch") << false << false << 1;
        QTest::newRow("onboarding finished") << false << true << 0;
        QTest::newRow("marker false, first launch") << true << false << 1;
        QTest::newRow("marker false, onboarding finished") << true << true << 0;
    }

    void withoutMarker()
    {
        QFETCH(bool, markerKey);
        QFETCH(bool, completed);

        rig->seedCompleted(completed);
        if (markerKey)
            rig->writeMarkerFile(false);
        rig->make();
        rig->dropStateFile();

        run();
        QTest::qWait(50);
        QTEST(onboardings, "expectedOnboardings");
        QCOMPARE(popovers, 0);
        QCOMPARE(rig->store->hasCompletedOnboarding(), completed);
        QVERIFY(!rig->stateFileExists());
        QVERIFY(rig->ripple->calls.isEmpty());
    }

    void storeGoneBeforeThePopover_data()
    {
        QTest::addColumn<bool>("duringWarmUp");
        QTest::newRow("before the task runs") << false;
        QTest::newRow("during the warm-up") << true;
    }

    void storeGoneBeforeThePopover()
    {
        QFETCH(bool, duringWarmUp);
        rig->writeMarkerFile(true);
        rig->ripple->holdWarmUps = true;
        rig->make();

        run();
        if (duringWarmUp)
            QTRY_COMPARE(rig->ripple->count(QStringLiteral("warmUp")), 1);
        rig->store.reset();
        rig->ripple->finishWarmUps();
        QTest::qWait(50);
        QCOMPARE(popovers, 0);
        QCOMPARE(rig->ripple->count(QStringLiteral("warmUp")), duringWarmUp ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestFirstLaunch)
#include "tst_firstlaunch.moc"
