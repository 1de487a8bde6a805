#include "onboarding/previewbackdrop.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

struct Rgb {
    qreal r, g, b;
};

constexpr Rgb coolStart{0.10, 0.18, 0.34};
constexpr Rgb coolEnd{0.06, 0.09, 0.15};
constexpr Rgb warmStart{0.34, 0.08, 0.06};
constexpr Rgb warmEnd{0.14, 0.04, 0.03};

QColor blend(const Rgb &cool, const Rgb &warm, qreal warmth)
{
    const qreal t = std::clamp(warmth, 0.0, 1.0);
    return QColor::fromRgbF(float(cool.r + (warm.r - cool.r) * t),
                            float(cool.g + (warm.g - cool.g) * t),
                            float(cool.b + (warm.b - cool.b) * t));
}

} // namespace

PreviewBackdrop::PreviewBackdrop(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

void PreviewBackdrop::setWarmth(qreal warmth)
{
    if (qFuzzyCompare(m_warmth, warmth))
        return;
    m_warmth = warmth;
    Q_EMIT warmthChanged();
    update();
}

void PreviewBackdrop::setRadius(qreal radius)
{
    if (qFuzzyCompare(m_radius, radius))
        return;
    m_radius = radius;
    Q_EMIT radiusChanged();
    update();
}

QColor PreviewBackdrop::startColor(qreal warmth)
{
    return blend(coolStart, warmStart, warmth);
}

QColor PreviewBackdrop::endColor(qreal warmth)
{
    return blend(coolEnd, warmEnd, warmth);
}

void PreviewBackdrop::paint(QPainter *painter)
{
    // Object-bounding coordinates stretch the gradient with the rectangle, so
    // the middle colour runs from corner to corner as on a square.
    QLinearGradient gradient(0, 0, 1, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, startColor(m_warmth));
    gradient.setColorAt(1, endColor(m_warmth));

    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, width(), height()), m_radius, m_radius);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(shape, gradient);
}
