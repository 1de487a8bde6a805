// The onboarding page state and its actions, driven directly: initial values,
// navigation, the login item, entering the ripple page, the permission poll,
// the permission request and the ways the flow ends.

#include "onboardingrig.h"

#include "onboarding/onboardingmodel.h"

#include <QLocale>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestOnboardingModel : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OnboardingRig> rig;
    int finishes = 0;
    QStringList processCalls;

    std::unique_ptr<OnboardingModel> makeModel(int startStep)
    {
        OnboardingModel::Actions actions;
        actions.onFinish = [this] { ++finishes; };
        actions.launchNewInstance = [this] {
            processCalls << QStringLiteral("launch marker=%1 completed=%2")
                                .arg(rig->markerOnDisk())
                                .arg(rig->saved().hasCompletedOnboarding);
        };
        actions.quit = [this] { processCalls << QStringLiteral("quit"); };
        return std::make_unique<OnboardingModel>(rig->store.get(), rig->defaults.get(), startStep,
                                                 std::move(actions));
    }

private Q_SLOTS:
    void init()
    {
        rig = std::make_unique<OnboardingRig>();
        QVERIFY(rig->dir.isValid());
        finishes = 0;
        processCalls.clear();
    }

    void cleanup() { rig.reset(); }

    void initialState_data()
    {
        QTest::addColumn<int>("startStep");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<bool>("loginItemEnabled");
        QTest::addColumn<bool>("withRipple");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("openAtLogin");
        QTest::addColumn<bool>("hasScreenPermission");
        // What the login items say against switching them on.
        QTest::addColumn<QString>("startOffReason");
        QTest::addColumn<QString>("loginStatus");

        const QString on = QStringLiteral("Enabled · Launches quietly in your system tray");
        const QString off = QStringLiteral("Off · Open Halvoscope manually from Applications");
        const QString buildTree = QStringLiteral("Off · runs from a build tree");
        QTest::newRow("first launch from a build tree")
            << 0 << false << false << true << false << 0 << false << false << buildTree << buildTree;
        QTest::newRow("from a build tree, login item already on")
            << 0 << false << true << true << false << 0 << true << false << buildTree << on;
        QTest::newRow("first launch") << 0 << false << false << true << false << 0 << true << false << QString() << on;
        QTest::newRow("first launch, login item already on")
            << 0 << false << true << true << false << 0 << true << false << QString() << QString();
        QTest::newRow("setup guide, login item on") << 0 << true << true << true << true << 0 << true << true << QString() << QString();
        QTest::newRow("setup guide, login item off") << 0 << true << false << true << true << 0 << false << true << QString() << off;
        QTest::newRow("start step below range") << -4 << false << false << true << false << 0 << true << false << QString() << QString();
        QTest::newRow("start step above range") << 9 << false << false << true << true << 2 << true << true << QString() << QString();
        QTest::newRow("no ripple engine") << 2 << false << false << false << true << 2 << true << false << QString() << QString();
    }

    void initialState()
    {
        QFETCH(int, startStep);
        QFETCH(bool, completed);
        QFETCH(bool, loginItemEnabled);
        QFETCH(bool, withRipple);
        QFETCH(bool, granted);

        rig->seedCompleted(completed);
        rig->loginItems->enabled = loginItemEnabled;
        QFETCH(QString, startOffReason);
        rig->loginItems->startOffReason = startOffReason;
        rig->withRipple = withRipple;
        rig->ripple->granted = granted;
        rig->make();
        auto model = makeModel(startStep);

        QTEST(model->step(), "step");
        QTEST(model->openAtLogin(), "openAtLogin");
        QTEST(model->hasScreenPermission(), "hasScreenPermission");
        QFETCH(QString, loginStatus);
        if (!loginStatus.isEmpty())
            QCOMPARE(model->loginStatusText(), loginStatus);
        QCOMPARE(model->requestedPermission(), false);
        QCOMPARE(model->didWarmUpCapture(), false);
        QCOMPARE(model->previewWarm(), false);
        QCOMPARE(model->rippleScale(), 0.1);
        QCOMPARE(model->rippleOpacity(), 0.0);
        QCOMPARE(model->isPolling(), false);
        QCOMPARE(model->relaunchVisible(), false);
        // Building the page neither registers anything nor asks for anything.
        QCOMPARE(rig->loginItems->enabled, loginItemEnabled);
        QVERIFY(rig->ripple->calls.isEmpty());
    }

    void backStopsAtWelcome()
    {
        rig->make();
        auto model = makeModel(2);
        QSignalSpy steps(model.get(), &OnboardingModel::stepChanged);
        model->back();
        QCOMPARE(model->step(), 1);
        model->back();
        QCOMPARE(model->step(), 0);
        QCOMPARE(model->backVisible(), false);
        model->back();
        QCOMPARE(model->step(), 0);
        QCOMPARE(steps.count(), 2);
    }

    void continueSetsLoginItem_data()
    {
        QTest::addColumn<bool>("registered");
        QTest::addColumn<bool>("switchOn");
        QTest::addColumn<bool>("refuses");
        QTest::addColumn<bool>("registeredAfter");
        QTest::addColumn<QString>("error");

        QTest::newRow("switch on registers") << false << true << false << true << QString();
        QTest::newRow("switch off unregisters") << true << false << false << false << QString();
        QTest::newRow("refusal still moves on")
            << false << true << true << false
            << QStringLiteral("Unable to update Launch at Login: Permission denied");
    }

    void continueSetsLoginItem()
    {
        QFETCH(bool, registered);
        QFETCH(bool, switchOn);
        QFETCH(bool, refuses);
        QFETCH(QString, error);

        rig->seedCompleted(true);
        rig->loginItems->enabled = registered;
        if (refuses)
            rig->loginItems->failure = QStringLiteral("Permission denied");
        rig->make();
        auto model = makeModel(1);
        QCOMPARE(model->openAtLogin(), registered);
        model->setOpenAtLogin(switchOn);

        model->primaryAction();
        QTEST(rig->loginItems->enabled, "registeredAfter");
        QCOMPARE(rig->store->errorMessage().value_or(QString()), error);
        QCOMPARE(model->step(), 2);
    }

    void enteringRipplePage_data()
    {
        QTest::addColumn<bool>("granted");
        QTest::newRow("permission granted") << true;
        QTest::newRow("no permission") << false;
    }

    void enteringRipplePage()
    {
        QFETCH(bool, granted);
        rig->make();
        auto model = makeModel(1);
        // The permission is read when the page is entered, not when the window opened.
        rig->ripple->granted = granted;
        QSignalSpy played(model.get(), &OnboardingModel::previewRipplePlayed);

        model->primaryAction();
        QCOMPARE(model->hasScreenPermission(), granted);
        QCOMPARE(model->skipVisible(), !granted);
        QCOMPARE(rig->ripple->count(QStringLiteral("warmUp")), granted ? 1 : 0);
        QCOMPARE(model->didWarmUpCapture(), granted);
        QCOMPARE(played.count(), 0);
        QTRY_COMPARE(played.count(), 1);
        QCOMPARE(model->previewWarm(), true);

        // Back and forward again: a second preview, but never a second warm-up.
        model->back();
        model->primaryAction();
        QTRY_COMPARE(played.count(), 2);
        QCOMPARE(model->previewWarm(), false);
        QCOMPARE(rig->ripple->count(QStringLiteral("warmUp")), granted ? 1 : 0);
    }

    void openedOnRipplePage_data()
    {
        QTest::addColumn<bool>("granted");
        QTest::newRow("permission granted") << true;
        QTest::newRow("no permission") << false;
    }

    void openedOnRipplePage()
    {
        QFETCH(bool, granted);
        rig->ripple->granted = granted;
        rig->make();
        auto model = makeModel(2);
        QSignalSpy played(model.get(), &OnboardingModel::previewRipplePlayed);
        QCOMPARE(rig->ripple->count(QStringLiteral("warmUp")), 0);

        model->viewAppeared();
        model->viewAppeared();
        QVERIFY(model->isPolling());
        QCOMPARE(rig->ripple->count(QStringLiteral("warmUp")), granted ? 1 : 0);
        QTest::qWait(2 * OnboardingModel::previewDelayMs);
        QCOMPARE(played.count(), 0);
    }

    void pollSwitchesRefractionOn()
    {
        HalvoPersistedState state;
        state.opticalRefractionEnabled = false;
        rig->seed(state);
        rig->make();
        auto model = makeModel(1);
        model->viewAppeared();
        model->primaryAction();
        QCOMPARE(model->skipVisible(), true);
        QSignalSpy played(model.get(), &OnboardingModel::previewRipplePlayed);
        QTRY_COMPARE(played.count(), 1);

        rig->ripple->granted = true;
        QTRY_VERIFY(model->hasScreenPermission());
        QCOMPARE(rig->store->opticalRefractionEnabled(), true);
        QCOMPARE(rig->saved().opticalRefractionEnabled, true);
        QCOMPARE(played.count(), 2);
        QCOMPARE(model->skipVisible(), false);
        QCOMPARE(rig->ripple->count(QStringLiteral("warmUp")), 1);

        // Later ticks see nothing new.
        QTest::qWait(OnboardingModel::pollIntervalMs + 200);
        QCOMPARE(played.count(), 2);
        QCOMPARE(rig->ripple->count(QStringLiteral("warmUp")), 1);
    }

    void pollSeesWithdrawal()
    {
        rig->ripple->granted = true;
        rig->make();
        auto model = makeModel(2);
        model->viewAppeared();
        rig->store->setOpticalRefractionEnabled(false);
        QSignalSpy played(model.get(), &OnboardingModel::previewRipplePlayed);

        rig->ripple->granted = false;
        QTRY_VERIFY(!model->hasScreenPermission());
        QCOMPARE(model->skipVisible(), true);
        QCOMPARE(rig->store->opticalRefractionEnabled(), false);
        QCOMPARE(played.count(), 0);
    }

    void pollOnlyOnRipplePage()
    {
        rig->make();
        auto model = makeModel(1);
        model->viewAppeared();
        rig->ripple->granted = true;
        QTest::qWait(OnboardingModel::pollIntervalMs + 300);
        QCOMPARE(model->hasScreenPermission(), false);
        QCOMPARE(rig->store->opticalRefractionEnabled(), true);
        QCOMPARE(rig->ripple->count(QStringLiteral("warmUp")), 0);
    }

    void pollStopsWithTheWindow()
    {
        rig->make();
        auto model = makeModel(2);
        model->viewAppeared();
        model->stop();
        QVERIFY(!model->isPolling());
        rig->store->setOpticalRefractionEnabled(false);
        rig->ripple->granted = true;
        QTest::qWait(OnboardingModel::pollIntervalMs + 300);
        QCOMPARE(model->hasScreenPermission(), false);
        QCOMPARE(rig->store->opticalRefractionEnabled(), false);
    }

    void endingTheFlow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<bool>("refractionBefore");
        QTest::addColumn<bool>("refractionAfter");
        QTest::addColumn<int>("finished");

        QTest::newRow("Skip for Now") << "skip" << false << true << false << 1;
        QTest::newRow("Start Using Halvoscope without permission") << "start" << false << true << false << 1;
        QTest::newRow("Start Using Halvoscope with permission") << "start" << true << false << true << 1;
        QTest::newRow("Skip for Now is not offered with permission") << "skip" << true << true << true << 0;
    }

    void endingTheFlow()
    {
        QFETCH(QString, button);
        QFETCH(bool, granted);
        QFETCH(bool, refractionBefore);

        HalvoPersistedState state;
        state.opticalRefractionEnabled = refractionBefore;
        rig->seed(state);
        rig->ripple->granted = granted;
        rig->make();
        auto model = makeModel(2);

        if (button == QLatin1String("skip"))
            model->skip();
        else
            model->primaryAction();
        QTEST(rig->store->opticalRefractionEnabled(), "refractionAfter");
        QTEST(rig->saved().opticalRefractionEnabled, "refractionAfter");
        QTEST(finishes, "finished");
        QVERIFY(processCalls.isEmpty());
    }

    void permissionRequestRecordsFirst()
    {
        HalvoPersistedState state;
        state.opticalRefractionEnabled = false;
        rig->seed(state);
        rig->make();
        auto model = makeModel(2);
        QString seenAtRequest;
        rig->ripple->onRequest = [&] {
            seenAtRequest = QStringLiteral("completed=%1 saved=%2 marker=%3 refraction=%4 requested=%5")
                                .arg(rig->store->hasCompletedOnboarding())
                                .arg(rig->saved().hasCompletedOnboarding)
                                .arg(rig->markerOnDisk())
                                .arg(rig->saved().opticalRefractionEnabled)
                                .arg(model->requestedPermission());
        };
        QSignalSpy relaunch(model.get(), &OnboardingModel::relaunchVisibleChanged);

        model->requestPermission();
        QCOMPARE(seenAtRequest,
                 QStringLiteral("completed=1 saved=1 marker=1 refraction=1 requested=1"));
        QCOMPARE(rig->ripple->calls, QStringList{QStringLiteral("request")});
        QCOMPARE(model->relaunchVisible(), true);
        QCOMPARE(relaunch.count(), 1);
        QCOMPARE(finishes, 0);
    }

    void permissionRequestWithoutEngine()
    {
        rig->withRipple = false;
        rig->make();
        auto model = makeModel(2);
        model->requestPermission();
        QVERIFY(rig->markerOnDisk());
        QVERIFY(rig->saved().hasCompletedOnboarding);
        QVERIFY(rig->saved().opticalRefractionEnabled);
        QVERIFY(model->relaunchVisible());
        QCOMPARE(finishes, 0);
    }

    void captureThatCannotBeAsked_data()
    {
        QTest::addColumn<bool>("requestable");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<bool>("unavailable");
        QTest::addColumn<int>("requests");

        QTest::newRow("session without capture") << false << false << true << 0;
        QTest::newRow("capture given, nothing to ask") << false << true << false << 0;
        QTest::newRow("capture that can be asked for") << true << false << false << 1;
    }

    // Where nobody can grant screen capture, the request is not offered and
    // pressing it anyway records nothing.
    void captureThatCannotBeAsked()
    {
        QFETCH(bool, requestable);
        QFETCH(bool, granted);
        HalvoPersistedState state;
        state.opticalRefractionEnabled = false;
        rig->seed(state);
        rig->ripple->requestable = requestable;
        rig->ripple->granted = granted;
        rig->make();
        auto model = makeModel(2);
        QTEST(model->captureUnavailable(), "unavailable");

        model->requestPermission();
        QTEST(int(rig->ripple->count(QStringLiteral("request"))), "requests");
        const bool asked = rig->ripple->count(QStringLiteral("request")) > 0;
        QCOMPARE(model->requestedPermission(), asked);
        QCOMPARE(model->relaunchVisible(), asked);
        QCOMPARE(rig->markerOnDisk(), asked);
        QCOMPARE(rig->saved().hasCompletedOnboarding, asked);
        QCOMPARE(rig->saved().opticalRefractionEnabled, asked);
    }

    void relaunchAndFinish()
    {
        rig->make();
        auto model = makeModel(2);
        // Not offered before the request.
        model->relaunchAndFinish();
        QVERIFY(processCalls.isEmpty());

        model->requestPermission();
        // Relaunching records both again itself, before the new process starts.
        RelaunchMarker::remove(*rig->defaults);
        rig->store->setHasCompletedOnboarding(false);
        model->relaunchAndFinish();
        QCOMPARE(processCalls, (QStringList{QStringLiteral("launch marker=1 completed=1"),
                                            QStringLiteral("quit")}));
        QCOMPARE(finishes, 0);
    }

    void previewRipple()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const auto restoreLocale = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        rig->make();
        auto model = makeModel(2);
        QList<qreal> scales;
        QList<qreal> opacities;
        connect(model.get(), &OnboardingModel::rippleScaleChanged, this,
                [&] { scales << model->rippleScale(); });
        connect(model.get(), &OnboardingModel::rippleOpacityChanged, this,
                [&] { opacities << model->rippleOpacity(); });
        QSignalSpy played(model.get(), &OnboardingModel::previewRipplePlayed);

        model->playPreviewRipple();
        QCOMPARE(model->previewWarm(), true);
        QCOMPARE(model->previewLabel(), QStringLiteral("Red Light · 1,000 K"));
        QCOMPARE(scales, (QList<qreal>{0.12, 4.4}));
        QCOMPARE(opacities, (QList<qreal>{0.9, 0.0}));
        QCOMPARE(played.count(), 1);
        QCOMPARE(played.at(0).at(0).toReal(), 0.12);
        QCOMPARE(played.at(0).at(1).toReal(), 0.9);

        // A second play starts again from the small, opaque ring.
        model->playPreviewRipple();
        QCOMPARE(model->previewWarm(), false);
        QCOMPARE(model->previewLabel(), QStringLiteral("Standard · 6,500 K"));
        QCOMPARE(scales, (QList<qreal>{0.12, 4.4, 0.12, 4.4}));
        QCOMPARE(played.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestOnboardingModel)
#include "tst_onboardingmodel.moc"
