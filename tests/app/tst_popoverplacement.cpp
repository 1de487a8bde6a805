#include "app/popoverplacement.h"

#include <QTest>

#include <algorithm>

using Screens = QList<PopoverPlacement::Screen>;
Q_DECLARE_METATYPE(Screens)
Q_DECLARE_METATYPE(std::optional<QPoint>)
Q_DECLARE_METATYPE(std::optional<QSize>)

namespace {

// 1280×800 with a 24 px panel along the top.
const PopoverPlacement::Screen laptop{QRect(0, 0, 1280, 800), QRect(0, 24, 1280, 776)};
// A second, larger screen to its right with a 30 px panel.
const PopoverPlacement::Screen monitor{QRect(1280, 0, 1920, 1080), QRect(1280, 30, 1920, 1050)};
// The same laptop with its panel along the bottom.
const PopoverPlacement::Screen laptopBottomPanel{QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 776)};

// The laptop at QT_SCALE_FACTOR=2: 640×400 logical pixels, a 12 px panel.
const PopoverPlacement::Screen scaledLaptop{QRect(0, 0, 640, 400), QRect(0, 12, 640, 388)};

const QSize popover(280, 400);

} // namespace

class TestPopoverPlacement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void topLeft_data()
    {
        QTest::addColumn<QRect>("tray");
        QTest::addColumn<Screens>("screens");
        QTest::addColumn<int>("primary");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<std::optional<QPoint>>("expected");

        QTest::newRow("icon mid-panel: centred below it")
            << QRect(600, 0, 24, 24) << Screens{laptop} << 0 << popover
            << std::optional(QPoint(472, 28));
        QTest::newRow("icon at top right: pulled in from the right edge")
            << QRect(1180, 1, 22, 22) << Screens{laptop} << 0 << popover
            << std::optional(QPoint(1000, 27));
        QTest::newRow("icon at the left edge: pulled in from the left edge")
            << QRect(2, 0, 24, 24) << Screens{laptop} << 0 << popover
            << std::optional(QPoint(0, 28));
        QTest::newRow("icon on the second screen")
            << QRect(3000, 3, 24, 24) << Screens{laptop, monitor} << 0 << popover
            << std::optional(QPoint(2872, 31));
        QTest::newRow("icon at the second screen's right edge stays on that screen")
            << QRect(3180, 3, 24, 24) << Screens{laptop, monitor} << 0 << popover
            << std::optional(QPoint(2920, 31));
        QTest::newRow("icon near the shared edge belongs to the screen holding most of it")
            << QRect(1270, 3, 24, 24) << Screens{laptop, monitor} << 0 << popover
            << std::optional(QPoint(1280, 31));
        QTest::newRow("icon on a screen other than the primary one")
            << QRect(600, 0, 24, 24) << Screens{laptop, monitor} << 1 << popover
            << std::optional(QPoint(472, 28));
        QTest::newRow("panel at the bottom: opens upwards")
            << QRect(1180, 777, 22, 22) << Screens{laptopBottomPanel} << 0 << popover
            << std::optional(QPoint(1000, 373));
        QTest::newRow("empty rectangle: fallback 160 px left of the right edge")
            << QRect() << Screens{laptop} << 0 << popover
            << std::optional(QPoint(981, 30));
        QTest::newRow("1 px rectangle: fallback")
            << QRect(1180, 1, 1, 1) << Screens{laptop} << 0 << popover
            << std::optional(QPoint(981, 30));
        QTest::newRow("rectangle on no screen: fallback")
            << QRect(-500, -500, 22, 22) << Screens{laptop} << 0 << popover
            << std::optional(QPoint(981, 30));
        QTest::newRow("fallback on the primary screen")
            << QRect() << Screens{laptop, monitor} << 1 << popover
            << std::optional(QPoint(2901, 36));
        QTest::newRow("primary index out of range: first screen")
            << QRect() << Screens{laptop, monitor} << 7 << popover
            << std::optional(QPoint(981, 30));
        QTest::newRow("popover larger than the area: top-left corner inside it")
            << QRect(1180, 1, 22, 22) << Screens{laptop} << 0 << QSize(1400, 1000)
            << std::optional(QPoint(0, 24));
        QTest::newRow("popover taller than the area below a bottom panel")
            << QRect(1180, 777, 22, 22) << Screens{laptopBottomPanel} << 0 << QSize(280, 900)
            << std::optional(QPoint(1000, 0));
        QTest::newRow("small area: a popover that fits hangs below the icon")
            << QRect(600, 0, 11, 11) << Screens{scaledLaptop} << 0 << QSize(280, 300)
            << std::optional(QPoint(360, 15));
        QTest::newRow("small area: a popover cut to the space below the icon fills it")
            << QRect(600, 0, 11, 11) << Screens{scaledLaptop} << 0 << QSize(280, 385)
            << std::optional(QPoint(360, 15));
        QTest::newRow("small area, no icon: cut popover at the fallback anchor")
            << QRect() << Screens{scaledLaptop} << 0 << QSize(280, 382)
            << std::optional(QPoint(341, 18));
        QTest::newRow("no screen at all: nowhere")
            << QRect(1180, 1, 22, 22) << Screens{} << 0 << popover
            << std::optional<QPoint>();
    }

    void topLeft()
    {
        QFETCH(QRect, tray);
        QFETCH(Screens, screens);
        QFETCH(int, primary);
        QFETCH(QSize, size);
        QFETCH(std::optional<QPoint>, expected);
        QCOMPARE(PopoverPlacement::topLeft(tray, screens, primary, size), expected);
    }

    void maximumSize_data()
    {
        QTest::addColumn<QRect>("tray");
        QTest::addColumn<Screens>("screens");
        QTest::addColumn<int>("primary");
        QTest::addColumn<std::optional<QSize>>("expected");

        QTest::newRow("scaled laptop: the space below the icon")
            << QRect(600, 0, 11, 11) << Screens{scaledLaptop} << 0 << std::optional(QSize(640, 385));
        // A panel that reserves no space: the available area is the whole
        // screen, and still the popover stays clear of the icon.
        QTest::newRow("panel without reserved space: below the icon")
            << QRect(600, 1, 11, 11) << Screens{{QRect(0, 0, 640, 400), QRect(0, 0, 640, 400)}} << 0
            << std::optional(QSize(640, 384));
        QTest::newRow("panel at the bottom: the space above the icon")
            << QRect(1180, 777, 22, 22) << Screens{laptopBottomPanel} << 0 << std::optional(QSize(1280, 773));
        QTest::newRow("icon on the larger second screen: that screen's space")
            << QRect(3000, 3, 24, 24) << Screens{scaledLaptop, monitor} << 0
            << std::optional(QSize(1920, 1049));
        QTest::newRow("no icon: below the primary screen's fallback anchor")
            << QRect() << Screens{monitor, scaledLaptop} << 1 << std::optional(QSize(640, 382));
        QTest::newRow("no screen at all: nothing")
            << QRect(600, 0, 11, 11) << Screens{} << 0 << std::optional<QSize>();
    }

    void maximumSize()
    {
        QFETCH(QRect, tray);
        QFETCH(Screens, screens);
        QFETCH(int, primary);
        QFETCH(std::optional<QSize>, expected);
        const std::optional<QSize> fits = PopoverPlacement::maximumSize(tray, screens, primary);
        QCOMPARE(fits, expected);
        if (!fits)
            return;
        // A popover of that size placed from the same anchor lies wholly
        // inside one screen's available area.
        const std::optional<QPoint> at = PopoverPlacement::topLeft(tray, screens, primary, *fits);
        QVERIFY(at);
        const QRect placed(*at, *fits);
        QVERIFY(std::any_of(screens.cbegin(), screens.cend(), [&](const PopoverPlacement::Screen &s) {
            return s.availableGeometry.contains(placed);
        }));
        QVERIFY(!placed.intersects(tray));
    }

    void isStatusButtonVisible_data()
    {
        QTest::addColumn<QRect>("tray");
        QTest::addColumn<bool>("visible");

        QTest::newRow("embedded icon") << QRect(1180, 1, 22, 22) << true;
        QTest::newRow("2×2 on screen") << QRect(10, 10, 2, 2) << true;
        QTest::newRow("partly off the screen") << QRect(1270, -10, 22, 22) << true;
        QTest::newRow("empty") << QRect() << false;
        QTest::newRow("1 px wide") << QRect(1180, 1, 1, 22) << false;
        QTest::newRow("1 px tall") << QRect(1180, 1, 22, 1) << false;
        QTest::newRow("off every screen") << QRect(1300, 0, 22, 22) << false;
    }

    void isStatusButtonVisible()
    {
        QFETCH(QRect, tray);
        QFETCH(bool, visible);
        QCOMPARE(PopoverPlacement::isStatusButtonVisible(tray, {laptop}), visible);
    }

    void fallbackAnchorHangsFromTheAvailableArea()
    {
        const auto anchor = PopoverPlacement::anchor(QRect(), {laptop}, 0);
        QVERIFY(anchor);
        QCOMPARE(anchor->x(), 1280 - 160);
        QCOMPARE(anchor->y(), 24);
    }
};

QTEST_APPLESS_MAIN(TestPopoverPlacement)
#include "tst_popoverplacement.moc"
