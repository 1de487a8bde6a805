#include "app/statusicon.h"

#include <QCoreApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr qreal designSize = 24.0;
const QPointF bulbCentre(12.0, 9.2);

// The body's arc starts 0.56 rad below the horizontal on the right and runs
// over the top to the mirror point on the left. Qt measures arc angles in
// degrees counter-clockwise as seen on screen, so a point below the centre
// (y downward) has a negative angle and "over the top" is a positive sweep.
constexpr qreal bodyArcStartRadians = 0.56;

qreal degrees(qreal radians) { return radians * 180.0 / std::numbers::pi; }

QRectF circleBounds(const QPointF &centre, qreal radius)
{
    return QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
}

// The body's outline after the arc, in drawing order: down the left side,
// round the left corner, along the bottom, round the right corner and back
// up to the arc's start.
struct BodyGeometry {
    qreal radius;
    QPointF leftCurveControl1, leftCurveControl2, leftCurveEnd;
    QPointF leftCornerControl, leftCornerEnd;
    QPointF bottomRight;
    QPointF rightCornerControl, rightCornerEnd;
    QPointF rightCurveControl1, rightCurveControl2;
};

const BodyGeometry activeBody{
    6.5,
    {7.192842, 13.752710},
    {8.2, 14.3},
    {8.7, 15.4},
    {8.9, 16.3},
    {9.7, 16.3},
    {14.3, 16.3},
    {15.1, 16.3},
    {15.3, 15.4},
    {15.8, 14.3},
    {16.807158, 13.752710},
};

const BodyGeometry inactiveBody{
    6.2,
    {7.447018, 13.493354},
    {8.4, 14.1},
    {8.9, 15.2},
    {9.1, 15.9},
    {9.8, 15.9},
    {14.2, 15.9},
    {14.9, 15.9},
    {15.1, 15.2},
    {15.6, 14.1},
    {16.552982, 13.493354},
};

const QColor darkBulb(0x1c, 0x1c, 0x1c);
const QColor lightBulb(0xf2, 0xf2, 0xf2);

qreal linearChannel(qreal c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

qreal relativeLuminance(const QColor &colour)
{
    return 0.2126 * linearChannel(colour.redF()) + 0.7152 * linearChannel(colour.greenF())
           + 0.0722 * linearChannel(colour.blueF());
}

// Draws with one icon and answers to another's name while the icon theme
// has it, so hosts that look icons up by name find the themed one and
// everyone else gets our pixels. The theme is asked only when a host wants
// the name: loading it takes longer than drawing every size, and a tray that
// embeds the icon never asks.
class NamedIconEngine : public QIconEngine {
public:
    NamedIconEngine(QIcon pixels, QString name)
        : m_pixels(std::move(pixels))
        , m_name(std::move(name)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        m_pixels.paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_pixels.pixmap(size, mode, state);
    }
    // `size` is in device pixels here; QIcon::pixmap() takes logical ones.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        if (!(scale > 0.0))
            return m_pixels.pixmap(size, mode, state);
        return m_pixels.pixmap((QSizeF(size) / scale).toSize(), scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_pixels.actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return m_pixels.availableSizes(mode, state);
    }
    QString iconName() override { return QIcon::hasThemeIcon(m_name) ? m_name : QString(); }
    QString key() const override { return QStringLiteral("halvoscope-named"); }
    QIconEngine *clone() const override { return new NamedIconEngine(m_pixels, m_name); }

private:
    QIcon m_pixels;
    QString m_name;
};

} // namespace

