#include "platform/x11/xscreensaversuspender.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

XScreenSaverSuspender::XScreenSaverSuspender(QString displayName)
    : m_displayName(std::move(displayName))
{
}

XScreenSaverSuspender::~XScreenSaverSuspender()
{
    resume();
}

bool XScreenSaverSuspender::suspend()
{
    if (m_display)
        return true;
    const QByteArray name = m_displayName.toLocal8Bit();
    Display *display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    if (!display)
        return false;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)
        || !XScreenSaverQueryVersion(display, &major, &minor) || major < 1
        || (major == 1 && minor < 1)) {
        XCloseDisplay(display);
        return false;
    }
    XScreenSaverSuspend(display, True);
    XSync(display, False);
    m_display = display;
    return true;
}

void XScreenSaverSuspender::resume()
{
    if (!m_display)
        return;
    XScreenSaverSuspend(m_display, False);
    XSync(m_display, False);
    XCloseDisplay(m_display);
    m_display = nullptr;
}
