#include "rootpicture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

QImage RootPicture::pattern(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 255, (y * 5 + x * 3) & 255, (x ^ y) & 255);
    }
    return picture;
}

bool RootPicture::show(const QImage &picture)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    Visual *visual = DefaultVisual(display, screen);
    if (DefaultDepth(display, screen) != 24 || visual->red_mask != 0xff0000 || visual->green_mask != 0xff00
        || visual->blue_mask != 0xff) {
        XCloseDisplay(display);
        return false;
    }

    QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    XImage *image = XCreateImage(display, visual, 24, ZPixmap, 0, reinterpret_cast<char *>(pixels.bits()),
                                 unsigned(pixels.width()), unsigned(pixels.height()), 32, int(pixels.bytesPerLine()));
    if (!image) {
        XCloseDisplay(display);
        return false;
    }
    image->byte_order = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? LSBFirst : MSBFirst;

    const Pixmap pixmap = XCreatePixmap(display, root, unsigned(pixels.width()), unsigned(pixels.height()), 24);
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, unsigned(pixels.width()), unsigned(pixels.height()));
    XFreeGC(display, gc);
    image->data = nullptr;
    XDestroyImage(image);

    // The root keeps the pixmap as its background after we free our handle
    // and disconnect.
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    XFreePixmap(display, pixmap);
    XSync(display, False);
    XCloseDisplay(display);
    return true;
}
