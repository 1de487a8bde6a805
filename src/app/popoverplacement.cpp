#include "app/popoverplacement.h"

#include <algorithm>

namespace PopoverPlacement {

namespace {

// The screen sharing the largest area with `rect`, or -1.
int screenUnder(const QRect &rect, const QList<Screen> &screens)
{
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect overlap = screens[i].geometry.intersected(rect);
        const qint64 area = qint64(overlap.width()) * overlap.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

const Screen *primaryOf(const QList<Screen> &screens, int primaryScreen)
{
    if (screens.isEmpty())
        return nullptr;
    return &screens[primaryScreen >= 0 && primaryScreen < screens.size() ? primaryScreen : 0];
}

QRect fallbackAnchor(const Screen &screen)
{
    const QRect area = screen.availableGeometry;
    return QRect(area.x() + area.width() - fallbackInsetFromRight, area.y(), 2, 2);
}

int clampInto(int value, int low, int length, int size)
{
    // A popover larger than the area keeps its leading edge inside it.
    return std::max(low, std::min(value, low + length - size));
}

// The available area of the screen the anchor is on, or of the primary one.
QRect areaUnder(const QRect &hangFrom, const QList<Screen> &screens, int primaryScreen)
{
    const int screenIndex = screenUnder(hangFrom, screens);
    return (screenIndex >= 0 ? screens[screenIndex] : *primaryOf(screens, primaryScreen)).availableGeometry;
}

} // namespace

bool isStatusButtonVisible(const QRect &trayGeometry, const QList<Screen> &screens)
{
    if (trayGeometry.width() <= 1 || trayGeometry.height() <= 1)
        return false;
    return screenUnder(trayGeometry, screens) >= 0;
}

std::optional<QRect> anchor(const QRect &trayGeometry, const QList<Screen> &screens,
                            int primaryScreen)
{
    if (isStatusButtonVisible(trayGeometry, screens))
        return trayGeometry;
    if (const Screen *primary = primaryOf(screens, primaryScreen))
        return fallbackAnchor(*primary);
    return std::nullopt;
}

std::optional<QSize> maximumSize(const QRect &trayGeometry, const QList<Screen> &screens,
                                 int primaryScreen)
{
    const std::optional<QRect> hangFrom = anchor(trayGeometry, screens, primaryScreen);
    if (!hangFrom)
        return std::nullopt;
    const QRect area = areaUnder(*hangFrom, screens, primaryScreen);
    // The popover goes wholly below or wholly above its anchor, so the
    // larger of those spaces is all it may take; it never covers the icon's
    // panel even where the panel reserves no space for itself.
    const int below = area.y() + area.height() - (hangFrom->y() + hangFrom->height() + gap);
    const int above = hangFrom->y() - gap - area.y();
    const int height = std::max(below, above);
    return QSize(area.width(), height > 0 ? std::min(height, area.height()) : area.height());
}

std::optional<QPoint> topLeft(const QRect &trayGeometry, const QList<Screen> &screens,
                              int primaryScreen, const QSize &popoverSize)
{
    const std::optional<QRect> hangFrom = anchor(trayGeometry, screens, primaryScreen);
    if (!hangFrom)
        return std::nullopt;
    const QRect area = areaUnder(*hangFrom, screens, primaryScreen);

    const int x = hangFrom->x() + (hangFrom->width() - popoverSize.width()) / 2;
    int y = hangFrom->y() + hangFrom->height() + gap;
    // A panel at the bottom of the screen: open upwards instead of covering it.
    const int above = hangFrom->y() - gap - popoverSize.height();
    if (y + popoverSize.height() > area.y() + area.height() && above >= area.y())
        y = above;

    return QPoint(clampInto(x, area.x(), area.width(), popoverSize.width()),
                  clampInto(y, area.y(), area.height(), popoverSize.height()));
}

} // namespace PopoverPlacement
