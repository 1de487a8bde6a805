#include "app/popoverwindow.h"
#include "app/statusbarcontroller.h"
#include "core/halvostore.h"
#include "core/statepersistence.h"
#include "popover/popovercontext.h"
#include "popover/popovernavigation.h"

#include "recordingengines.h"

#include <QApplication>
#include <QPointer>
#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>

// The controller on Qt's offscreen platform, which has no tray at all: the
// logic that does not need one, and the popover at the fallback anchor.
class TestStatusBarController : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::shared_ptr<CallLog> m_log;
    std::unique_ptr<HalvoStore> m_store;

    std::unique_ptr<HalvoStore> makeStore()
    {
        return std::make_unique<HalvoStore>(
            StatePersistence(m_dir.filePath(QStringLiteral("state.json"))),
            std::make_shared<RecordingColorEngine>(m_log),
            std::make_shared<RecordingBrightnessEngine>(m_log),
            std::make_shared<RecordingKeepAwakeEngine>(m_log), nullptr,
            [] { return QDateTime::currentDateTime(); }, std::make_shared<RecordingLoginItems>());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
    }

    void init()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("state.json")));
        m_log = std::make_shared<CallLog>();
        m_store = makeStore();
    }

    void toolTipFollowsTheStore()
    {
        StatusBarController controller(m_store.get(), {});
        QCOMPARE(controller.trayIcon()->toolTip(),
                 QString::fromUtf8("Halvoscope \u00B7 Standard\nRight-click to return to Standard"));
        m_store->activatePreset(QStringLiteral("candle"), false);
        m_store->setKeepAwake(true);
        QTRY_COMPARE(controller.trayIcon()->toolTip(),
                     QString::fromUtf8("Halvoscope \u00B7 Candle \u00B7 Keeping Awake\nRight-click to return to Standard"));
        const HalvoPreset mine = m_store->addCustomPreset(QStringLiteral("Mine"));
        m_store->activatePreset(mine.id, false);
        m_store->renamePreset(mine.id, QStringLiteral("Fireside"));
        QTRY_VERIFY(controller.trayIcon()->toolTip().startsWith(
            QString::fromUtf8("Halvoscope \u00B7 Fireside \u00B7 Keeping Awake")));
        QVERIFY(!controller.trayIcon()->icon().isNull());
    }

    void contextClickReturnsToStandard_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("expected");
        QTest::newRow("right click") << int(QSystemTrayIcon::Context) << "standard";
        QTest::newRow("middle click does nothing") << int(QSystemTrayIcon::MiddleClick) << "vivid";
    }

    void contextClickReturnsToStandard()
    {
        QFETCH(int, reason);
        QFETCH(QString, expected);
        StatusBarController controller(m_store.get(), {});
        m_store->activatePreset(QStringLiteral("vivid"), false);
        controller.handleActivation(QSystemTrayIcon::ActivationReason(reason));
        QCOMPARE(m_store->activeModeID(), expected);
        QVERIFY(!controller.isPopoverShown());
    }

    void leftClickTogglesThePopoverOnMain()
    {
        StatusBarController controller(m_store.get(), {});
        controller.navigation()->setPage(PopoverPage::settings());
        m_log->calls.clear();

        controller.handleActivation(QSystemTrayIcon::Trigger);
        QVERIFY(controller.isPopoverShown());
        QCOMPARE(controller.navigation()->page(), PopoverPage::main());
        QVERIFY(m_log->calls.contains(QStringLiteral("brightness.read")));
        QCOMPARE(controller.popoverWindow()->width(), 280);

        controller.handleActivation(QSystemTrayIcon::Trigger);
        QVERIFY(!controller.isPopoverShown());
        // Closing leaves the page alone; the next opening resets it.
        controller.navigation()->setPage(PopoverPage::schedule());
        controller.handleActivation(QSystemTrayIcon::Trigger);
        QCOMPARE(controller.navigation()->page(), PopoverPage::main());
    }

    void rightClickClosesAnOpenPopover()
    {
        StatusBarController controller(m_store.get(), {});
        m_store->activatePreset(QStringLiteral("candle"), false);
        controller.openPopover();
        QVERIFY(controller.isPopoverShown());
        controller.handleActivation(QSystemTrayIcon::Context);
        QVERIFY(!controller.isPopoverShown());
        QCOMPARE(m_store->activeModeID(), QStringLiteral("standard"));
    }

    void withoutATrayThePopoverHangsFromTheFallbackAnchor()
    {
        StatusBarController controller(m_store.get(), {});
        QVERIFY(!controller.statusButtonCenter());
        controller.showPopover();
        QTRY_VERIFY(controller.isPopoverShown());
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = controller.popoverWindow()->geometry();
        // Centred on the 2 px anchor 160 px left of the area's right edge.
        QCOMPARE(frame.left(), area.x() + area.width() - 160 + 1 - 140);
        QCOMPARE(frame.top(), area.top() + 2 + 4);
    }

    void quitFromThePopoverUsesTheGivenAction()
    {
        int quits = 0;
        StatusBarController controller(m_store.get(), {{}, [&] { ++quits; }, {}, {}});
        controller.openPopover();
        QQuickItem *root = controller.popoverWindow()->rootObject();
        QVERIFY(root);
        QObject *context = root->property("context").value<QObject *>();
        QVERIFY(context);
        QVERIFY(QMetaObject::invokeMethod(context, "quit"));
        QCOMPARE(quits, 1);
        QVERIFY(QMetaObject::invokeMethod(context, "handleEscape"));
        QVERIFY(!controller.isPopoverShown());
    }

    // Closed long enough, the popover lets its window and QML engine go; the
    // next opening builds them again, on the main page, over the same store.
    // Opened again sooner, it is the same window.
    void aReleasedPopoverIsBuiltAgain()
    {
        StatusBarController controller(m_store.get(), {});
        controller.openPopover();
        const QPointer<PopoverWindow> first = controller.popoverWindow();
        controller.closePopover();
        controller.openPopover();
        QCOMPARE(controller.popoverWindow(), first.data());

        controller.setPopoverReleaseDelay(std::chrono::milliseconds(0));
        controller.navigation()->setPage(PopoverPage::settings());
        controller.closePopover();
        QTRY_VERIFY(!first);
        QVERIFY(!controller.popoverWindow());
        QCOMPARE(controller.navigation()->page(), PopoverPage::settings());

        m_store->activatePreset(QStringLiteral("candle"), false);
        controller.handleActivation(QSystemTrayIcon::Trigger);
        QVERIFY(controller.isPopoverShown());
        QCOMPARE(controller.navigation()->page(), PopoverPage::main());
        QQuickItem *root = controller.popoverWindow()->rootObject();
        QVERIFY(root);
        auto *context = qobject_cast<PopoverContext *>(root->property("context").value<QObject *>());
        QVERIFY(context);
        QCOMPARE(context->store(), m_store.get());
        QCOMPARE(context->store()->activeModeID(), QStringLiteral("candle"));
        QVERIFY(QMetaObject::invokeMethod(context, "handleEscape"));
        QVERIFY(!controller.isPopoverShown());
    }

    // The popover's update check and version come from the application,
    // and only a build that offers the check hands one over.
    void popoverGetsTheUpdateCheckTheBuildOffers()
    {
        StatusBarController controller(m_store.get(), {});
        controller.openPopover();
        QQuickItem *root = controller.popoverWindow()->rootObject();
        QVERIFY(root);
        auto *context = qobject_cast<PopoverContext *>(root->property("context").value<QObject *>());
        QVERIFY(context);
        QCOMPARE(context->version(), QStringLiteral(HALVOSCOPE_PROJECT_VERSION));
        std::unique_ptr<UpdateChecking> check(context->makeUpdateChecking());
        QCOMPARE(check != nullptr, bool(HALVOSCOPE_UPDATE_CHECK));
        if (check)
            QVERIFY(!check->isChecking());
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication application(argc, argv);
    TestStatusBarController test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_statusbarcontroller.moc"