namespace StatusIcon {

qreal contrastRatio(const QColor &a, const QColor &b)
{
    const qreal la = relativeLuminance(a);
    const qreal lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor colourOn(const QColor &background, const QColor &preferred)
{
    if (preferred.isValid() && contrastRatio(preferred, background) >= minimumContrast)
        return preferred;
    return contrastRatio(darkBulb, background) >= contrastRatio(lightBulb, background) ? darkBulb
                                                                                       : lightBulb;
}

QColor dominantColour(QList<QColor> samples)
{
    if (samples.isEmpty())
        return QColor();
    const auto middle = samples.begin() + samples.size() / 2;
    std::nth_element(samples.begin(), middle, samples.end(), [](const QColor &a, const QColor &b) {
        return relativeLuminance(a) < relativeLuminance(b);
    });
    return *middle;
}

bool isActive(const QString &activeModeID, const HalvoPreset &activePreset, bool keepAwakeEnabled)
{
    const bool neutralStandard = activeModeID == BuiltinPresetID::standard
                                 && activePreset.temperature == 6500 && activePreset.saturation == 100;
    return neutralStandard ? keepAwakeEnabled : true;
}

QString toolTip(const QString &activePresetName, bool keepAwakeEnabled)
{
    QStringList parts{QStringLiteral("Halvoscope"), activePresetName};
    if (keepAwakeEnabled)
        parts.append(QCoreApplication::translate("StatusIcon", "Keeping Awake"));
    return parts.join(QStringLiteral(" \u00B7 ")) + QLatin1Char('\n')
           + QCoreApplication::translate("StatusIcon", "Right-click to return to Standard");
}

QPainterPath bulbBody(bool active)
{
    const BodyGeometry &g = active ? activeBody : inactiveBody;
    const QPointF start(bulbCentre.x() + g.radius * std::cos(bodyArcStartRadians),
                        bulbCentre.y() + g.radius * std::sin(bodyArcStartRadians));
    const qreal startDegrees = -degrees(bodyArcStartRadians);
    const qreal sweepDegrees = 180.0 + 2.0 * degrees(bodyArcStartRadians);

    QPainterPath path(start);
    path.arcTo(circleBounds(bulbCentre, g.radius), startDegrees, sweepDegrees);
    path.cubicTo(g.leftCurveControl1, g.leftCurveControl2, g.leftCurveEnd);
    path.quadTo(g.leftCornerControl, g.leftCornerEnd);
    path.lineTo(g.bottomRight);
    path.quadTo(g.rightCornerControl, g.rightCornerEnd);
    path.cubicTo(g.rightCurveControl1, g.rightCurveControl2, start);
    path.closeSubpath();
    path.setFillRule(Qt::WindingFill);
    return path;
}

QPainterPath highlight(bool active)
{
    // From 192.6° to 252° with y downward: the upper-left gleam, a 59.4°
    // stretch drawn clockwise on screen, which is a negative sweep in Qt.
    const qreal radius = active ? 3.9 : 3.7;
    const QRectF bounds = circleBounds(bulbCentre, radius);
    QPainterPath path;
    path.arcMoveTo(bounds, -192.6);
    path.arcTo(bounds, -192.6, -(252.0 - 192.6));
    return path;
}

namespace {

// The two parts of the bulb's base: filled rounded bars on the active icon,
// stroked lines on the inactive one.
QPainterPath activeBase()
{
    QPainterPath base;
    base.addRoundedRect(QRectF(8.8, 17.8, 6.4, 2.0), 1.0, 1.0);
    base.addRoundedRect(QRectF(9.9, 20.5, 4.2, 1.7), 0.85, 0.85);
    return base;
}

QPainterPath inactiveBase()
{
    QPainterPath base;
    base.moveTo(9.2, 18.7);
    base.lineTo(14.8, 18.7);
    base.moveTo(10.2, 21.2);
    base.lineTo(13.8, 21.2);
    return base;
}

} // namespace

void paint(QPainter &painter, const QRectF &target, bool active, const QColor &color)
{
    const qreal scale = std::min(target.width(), target.height()) / designSize;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.center().x() - designSize * scale / 2,
                      target.center().y() - designSize * scale / 2);
    painter.scale(scale, scale);

    auto pen = [&](qreal width) {
        return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    };

    if (active) {
        painter.fillPath(bulbBody(true), color);

        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.strokePath(highlight(true), pen(1.85));
        painter.restore();

        painter.fillPath(activeBase(), color);
    } else {
        painter.strokePath(bulbBody(false), pen(1.9));
        painter.strokePath(highlight(false), pen(1.5));
        painter.strokePath(inactiveBase(), pen(1.9));
    }
    painter.restore();
}

QPainterPath silhouette(bool active)
{
    const auto stroked = [](const QPainterPath &path, qreal width) {
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        stroker.setCapStyle(Qt::RoundCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        return stroker.createStroke(path);
    };
    QPainterPath path;
    if (active) {
        QPainterPath body = bulbBody(true);
        body.setFillRule(Qt::WindingFill);
        path = body.subtracted(stroked(highlight(true), 1.85)).united(activeBase());
    } else {
        path = stroked(bulbBody(false), 1.9)
                   .united(stroked(highlight(false), 1.5))
                   .united(stroked(inactiveBase(), 1.9));
    }
    return path.simplified();
}

QImage render(int size, qreal devicePixelRatio, bool active, const QColor &color)
{
    const int pixels = qRound(size * devicePixelRatio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paint(painter, QRectF(0, 0, size, size), active, color);
    painter.end();
    return image;
}

QIcon icon(bool active, const QColor &color)
{
    QIcon result;
    for (const int size : {16, 22, 24, 32}) {
        for (const qreal ratio : {1.0, 2.0})
            result.addPixmap(QPixmap::fromImage(render(size, ratio, active, color)));
    }
    return QIcon(new NamedIconEngine(result, QString::fromLatin1(themeIconName)));
}

} // namespace StatusIcon
