#include "desktopscreen.h"

#include <QColorSpace>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusArgument>
#include <QDBusUnixFileDescriptor>
#include <QTemporaryDir>
#include <QVariantMap>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>

namespace DesktopScreen {

namespace {

constexpr int callTimeoutMs = 20000;

QImage failed(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return {};
}

// GNOME Shell lets only a few bus names take screenshots: 43 and 48 allow
// the screenshot tool's, 50 only the portal's. A connection of its own owns
// both for the one call and lets them go with it.
QImage captureGnome(QString *error)
{
    const QString connectionName = QStringLiteral("halvo-desktop-screenshot");
    QImage image;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
        bool owned = false;
        for (const char *name : {"org.gnome.Screenshot", "org.freedesktop.impl.portal.desktop.gnome"})
            owned = bus.registerService(QString::fromLatin1(name)) || owned;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("screen.png"));
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("/org/gnome/Shell/Screenshot"),
            QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("Screenshot"));
        call.setArguments({false, false, path});
        const QDBusMessage reply = owned ? bus.call(call, QDBus::Block, callTimeoutMs) : QDBusMessage();
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool())
            image.load(path);
        else if (error)
            *error = owned ? QStringLiteral("Screenshot: %1").arg(reply.errorMessage())
                           : QStringLiteral("could not own a bus name allowed to take screenshots");
    }
    QDBusConnection::disconnectFromBus(connectionName);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

// Everything written to fd until the writer closes it (or nothing comes
// for a while).
QByteArray readToEnd(int fd)
{
    QByteArray data;
    char buffer[65536];
    pollfd wait{fd, POLLIN, 0};
    while (::poll(&wait, 1, callTimeoutMs) > 0) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        data.append(buffer, n);
    }
    return data;
}

// KWin's ScreenShot2 writes raw pixels into a pipe and answers with their
// layout; its image format is a QImage::Format.
QImage captureKWin(QString *error)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return failed(error, QStringLiteral("pipe2 failed"));
    QDBusMessage reply;
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.KWin"), QStringLiteral("/org/kde/KWin/ScreenShot2"),
            QStringLiteral("org.kde.KWin.ScreenShot2"), QStringLiteral("CaptureWorkspace"));
        call.setArguments({QVariantMap{{QStringLiteral("native-resolution"), true}},
                           QVariant::fromValue(QDBusUnixFileDescriptor(fds[1]))});
        ::close(fds[1]);
        reply = QDBusConnection::sessionBus().call(call, QDBus::Block, callTimeoutMs);
    } // the message's copy of the write end closes here, so the read sees the end
    const QByteArray data = readToEnd(fds[0]);
    ::close(fds[0]);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return failed(error, QStringLiteral("CaptureWorkspace: %1").arg(reply.errorMessage()));
    const QVariantMap layout = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    const int width = layout.value(QStringLiteral("width")).toInt();
    const int height = layout.value(QStringLiteral("height")).toInt();
    const int stride = layout.value(QStringLiteral("stride")).toInt();
    const auto format = static_cast<QImage::Format>(layout.value(QStringLiteral("format")).toInt());
    if (width <= 0 || height <= 0 || data.size() < qsizetype(stride) * height)
        return failed(error, QStringLiteral("CaptureWorkspace gave %1 bytes for %2x%3").arg(data.size()).arg(width).arg(height));
    const QImage view(reinterpret_cast<const uchar *>(data.constData()), width, height, stride, format);
    return view.convertToFormat(QImage::Format_RGB32);
}

// Sums f(pixel) over the middle three quarters of the rows.
template <typename F>
void forStripes(const QImage &image, F f)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = rgb.height() / 8; y < rgb.height() * 7 / 8; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            f(line[x]);
    }
}

} // namespace

QImage captureDesktop(QString *error)
{
    const QString desktop = qEnvironmentVariable("HALVO_DESKTOP");
    if (desktop == QLatin1String("gnome"))
        return captureGnome(error);
    if (desktop.startsWith(QLatin1String("kwin")))
        return captureKWin(error);
    return failed(error, QStringLiteral("HALVO_DESKTOP is '%1': run under scripts/desktop-session.sh").arg(desktop));
}

QImage stripesPicture()
{
    QImage picture(qEnvironmentVariable("HALVO_DESKTOP_PICTURE"));
    if (picture.isNull())
        return picture;
    // Screenshots carry no colour space, and QImage compares it too.
    picture.setColorSpace(QColorSpace());
    return picture.convertToFormat(QImage::Format_RGB32);
}

double meanChroma(const QImage &image)
{
    double sum = 0;
    qint64 count = 0;
    forStripes(image, [&](QRgb p) {
        const int high = std::max({qRed(p), qGreen(p), qBlue(p)});
        const int low = std::min({qRed(p), qGreen(p), qBlue(p)});
        sum += (high - low) / 255.0;
        ++count;
    });
    return count ? sum / double(count) : 0;
}

double blueRedRatio(const QImage &image)
{
    qint64 blue = 0;
    qint64 red = 0;
    forStripes(image, [&](QRgb p) {
        blue += qBlue(p);
        red += qRed(p);
    });
    return red ? double(blue) / double(red) : 0;
}

} // namespace DesktopScreen
