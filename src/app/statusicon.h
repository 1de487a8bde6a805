#pragma once

#include "core/halvopreset.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
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

// The whole bulb as one filled outline in the 24×24 design space, strokes
// included: what a symbolic icon, recoloured as a single fill, has to be.
QPainterPath silhouette(bool active);

// Draws the bulb into `target` (scaled uniformly, centred) in `color` on
// whatever the painter's device holds. The active bulb cuts its highlight out
// of its own fill, so the device needs an alpha channel.
void paint(QPainter &painter, const QRectF &target, bool active, const QColor &color);

// The name under which icon themes may carry a recolourable bulb; panels
// that look icons up by name (StatusNotifierItem hosts) tint it themselves.
inline constexpr char themeIconName[] = "com.corvanta.Halvoscope-symbolic";

// WCAG 2 contrast ratio of two opaque colours, from 1 (same luminance) to 21.
qreal contrastRatio(const QColor &a, const QColor &b);

// At least this contrast keeps the bulb readable against its panel.
constexpr qreal minimumContrast = 3.0;

// The bulb's colour on a panel of colour `background`: `preferred` (the
// theme's text colour) when it stands out enough, else whichever of a near
// black and a near white stands out more. One of those two always reaches
// the minimum contrast.
QColor colourOn(const QColor &background, const QColor &preferred);

// The panel's colour from pixels sampled around the icon: the median by
// luminance, so a neighbouring icon or a stray highlight does not sway it.
// Invalid when there are no pixels.
QColor dominantColour(QList<QColor> samples);

// `size` × `size` logical pixels at the given device pixel ratio.
QImage render(int size, qreal devicePixelRatio, bool active, const QColor &color);

// Crisp pixmaps for the sizes trays ask for (16, 22, 24, 32) at ratio 1 and 2.
// When the icon theme has `themeIconName`, the icon also carries that name,
// while its pixels stay the drawn bulb.
QIcon icon(bool active, const QColor &color);

} // namespace StatusIcon
