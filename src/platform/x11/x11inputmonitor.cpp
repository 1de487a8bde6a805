#include "platform/x11/x11inputmonitor.h"

#include <QByteArray>
#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

X11InputMonitor::X11InputMonitor(QObject *parent)
    : QObject(parent)
{
    const QByteArray name = qgetenv("DISPLAY");
    Display *display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData());
    if (!display)
        return;
    int event = 0;
    int error = 0;
    // 2.2 delivers raw events also while another client holds a grab (a
    // window manager's click-to-focus does), which 2.0 would not.
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &m_opcode, &event, &error)
        || XIQueryVersion(display, &major, &minor) != Success || major < 2
        || (major == 2 && minor < 2)) {
        XCloseDisplay(display);
        return;
    }
    m_display = display;
    m_notifier = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11InputMonitor::readEvents);
}

X11InputMonitor::~X11InputMonitor()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void X11InputMonitor::start()
{
    if (!m_display || m_started)
        return;
    m_started = true;
    select(true);
}

void X11InputMonitor::stop()
{
    if (!m_display || !m_started)
        return;
    m_started = false;
    select(false);
}

void X11InputMonitor::select(bool enabled)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (enabled) {
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawKeyPress);
    }
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof(bits);
    mask.mask = bits;
    XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1);
    // Round trip: presses made after start() returns are reported, and none
    // made after stop() returns.
    XSync(m_display, False);
    if (!enabled) {
        while (XPending(m_display) > 0) {
            XEvent discarded;
            XNextEvent(m_display, &discarded);
        }
    }
}

void X11InputMonitor::readEvents()
{
    while (m_display && XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_opcode
            || !XGetEventData(m_display, cookie))
            continue;
        const int type = cookie->evtype;
        const int detail = static_cast<XIRawEvent *>(cookie->data)->detail;
        XFreeEventData(m_display, cookie);
        if (!m_started)
            continue;
        if (type == XI_RawKeyPress) {
            Q_EMIT keyPressed();
        } else if (type == XI_RawButtonPress) {
            Window root = 0;
            Window child = 0;
            int rootX = 0;
            int rootY = 0;
            int windowX = 0;
            int windowY = 0;
            unsigned int mask = 0;
            XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &rootX, &rootY,
                          &windowX, &windowY, &mask);
            Q_EMIT buttonPressed(detail, QPoint(rootX, rootY));
        }
    }
}
