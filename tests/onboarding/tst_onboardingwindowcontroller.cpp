// The onboarding window as the application uses it: opened by the
// controller, driven through its real QML content with keys and clicks,
// finished, closed with its close button and re-opened.

#include "onboardingrig.h"

#include "onboarding/onboardingmodel.h"
#include "onboarding/onboardingwindowcontroller.h"

#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickView>
#include <QScreen>
#include <QTest>

#include <memory>

class TestOnboardingWindowController : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<OnboardingRig> rig;
    std::unique_ptr<OnboardingWindowController> controller;
    int completions = 0;
    QStringList processCalls;

    OnboardingWindowController &makeController()
    {
        OnboardingWindowController::ProcessActions process;
        process.launchNewInstance = [this] { processCalls << QStringLiteral("launch"); };
        process.quit = [this] { processCalls << QStringLiteral("quit"); };
        controller = std::make_unique<OnboardingWindowController>(
            rig->store.get(), rig->defaults.get(), [this] { ++completions; }, process);
        return *controller;
    }

    QQuickItem *item(const char *name) const
    {
        auto *view = qobject_cast<QQuickView *>(controller->window());
        if (!view || !view->rootObject())
            return nullptr;
        return view->rootObject()->findChild<QQuickItem *>(QLatin1String(name));
    }

    bool showAndActivate(int step)
    {
        controller->show(step);
        return controller->window() && QTest::qWaitForWindowActive(controller->window());
    }

    void click(QQuickItem *target) const
    {
        const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
        QTest::mouseClick(controller->window(), Qt::LeftButton, {}, centre.toPoint());
    }

    static bool shown(const QQuickItem *target)
    {
        return target && target->isVisible() && target->opacity() > 0.99;
    }

