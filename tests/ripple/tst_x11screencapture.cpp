#include "platform/x11/x11screencapture.h"
#include "rootpicture.h"

#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <memory>

Q_DECLARE_METATYPE(X11ScreenCapture::Method)

// Captures from a private Xvfb whose root window shows a known picture: both
// ways of reading it must return exactly that picture.
class TestX11ScreenCapture : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void capturesKnownPicture_data();
    void capturesKnownPicture();
    void defaultCaptureUsesSharedMemory();
    void refusesBadRectangles_data();
    void refusesBadRectangles();
    void withoutDisplay();
    void compositingManagerSelection();
    void convertsOtherLayouts_data();
    void convertsOtherLayouts();

private:
    QImage m_picture;
    std::unique_ptr<X11ScreenCapture> m_capture;
};

void TestX11ScreenCapture::initTestCase()
{
    m_capture = std::make_unique<X11ScreenCapture>();
    QVERIFY2(m_capture->isAvailable(), "needs an X server");
    m_picture = RootPicture::pattern(m_capture->rootSize());
    QVERIFY(RootPicture::show(m_picture));
}

void TestX11ScreenCapture::capturesKnownPicture_data()
{
    QTest::addColumn<X11ScreenCapture::Method>("method");
    QTest::addColumn<QRect>("rect");
    const QList<std::pair<const char *, X11ScreenCapture::Method>> methods{
        {"XShm", X11ScreenCapture::Method::SharedMemory}, {"XGetImage", X11ScreenCapture::Method::GetImage}};
    for (const auto &[name, method] : methods) {
        QTest::addRow("%s, whole screen", name) << method << QRect(0, 0, 1280, 800);
        QTest::addRow("%s, odd inner rectangle", name) << method << QRect(17, 33, 301, 199);
        QTest::addRow("%s, bottom-right pixel", name) << method << QRect(1279, 799, 1, 1);
        QTest::addRow("%s, warm-up size", name) << method << QRect(0, 0, 16, 16);
    }
}

void TestX11ScreenCapture::capturesKnownPicture()
{
    QFETCH(X11ScreenCapture::Method, method);
    QFETCH(QRect, rect);
    QCOMPARE(m_capture->rootSize(), QSize(1280, 800));
    QVERIFY(m_capture->sharedMemoryAvailable());

    const ScreenCaptureSource::Result result = m_capture->captureWith(method, rect);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QVERIFY(result.error.isEmpty());
    QCOMPARE(result.image.format(), QImage::Format_RGB32);
    QCOMPARE(result.image.size(), rect.size());

    // A few pixels by value, then every pixel.
    const QImage expected = m_picture.copy(rect);
    QCOMPARE(result.image.pixel(0, 0), expected.pixel(0, 0));
    QCOMPARE(result.image.pixel(rect.width() - 1, rect.height() - 1),
             expected.pixel(rect.width() - 1, rect.height() - 1));
    QCOMPARE(result.image.pixel(rect.width() / 2, rect.height() / 3),
             expected.pixel(rect.width() / 2, rect.height() / 3));
    QCOMPARE(qAlpha(result.image.pixel(0, 0)), 255);
    QVERIFY(result.image == expected);
}

void TestX11ScreenCapture::defaultCaptureUsesSharedMemory()
{
    const QRect rect(100, 200, 640, 360);
    const ScreenCaptureSource::Result result = m_capture->capture(rect);
    QVERIFY2(result.ok(), qPrintable(result.error));
    QVERIFY(result.image == m_picture.copy(rect));
    QVERIFY(m_capture->sharedMemoryAvailable());
    QVERIFY(m_capture->hasAccess());

    // A larger capture after the segment was given back gets a new one.
    m_capture->releaseSharedSegment();
    const QRect whole(QPoint(0, 0), m_picture.size());
    const ScreenCaptureSource::Result again = m_capture->capture(whole);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QVERIFY(again.image == m_picture);
    QVERIFY(m_capture->sharedMemoryAvailable());
}

void TestX11ScreenCapture::refusesBadRectangles_data()
{
    QTest::addColumn<X11ScreenCapture::Method>("method");
    QTest::addColumn<QRect>("rect");
    const QList<std::pair<const char *, X11ScreenCapture::Method>> methods{
        {"XShm", X11ScreenCapture::Method::SharedMemory}, {"XGetImage", X11ScreenCapture::Method::GetImage}};
    for (const auto &[name, method] : methods) {
        QTest::addRow("%s, beyond the right edge", name) << method << QRect(1280, 0, 640, 800);
        QTest::addRow("%s, partly outside", name) << method << QRect(1200, 700, 200, 200);
        QTest::addRow("%s, negative origin", name) << method << QRect(-1, 0, 10, 10);
        QTest::addRow("%s, empty", name) << method << QRect(10, 10, 0, 5);
    }
}

