#pragma once

#include <QQuickImageProvider>

// Serves the popover's symbol images, tinted: "image://symbol/<name>/<colour>"
// where <colour> is a QML colour without its "#" (rrggbb or aarrggbb), e.g.
// "image://symbol/flame.fill/ffffff". Each symbol is a black SVG in the
// module's resources; an unknown name gives an empty image.
class SymbolImageProvider : public QQuickImageProvider {
public:
    SymbolImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    // The resource path of a symbol's SVG.
    static QString symbolPath(const QString &name);
    // Renders a symbol at the given pixel size in one colour; null when unknown.
    static QImage renderSymbol(const QString &name, const QColor &color, const QSize &pixelSize);
};
