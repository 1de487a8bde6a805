#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

// The preview's front layer: the ripple ring, a 120-wide white circle scaled
// about the centre and clipped to the preview's rounded shape, and the
// hairline border of that shape above it.
class PreviewRing : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qreal ringScale READ ringScale WRITE setRingScale NOTIFY ringScaleChanged)
    Q_PROPERTY(qreal ringOpacity READ ringOpacity WRITE setRingOpacity NOTIFY ringOpacityChanged)
    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)

public:
    static constexpr qreal ringDiameter = 120;
    static constexpr qreal ringLineWidth = 3;
    static constexpr qreal ringAlpha = 0.75;
    static constexpr qreal borderWidth = 0.75;

    explicit PreviewRing(QQuickItem *parent = nullptr);

    qreal ringScale() const { return m_ringScale; }
    void setRingScale(qreal scale);
    qreal ringOpacity() const { return m_ringOpacity; }
    void setRingOpacity(qreal opacity);
    qreal radius() const { return m_radius; }
    void setRadius(qreal radius);
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);

    void paint(QPainter *painter) override;

Q_SIGNALS:
    void ringScaleChanged();
    void ringOpacityChanged();
    void radiusChanged();
    void borderColorChanged();

private:
    qreal m_ringScale = 0.1;
    qreal m_ringOpacity = 0;
    qreal m_radius = 12;
    QColor m_borderColor = QColor(0, 0, 0, 36);
};