void TestX11ScreenCapture::refusesBadRectangles()
{
    QFETCH(X11ScreenCapture::Method, method);
    QFETCH(QRect, rect);
    const ScreenCaptureSource::Result result = m_capture->captureWith(method, rect);
    QVERIFY(!result.ok());
    QVERIFY(!result.error.isEmpty());
    // The connection survives and still captures.
    QVERIFY(m_capture->isAvailable());
    QVERIFY(m_capture->captureWith(method, QRect(0, 0, 4, 4)).ok());
}

void TestX11ScreenCapture::withoutDisplay()
{
    X11ScreenCapture nowhere(":9999");
    QVERIFY(!nowhere.isAvailable());
    QVERIFY(nowhere.hasAccess());
    QVERIFY(!nowhere.sharedMemoryAvailable());
    QVERIFY(!nowhere.compositingManagerRunning());
    QVERIFY(nowhere.rootSize().isEmpty());
    const ScreenCaptureSource::Result result = nowhere.capture(QRect(0, 0, 16, 16));
    QVERIFY(!result.ok());
    QCOMPARE(result.error, QStringLiteral("no connection to the X server"));
}

// A compositing manager announces itself by owning _NET_WM_CM_S<screen>;
// the test owns it the same way.
void TestX11ScreenCapture::compositingManagerSelection()
{
    QVERIFY(!m_capture->compositingManagerRunning());

    Display *display = XOpenDisplay(nullptr);
    QVERIFY(display);
    const Window owner = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom selection = XInternAtom(display, "_NET_WM_CM_S0", False);
    XSetSelectionOwner(display, selection, owner, CurrentTime);
    XSync(display, False);
    QVERIFY(m_capture->compositingManagerRunning());

    XDestroyWindow(display, owner);
    XSync(display, False);
    QVERIFY(!m_capture->compositingManagerRunning());
    XCloseDisplay(display);
}

// Client-side images in layouts other than the usual 32-bit one: each pixel
// must come out as the colour it encodes.
void TestX11ScreenCapture::convertsOtherLayouts_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<int>("byteOrder");
    QTest::addColumn<quint32>("redMask");
    QTest::addColumn<quint32>("greenMask");
    QTest::addColumn<quint32>("blueMask");
    QTest::newRow("16-bit 565") << 16 << 16 << int(LSBFirst) << 0xf800u << 0x07e0u << 0x001fu;
    QTest::newRow("32-bit, most significant byte first") << 24 << 32 << int(MSBFirst) << 0xff0000u << 0xff00u << 0xffu;
    QTest::newRow("32-bit BGR") << 24 << 32 << int(LSBFirst) << 0xffu << 0xff00u << 0xff0000u;
    QTest::newRow("24-bit packed") << 24 << 24 << int(LSBFirst) << 0xff0000u << 0xff00u << 0xffu;
    QTest::newRow("30-bit deep colour") << 30 << 32 << int(LSBFirst) << 0x3ff00000u << 0xffc00u << 0x3ffu;
}

void TestX11ScreenCapture::convertsOtherLayouts()
{
    QFETCH(int, depth);
    QFETCH(int, bitsPerPixel);
    QFETCH(int, byteOrder);
    QFETCH(quint32, redMask);
    QFETCH(quint32, greenMask);
    QFETCH(quint32, blueMask);

    const int width = 37;
    const int height = 5;
    const int bytesPerLine = (width * bitsPerPixel / 8 + 3) / 4 * 4;
    XImage image{};
    image.width = width;
    image.height = height;
    image.format = ZPixmap;
    image.data = static_cast<char *>(std::calloc(size_t(bytesPerLine) * height, 1));
    image.byte_order = byteOrder;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = MSBFirst;
    image.bitmap_pad = 32;
    image.depth = depth;
    image.bytes_per_line = bytesPerLine;
    image.bits_per_pixel = bitsPerPixel;
    image.red_mask = redMask;
    image.green_mask = greenMask;
    image.blue_mask = blueMask;
    QVERIFY(XInitImage(&image));

    const auto encode = [](int value, quint32 mask) {
        const int shift = __builtin_ctz(mask);
        const int bits = __builtin_popcount(mask);
        return (quint32(value) >> (8 - std::min(bits, 8)) << (bits > 8 ? bits - 8 : 0)) << shift;
    };
    const auto decode = [](int value, quint32 mask) {
        const int bits = __builtin_popcount(mask);
        if (bits >= 8)
            return value;
        const int reduced = value >> (8 - bits);
        return reduced * 255 / ((1 << bits) - 1);
    };
    QImage expected(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int r = (x * 7) & 255;
            const int g = (y * 60 + x) & 255;
            const int b = 255 - ((x * 5) & 255);
            XPutPixel(&image, x, y, encode(r, redMask) | encode(g, greenMask) | encode(b, blueMask));
            expected.setPixel(x, y, qRgb(decode(r, redMask), decode(g, greenMask), decode(b, blueMask)));
        }
    }

    const QImage converted = X11ScreenCapture::toImage(&image);
    std::free(image.data);
    QCOMPARE(converted.size(), QSize(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            QCOMPARE(converted.pixel(x, y), expected.pixel(x, y));
    }
}

QTEST_GUILESS_MAIN(TestX11ScreenCapture)
#include "tst_x11screencapture.moc"