private Q_SLOTS:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void init()
    {
        rig = std::make_unique<OnboardingRig>();
        QVERIFY(rig->dir.isValid());
        completions = 0;
        processCalls.clear();
    }

    void cleanup()
    {
        controller.reset();
        rig.reset();
    }

    void firstLaunchOpensWelcomePage()
    {
        rig->seedCompleted(false);
        rig->make();
        makeController();
        QVERIFY(showAndActivate(0));

        QQuickWindow *window = controller->window();
        QCOMPARE(window->title(), QStringLiteral("Welcome to Halvoscope"));
        QCOMPARE(window->size(), QSize(520, 470));
        QCOMPARE(window->minimumSize(), QSize(520, 470));
        QCOMPARE(window->maximumSize(), QSize(520, 470));
        QVERIFY(window->flags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!window->flags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window->flags().testFlag(Qt::WindowMaximizeButtonHint));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((window->geometry().center() - area.center()).manhattanLength() <= 2);

        QCOMPARE(controller->model()->step(), 0);
        QVERIFY(controller->model()->isPolling());
        QCOMPARE(controller->model()->openAtLogin(), true);
        QCOMPARE(item("stepCounter")->property("text").toString(), QStringLiteral("1 of 3"));
        QQuickItem *back = item("backButton");
        QCOMPARE(back->opacity(), 0.0);
        QCOMPARE(back->isEnabled(), false);
        // A click where the invisible Back button sits does nothing.
        click(back);
        QCOMPARE(controller->model()->step(), 0);
    }

    // Run with QT_SCALE_FACTOR=2 (its own CTest entry): the offscreen screen
    // is then smaller than the designed window.
    void smallScreenKeepsTheWindowOnIt()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        if (area.height() >= 470 + OnboardingWindowController::titleBarAllowance)
            QSKIP("the screen holds the designed window; run with QT_SCALE_FACTOR=2");
        rig->make();
        makeController();
        QVERIFY(showAndActivate(2));

        QQuickWindow *window = controller->window();
        // Within the area, with room above for a title bar (the offscreen
        // platform's own frame moves it by a pixel).
        const QRect placed = window->geometry();
        QVERIFY2(placed.top() >= area.top() + OnboardingWindowController::titleBarAllowance
                     && placed.bottom() <= area.bottom() && placed.width() <= area.width() && placed.left() >= area.left(),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(placed.x()).arg(placed.y()).arg(placed.width()).arg(placed.height())));
        // The footer stays in the window; the pages scroll to their end.
        QQuickItem *primary = item("primaryButton");
        QVERIFY(primary->mapToScene(QPointF(0, primary->height())).y() <= window->height());
        auto *pages = item("pageScrollIndicator")->parentItem();
        QVERIFY(pages->property("interactive").toBool());
        QVERIFY(item("pageScrollIndicator")->isVisible());
        const qreal hidden = pages->property("contentHeight").toReal() - pages->height();
        QCOMPARE(hidden, qreal(470 - window->height()));
        QQuickItem *page = item("ripplePage")->childItems().constFirst();
        const auto bottom = [&] { return page->mapToItem(pages, QPointF(0, page->height())).y(); };
        QVERIFY(bottom() > pages->height());
        pages->setProperty("contentY", hidden);
        QVERIFY2(bottom() <= pages->height() + 0.5, qPrintable(QString::number(bottom())));
    }

    void showWhileOpenKeepsStep()
    {
        rig->make();
        makeController();
        QVERIFY(showAndActivate(0));
        QQuickWindow *window = controller->window();
        OnboardingModel *model = controller->model();
        model->primaryAction();
        QCOMPARE(model->step(), 1);

        controller->show(0);
        QCOMPARE(controller->window(), window);
        QCOMPARE(controller->model(), model);
        QCOMPARE(model->step(), 1);
        QVERIFY(window->isVisible());
    }

    void setupGuideShowsLoginItem_data()
    {
        QTest::addColumn<bool>("registered");
        QTest::newRow("login item on") << true;
        QTest::newRow("login item off") << false;
    }

    void setupGuideShowsLoginItem()
    {
        QFETCH(bool, registered);
        rig->seedCompleted(true);
        rig->loginItems->enabled = registered;
        rig->make();
        makeController();
        QVERIFY(showAndActivate(0));
        QTest::keyClick(controller->window(), Qt::Key_Return);

        QQuickItem *loginSwitch = item("loginSwitch");
        QTRY_VERIFY(shown(item("loginItemPage")));
        QCOMPARE(loginSwitch->property("checked").toBool(), registered);
        click(loginSwitch);
        QCOMPARE(controller->model()->openAtLogin(), !registered);
        QCOMPARE(loginSwitch->property("checked").toBool(), !registered);
        QCOMPARE(item("loginStatus")->property("text").toString(),
                 registered ? QStringLiteral("Off · Open Halvoscope manually from Applications")
                            : QStringLiteral("Enabled · Launches quietly in your system tray"));
        // Nothing is registered until "Continue →".
        QCOMPARE(rig->loginItems->enabled, registered);

        QTest::keyClick(controller->window(), Qt::Key_Return);
        QCOMPARE(rig->loginItems->enabled, !registered);
        QCOMPARE(controller->model()->step(), 2);
    }

    void returnPressesPrimaryButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("granted");
        QTest::newRow("Return, permission granted") << int(Qt::Key_Return) << true;
        QTest::newRow("Return, no permission") << int(Qt::Key_Return) << false;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
    }

    void returnPressesPrimaryButton()
    {
        QFETCH(int, key);
        QFETCH(bool, granted);
        rig->ripple->granted = granted;
        rig->make();
        makeController();
        QVERIFY(showAndActivate(0));
        QPointer<QQuickWindow> window = controller->window();

        QTest::keyClick(window, Qt::Key(key));
        QCOMPARE(controller->model()->step(), 1);
        QTest::keyClick(window, Qt::Key(key));
        QCOMPARE(controller->model()->step(), 2);
        QCOMPARE(rig->loginItems->enabled, true);
        QTest::keyClick(window, Qt::Key(key));
        QCOMPARE(completions, 1);
        QCOMPARE(rig->saved().opticalRefractionEnabled, granted);
        QVERIFY(rig->saved().hasCompletedOnboarding);
        QCOMPARE(controller->window(), nullptr);
        QTRY_VERIFY(window.isNull());
    }

    void finishRemovesMarker()
    {
        rig->writeMarkerFile(true);
        rig->ripple->granted = true;
        rig->make();
        makeController();
        QVERIFY(showAndActivate(2));
        QVERIFY(!shown(item("skipButton")));
        click(item("primaryButton"));

        QCOMPARE(completions, 1);
        QVERIFY(!rig->markerKeyOnDisk());
        QVERIFY(rig->saved().hasCompletedOnboarding);
        QCOMPARE(controller->window(), nullptr);
    }

    void skipForNow()
    {
        rig->make();
        makeController();
        QVERIFY(showAndActivate(2));
        QVERIFY(shown(item("skipButton")));
        click(item("skipButton"));
        QCOMPARE(completions, 1);
        QCOMPARE(rig->saved().opticalRefractionEnabled, false);
        QCOMPARE(controller->window(), nullptr);
    }

    void permissionThenRelaunch()
    {
        rig->make();
        makeController();
        QVERIFY(showAndActivate(2));
        QVERIFY(!item("relaunchButton")->isVisible());
        click(item("enableButton"));
        QCOMPARE(rig->ripple->calls, QStringList{QStringLiteral("request")});
        QVERIFY(rig->markerOnDisk());
        QVERIFY(item("relaunchButton")->isVisible());

        click(item("relaunchButton"));
        QCOMPARE(processCalls, (QStringList{QStringLiteral("launch"), QStringLiteral("quit")}));
        QCOMPARE(completions, 0);
    }

    void closeButton_data()
    {
        QTest::addColumn<bool>("completedBefore");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<bool>("stateWritten");

        QTest::newRow("first launch") << false << false << true;
        QTest::newRow("marker is left alone") << false << true << true;
        QTest::newRow("already complete: nothing to save") << true << false << false;
    }

    void closeButton()
    {
        QFETCH(bool, completedBefore);
        QFETCH(bool, marker);
        rig->seedCompleted(completedBefore);
        if (marker)
            rig->writeMarkerFile(true);
        rig->make();
        rig->dropStateFile();
        makeController();
        QVERIFY(showAndActivate(0));
        QPointer<QQuickWindow> window = controller->window();

        QVERIFY(window->close());
        QCOMPARE(controller->window(), nullptr);
        QCOMPARE(controller->model(), nullptr);
        QCOMPARE(completions, 0);
        QVERIFY(rig->store->hasCompletedOnboarding());
        QTEST(rig->stateFileExists(), "stateWritten");
        QCOMPARE(rig->markerOnDisk(), marker);
        QTRY_VERIFY(window.isNull());

        // Opening again starts afresh.
        QVERIFY(showAndActivate(0));
        QVERIFY(controller->window() != nullptr);
        QCOMPARE(controller->model()->step(), 0);
        QCOMPARE(controller->model()->requestedPermission(), false);
    }
};

QTEST_MAIN(TestOnboardingWindowController)
#include "tst_onboardingwindowcontroller.moc"
