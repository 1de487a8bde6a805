#include "platform/x11/x11applicationsync.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

void syncApplicationDisplay()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Qt's Display shares its xcb connection, so this round trip also covers
    // what Qt sent through xcb.
    if (Display *display = x11 ? x11->display() : nullptr)
        XSync(display, False);
}
