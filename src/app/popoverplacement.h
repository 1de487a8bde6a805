#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where the popover goes, as pure functions of the tray icon's rectangle and
// the screens, all in global coordinates (origin top left, y downward).
namespace PopoverPlacement {

struct Screen {
    QRect geometry;
    QRect availableGeometry;
};

// Gap between the icon (or the fallback anchor) and the popover's top edge.
constexpr int gap = 4;
// Where the popover hangs when the icon cannot be seen: this far left of the
// right edge of the primary screen's available area, just below its top.
constexpr int fallbackInsetFromRight = 160;

// The icon is on screen: a rectangle wider and taller than 1 px that overlaps
// some screen. StatusNotifierItem hosts report an empty rectangle.
bool isStatusButtonVisible(const QRect &trayGeometry, const QList<Screen> &screens);

// The rectangle the popover hangs from: the icon when it can be seen, else
// the fallback anchor on the primary screen (the first one when the index is
// out of range). Nothing when there is no screen at all.
std::optional<QRect> anchor(const QRect &trayGeometry, const QList<Screen> &screens,
                            int primaryScreen);

// The largest popover that fits the available area of the screen the
// anchor is on, below or above the anchor. Nothing when there is no screen
// at all.
std::optional<QSize> maximumSize(const QRect &trayGeometry, const QList<Screen> &screens,
                                 int primaryScreen);

// The popover's top-left corner: centred under the anchor (above it when it
// would not fit below), then kept inside the available area of the screen
// the anchor is on; a popover larger than that area keeps its top-left
// corner inside it. Nothing when there is no screen at all.
std::optional<QPoint> topLeft(const QRect &trayGeometry, const QList<Screen> &screens,
                              int primaryScreen, const QSize &popoverSize);

} // namespace PopoverPlacement
