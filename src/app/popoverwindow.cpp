#include "app/popoverwindow.h"

#include "app/x11windowhints.h"

#include <QPainterPath>
#include <QQmlEngine>
#include <QQuickItem>
#include <QRegion>

PopoverWindow::PopoverWindow(QQmlEngine *engine, const QUrl &contentUrl,
                             const QVariantMap &contentProperties)
    : QQuickView(engine, nullptr)
{
    setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setTitle(QStringLiteral("Halvoscope"));
    QSurfaceFormat surface = format();
    surface.setAlphaBufferSize(8);
    setFormat(surface);
    setColor(Qt::transparent);
    setResizeMode(QQuickView::SizeViewToRootObject);

    setInitialProperties(contentProperties);
    setSource(contentUrl);
    for (const QQmlError &error : errors())
        qWarning("halvoscope: popover: %s", qPrintable(error.toString()));

    connect(this, &QWindow::activeChanged, this, &PopoverWindow::handleActiveChanged);
}

PopoverWindow::~PopoverWindow() = default;

void PopoverWindow::present(const QPoint &topLeft)
{
    // Without a compositing manager the transparent corners would show black,
    // so cut them off with a window shape instead.
    m_maskCorners = !X11WindowHints::isCompositingManagerRunning();
    updateMask();
    setPosition(topLeft);
    if (!isVisible()) {
        create();
        X11WindowHints::skipTaskbarAndPager(this);
    }
    show();
    raise();
    requestActivate();
}

void PopoverWindow::dismiss()
{
    if (!isVisible())
        return;
    hide();
    Q_EMIT dismissed();
}

void PopoverWindow::resizeEvent(QResizeEvent *event)
{
    QQuickView::resizeEvent(event);
    updateMask();
}

void PopoverWindow::updateMask()
{
    if (!m_maskCorners) {
        setMask(QRegion());
        return;
    }
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, width(), height()), cornerRadius, cornerRadius);
    setMask(QRegion(outline.toFillPolygon().toPolygon()));
}

void PopoverWindow::handleActiveChanged()
{
    if (!isActive() && isVisible())
        Q_EMIT focusLost();
}
