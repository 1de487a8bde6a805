#include "platform/x11/x11screencapture.h"

#include "platform/x11/xerrortrap.h"

#include <QtGlobal>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <bit>
#include <cerrno>
#include <cstring>

namespace {

// One channel of a pixel under its mask, widened or narrowed to 8 bits.
quint32 channel(unsigned long pixel, unsigned long mask)
{
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long value = (pixel & mask) >> shift;
    if (bits >= 8)
        return quint32(value >> (bits - 8));
    return quint32(value * 255 / ((1ul << bits) - 1));
}

QString systemError(const char *call)
{
    return QStringLiteral("%1 failed: %2").arg(QLatin1String(call), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

// The segment's bookkeeping lives at one address for the object's lifetime:
// every XImage made for it points there.
struct X11ScreenCapture::SharedSegment {
    XShmSegmentInfo info{};
    size_t size = 0;
    bool attached = false;
};

X11ScreenCapture::X11ScreenCapture(const QByteArray &displayName)
{
    m_display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!m_display)
        return;
    XErrorTrap::watch(m_display);
    m_screen = DefaultScreen(m_display);
    m_root = RootWindow(m_display, m_screen);
    m_sharedMemory = XShmQueryExtension(m_display);
}

X11ScreenCapture::~X11ScreenCapture()
{
    if (!m_display)
        return;
    releaseSharedSegment();
    XCloseDisplay(m_display);
    XErrorTrap::unwatch(m_display);
}

bool X11ScreenCapture::isAvailable() const
{
    return m_display && !XErrorTrap::connectionLost(m_display);
}

bool X11ScreenCapture::sharedMemoryAvailable() const
{
    return isAvailable() && m_sharedMemory;
}

bool X11ScreenCapture::compositingManagerRunning() const
{
    if (!isAvailable())
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(m_screen);
    const Atom selection = XInternAtom(m_display, name.constData(), False);
    return selection != None && XGetSelectionOwner(m_display, selection) != None;
}

QSize X11ScreenCapture::rootSize() const
{
    if (!isAvailable())
        return {};
    // Asked each time: XRandR may have resized the root since we connected.
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (!XGetGeometry(m_display, m_root, &root, &x, &y, &width, &height, &border, &depth))
        return {};
    return QSize(int(width), int(height));
}

QString X11ScreenCapture::checkRect(const QRect &rect) const
{
    if (!isAvailable())
        return QStringLiteral("no connection to the X server");
    if (rect.isEmpty())
        return QStringLiteral("empty capture rectangle");
    const QSize root = rootSize();
    if (!QRect(QPoint(0, 0), root).contains(rect)) {
        return QStringLiteral("capture rectangle %1,%2 %3x%4 lies outside the %5x%6 root window")
            .arg(rect.x())
            .arg(rect.y())
            .arg(rect.width())
            .arg(rect.height())
            .arg(root.width())
            .arg(root.height());
    }
    return {};
}

ScreenCaptureSource::Result X11ScreenCapture::capture(const QRect &rect)
{
    if (m_sharedMemory) {
        bool attachFailed = false;
        Result result = captureShared(rect, &attachFailed);
        if (!attachFailed)
            return result;
        // The server cannot reach our memory (another machine, another IPC
        // namespace): from now on the picture comes over the connection.
        m_sharedMemory = false;
    }
    return captureGetImage(rect);
}

ScreenCaptureSource::Result X11ScreenCapture::captureWith(Method method, const QRect &rect)
{
    if (method == Method::GetImage)
        return captureGetImage(rect);
    if (!m_sharedMemory)
        return {{}, QStringLiteral("XShm is not available")};
    bool attachFailed = false;
    return captureShared(rect, &attachFailed);
}

ScreenCaptureSource::Result X11ScreenCapture::captureGetImage(const QRect &rect)
{
    if (const QString error = checkRect(rect); !error.isEmpty())
        return {{}, error};
    XErrorTrap::takeError(m_display);
    XImage *image = XGetImage(m_display, m_root, rect.x(), rect.y(), unsigned(rect.width()),
                              unsigned(rect.height()), AllPlanes, ZPixmap);
    const int error = XErrorTrap::takeError(m_display);
    if (!image)
        return {{}, QStringLiteral("XGetImage failed with X error %1").arg(error)};
    Result result{toImage(image), {}};
    if (!result.ok())
        result.error = QStringLiteral("unreadable pixel layout: %1 bits per pixel").arg(image->bits_per_pixel);
    XDestroyImage(image);
    return result;
}

bool X11ScreenCapture::ensureSharedSegment(size_t bytes, QString *error)
{
    if (!m_segment)
        m_segment = std::make_unique<SharedSegment>();
    if (m_segment->attached && m_segment->size >= bytes)
        return true;
    releaseSharedSegment();

    XShmSegmentInfo &info = m_segment->info;
    info.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (info.shmid < 0) {
        *error = systemError("shmget");
        return false;
    }
    void *address = shmat(info.shmid, nullptr, 0);
    if (address == reinterpret_cast<void *>(-1)) {
        *error = systemError("shmat");
        shmctl(info.shmid, IPC_RMID, nullptr);
        return false;
    }
    info.shmaddr = static_cast<char *>(address);
    info.readOnly = False;

    XErrorTrap::takeError(m_display);
    const bool attached = XShmAttach(m_display, &info);
    XSync(m_display, False);
    // Marked for removal at once, so it goes even if we never detach: the
    // kernel frees it once the server and we have let go.
    shmctl(info.shmid, IPC_RMID, nullptr);
    if (!attached || XErrorTrap::takeError(m_display) != 0) {
        shmdt(info.shmaddr);
        info = {};
        *error = QStringLiteral("XShmAttach failed");
        return false;
    }
    m_segment->size = bytes;
    m_segment->attached = true;
    return true;
}

void X11ScreenCapture::releaseSharedSegment()
{
    if (!m_segment || !m_segment->attached)
        return;
    if (isAvailable()) {
        XShmDetach(m_display, &m_segment->info);
        XSync(m_display, False);
        XErrorTrap::takeError(m_display);
    }
    shmdt(m_segment->info.shmaddr);
    m_segment->info = {};
    m_segment->size = 0;
    m_segment->attached = false;
}

ScreenCaptureSource::Result X11ScreenCapture::captureShared(const QRect &rect, bool *attachFailed)
{
    if (const QString error = checkRect(rect); !error.isEmpty())
        return {{}, error};
    if (!m_segment)
        m_segment = std::make_unique<SharedSegment>();

    XImage *image = XShmCreateImage(m_display, DefaultVisual(m_display, m_screen),
                                    unsigned(DefaultDepth(m_display, m_screen)), ZPixmap, nullptr, &m_segment->info,
                                    unsigned(rect.width()), unsigned(rect.height()));
    if (!image) {
        *attachFailed = true;
        return {{}, QStringLiteral("XShmCreateImage failed")};
    }
    QString error;
    if (!ensureSharedSegment(size_t(image->bytes_per_line) * size_t(image->height), &error)) {
        XDestroyImage(image);
        *attachFailed = true;
        return {{}, error};
    }
    image->data = m_segment->info.shmaddr;

    Result result;
    XErrorTrap::takeError(m_display);
    const bool got = XShmGetImage(m_display, m_root, image, rect.x(), rect.y(), AllPlanes);
    const int xError = XErrorTrap::takeError(m_display);
    if (got && xError == 0) {
        result.image = toImage(image);
        if (!result.ok())
            result.error = QStringLiteral("unreadable pixel layout: %1 bits per pixel").arg(image->bits_per_pixel);
    } else {
        result.error = QStringLiteral("XShmGetImage failed with X error %1").arg(xError);
    }
    image->data = nullptr;
    XDestroyImage(image);
    return result;
}

QImage X11ScreenCapture::toImage(const XImage *image)
{
    if (!image || image->format != ZPixmap || image->width <= 0 || image->height <= 0 || !image->data)
        return {};
    if (!image->red_mask || !image->green_mask || !image->blue_mask)
        return {};
    QImage picture(image->width, image->height, QImage::Format_RGB32);
    if (picture.isNull())
        return {};

    const bool hostLsbFirst = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
    const bool sameLayout = image->bits_per_pixel == 32 && image->red_mask == 0xff0000ul
                            && image->green_mask == 0xff00ul && image->blue_mask == 0xfful
                            && (image->byte_order == LSBFirst) == hostLsbFirst;
    if (sameLayout) {
        // The usual 24-bit TrueColor root: already 0xXXRRGGBB words; only
        // the unused byte must become opaque.
        for (int y = 0; y < image->height; ++y) {
            const auto *source = reinterpret_cast<const quint32 *>(image->data + qsizetype(y) * image->bytes_per_line);
            auto *target = reinterpret_cast<quint32 *>(picture.scanLine(y));
            for (int x = 0; x < image->width; ++x)
                target[x] = source[x] | 0xff000000u;
        }
        return picture;
    }

    auto *readable = const_cast<XImage *>(image);
    for (int y = 0; y < image->height; ++y) {
        auto *target = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(readable, x, y);
            target[x] = qRgb(int(channel(pixel, image->red_mask)), int(channel(pixel, image->green_mask)),
                             int(channel(pixel, image->blue_mask)));
        }
    }
    return picture;
}
