#include "app/x11windowhints.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <vector>

namespace {

Display *x11Display()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

} // namespace

namespace X11WindowHints {

void skipTaskbarAndPager(QWindow *window)
{
    Display *display = x11Display();
    if (!display || !window)
        return;
    const ::Window id = static_cast<::Window>(window->winId());
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    const Atom wanted[] = {XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                           XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False)};

    std::vector<Atom> atoms;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, id, state, 0, 1024, False, XA_ATOM, &type, &format, &count,
                           &remaining, &data)
            == Success
        && data) {
        if (type == XA_ATOM && format == 32) {
            const auto *existing = reinterpret_cast<const long *>(data);
            atoms.assign(existing, existing + count);
        }
        XFree(data);
    }
    for (const Atom atom : wanted) {
        if (std::find(atoms.begin(), atoms.end(), atom) == atoms.end())
            atoms.push_back(atom);
    }
    XChangeProperty(display, id, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(atoms.data()),
                    static_cast<int>(atoms.size()));
    XFlush(display);
}

bool isCompositingManagerRunning()
{
    Display *display = x11Display();
    if (!display)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, name.constData(), False)) != None;
}

} // namespace X11WindowHints
