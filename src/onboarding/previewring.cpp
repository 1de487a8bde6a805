#include "onboarding/previewring.h"

#include <QPainter>
#include <QPainterPath>

PreviewRing::PreviewRing(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
}

void PreviewRing::setRingScale(qreal scale)
{
    if (qFuzzyCompare(m_ringScale, scale))
        return;
    m_ringScale = scale;
    Q_EMIT ringScaleChanged();
    update();
}

void PreviewRing::setRingOpacity(qreal opacity)
{
    if (qFuzzyCompare(m_ringOpacity, opacity))
        return;
    m_ringOpacity = opacity;
    Q_EMIT ringOpacityChanged();
    update();
}

void PreviewRing::setRadius(qreal radius)
{
    if (qFuzzyCompare(m_radius, radius))
        return;
    m_radius = radius;
    Q_EMIT radiusChanged();
    update();
}

void PreviewRing::setBorderColor(const QColor &color)
{
    if (m_borderColor == color)
        return;
    m_borderColor = color;
    Q_EMIT borderColorChanged();
    update();
}

void PreviewRing::paint(QPainter *painter)
{
    const QRectF frame(0, 0, width(), height());
    painter->setRenderHint(QPainter::Antialiasing);

    if (m_ringOpacity > 0 && m_ringScale > 0) {
        QPainterPath clip;
        clip.addRoundedRect(frame, m_radius, m_radius);
        painter->save();
        painter->setClipPath(clip);
        painter->setOpacity(qBound(0.0, m_ringOpacity, 1.0));
        // The stroke scales with the circle, as the whole ring is scaled.
        painter->translate(frame.center());
        painter->scale(m_ringScale, m_ringScale);
        QColor white(Qt::white);
        white.setAlphaF(float(ringAlpha));
        painter->setPen(QPen(white, ringLineWidth));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(QPointF(0, 0), ringDiameter / 2, ringDiameter / 2);
        painter->restore();
    }

    // Drawn inside the shape: inset by half the line width.
    const qreal inset = borderWidth / 2;
    painter->setPen(QPen(m_borderColor, borderWidth));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(frame.adjusted(inset, inset, -inset, -inset), m_radius - inset,
                             m_radius - inset);
}
