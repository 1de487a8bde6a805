#pragma once

#include <QImage>
#include <QSize>

// A known picture on the X server of $DISPLAY, as the root window's
// background: what a screen capture must then return, pixel for pixel.
namespace RootPicture {

// Every pixel distinct from its neighbours in all three channels, so any
// offset, flip or channel swap shows.
QImage pattern(QSize size);

// Makes `picture` (drawn from the root's top-left, tiled beyond it) the root
// window's background and waits until the server has drawn it. False without
// an X server or with a root that is not 24-bit TrueColor.
bool show(const QImage &picture);

} // namespace RootPicture
