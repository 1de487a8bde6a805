#include "app/displayprobe.h"

#include "app/apptranslations.h"

#include <QCoreApplication>

#include <X11/Xlib.h>

namespace {

// Read before the application object exists.
struct DisplayProbe {
    static QString tr(const char *text) { return AppTranslations::text("DisplayProbe", text); }
};

QString xcbProblem()
{
    const QByteArray name = qgetenv("DISPLAY");
    if (name.isEmpty())
        return DisplayProbe::tr("no display (neither DISPLAY nor WAYLAND_DISPLAY is set).");
    Display *display = XOpenDisplay(name.constData());
    if (!display)
        return DisplayProbe::tr("the X display %1 does not answer.").arg(QString::fromLocal8Bit(name));
    XCloseDisplay(display);
    return {};
}

} // namespace

// In a Wayland session our windows stay on XWayland where there is one, so
// the popover can be placed where we choose (a native Wayland window cannot
// choose its position); without XWayland they use Qt's Wayland platform and
// the compositor places them. A platform the user chose is kept.
QString chosenQtPlatform()
{
    const QString user = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!user.isEmpty() || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return user;
    return qEnvironmentVariableIsEmpty("DISPLAY") ? QStringLiteral("wayland") : QStringLiteral("xcb");
}

QString displayProblem(const QString &platform)
{
    // "xcb;wayland" style lists and plugin options ("offscreen:fontengine=…")
    // are judged by their first platform.
    const QString first = platform.section(QLatin1Char(';'), 0, 0).section(QLatin1Char(':'), 0, 0);
    if (first.isEmpty() || first == QLatin1String("xcb"))
        return xcbProblem();
    if (first.startsWith(QLatin1String("wayland")) && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return DisplayProbe::tr("no Wayland display (WAYLAND_DISPLAY is not set).");
    return {};
}
