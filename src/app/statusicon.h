#pragma once

#include "core/halvopreset.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPainterPath>
#include <QString>

class QPainter;
class QRectF;

// The tray icon's light bulb and tooltip, as pure functions of the store's
// state so they can be checked without a tray.
namespace StatusIcon {

// Filled bulb unless the screens are untouched: Standard at 6500 K / 100 %
// shows the outline, or the filled bulb while keep-awake is on.
bool isActive(const QString &activeModeID, const HalvoPreset &activePreset, bool keepAwakeEnabled);

QString toolTip(const QString &activePresetName, bool keepAwakeEnabled);

// The bulb's body and its highlight arc in a 24×24 design space, y downward.
QPainterPath bulbBody(bool active);
QPainterPath highlight(bool active);

// Draws the bulb into `target` (scaled uniformly, centred) in `color` on
// whatever the painter's device holds. The active bulb cuts its highlight out
// of its own fill, so the device needs an alpha channel.
void paint(QPainter &painter, const QRectF &target, bool active, const QColor &color);

// `size` × `size` logical pixels at the given device pixel ratio.
QImage render(int size, qreal devicePixelRatio, bool active, const QColor &color);

// Crisp pixmaps for the sizes trays ask for (16, 22, 24, 32) at ratio 1 and 2.
QIcon icon(bool active, const QColor &color);

} // namespace StatusIcon
