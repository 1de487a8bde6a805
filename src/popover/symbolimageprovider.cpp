#include "popover/symbolimageprovider.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace {

constexpr int defaultSide = 24;

} // namespace

SymbolImageProvider::SymbolImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image) {}

QString SymbolImageProvider::symbolPath(const QString &name)
{
    return QStringLiteral(":/Halvoscope/Popover/icons/%1.svg").arg(name);
}

QImage SymbolImageProvider::renderSymbol(const QString &name, const QColor &color,
                                         const QSize &pixelSize)
{
    // Names are dotted words; anything else cannot name a resource of ours.
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() || c == u'.'))
            return {};
    }
    const QString path = symbolPath(name);
    if (name.isEmpty() || !QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};

    const QSize side = pixelSize.isValid() && !pixelSize.isEmpty()
                           ? pixelSize.boundedTo(QSize(1024, 1024))
                           : QSize(defaultSide, defaultSide);
    QImage image(side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(side)));
    // Keep the symbol's coverage and replace its black with the colour.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    painter.end();
    return image;
}

QImage SymbolImageProvider::requestImage(const QString &id, QSize *size,
                                         const QSize &requestedSize)
{
    const qsizetype slash = id.indexOf(u'/');
    const QString name = slash < 0 ? id : id.left(slash);
    QColor color(Qt::black);
    if (slash >= 0) {
        const QColor parsed = QColor::fromString(QLatin1Char('#') + id.mid(slash + 1));
        if (parsed.isValid())
            color = parsed;
    }
    QImage image = renderSymbol(name, color, requestedSize);
    if (image.isNull()) {
        image = QImage(requestedSize.isValid() && !requestedSize.isEmpty()
                           ? requestedSize.boundedTo(QSize(1024, 1024))
                           : QSize(defaultSide, defaultSide),
                       QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    }
    if (size)
        *size = image.size();
    return image;
}
