#pragma once

// Shared by the popover's preview tools: the dark palette they render with
// and the grab of a page into a PNG file.

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <cstdio>

inline QPalette previewDarkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2d));
    palette.setColor(QPalette::WindowText, QColor(0xf2, 0xf2, 0xf2));
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::Text, QColor(0xf2, 0xf2, 0xf2));
    palette.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3c));
    palette.setColor(QPalette::ButtonText, QColor(0xf2, 0xf2, 0xf2));
    palette.setColor(QPalette::Highlight, QColor(0x0a, 0x84, 0xff));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

// Fits the view to the page's width and natural height, lets it render and
// writes what it shows to path.
inline bool grabPage(QQuickView &view, const QQuickItem *root, const QString &path)
{
    QTest::qWait(200);
    if (!root)
        return false;
    view.resize(QSize(qRound(root->width()), qRound(root->implicitHeight())));
    QTest::qWait(200);
    const QImage image = view.grabWindow();
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), image.width(), image.height());
    return true;
}
