#pragma once

#include <QQuickPaintedItem>
#include <QtQml/qqmlregistration.h>

// The ripple preview's background: a diagonal gradient, top left to bottom
// right, inside a rounded rectangle. `warmth` blends the cool look (0) into
// the warm look (1), so the look change can be animated as one number.
class PreviewBackdrop : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(qreal warmth READ warmth WRITE setWarmth NOTIFY warmthChanged)
    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged)

public:
    explicit PreviewBackdrop(QQuickItem *parent = nullptr);

    qreal warmth() const { return m_warmth; }
    void setWarmth(qreal warmth);
    qreal radius() const { return m_radius; }
    void setRadius(qreal radius);

    // The gradient's two ends at a warmth, in sRGB.
    static QColor startColor(qreal warmth);
    static QColor endColor(qreal warmth);

    void paint(QPainter *painter) override;

Q_SIGNALS:
    void warmthChanged();
    void radiusChanged();

private:
    qreal m_warmth = 0;
    qreal m_radius = 12;
};
