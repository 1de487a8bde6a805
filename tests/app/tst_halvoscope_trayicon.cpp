// The tray icon read back from the X server's pixels on a dark and on a light
// panel: the bulb stands out from the panel behind it by at least 3:1,
// whatever the theme's text colour. Runs under scripts/headless-session.sh
// --wm --session-bus and starts its own tinted tray for each panel.

#include "app/statusicon.h"

#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

// Last: Xlib's macros (None, Status, …) would break Qt headers after it.
#include "e2esupport.h"
#include <X11/Xutil.h>

using namespace E2E;

namespace {

struct IconPixels {
    QColor panel;
    QColor bulb;
    qreal contrast = 0;
};

// The panel is the icon's top-left pixel, which the bulb never covers; the
// bulb is the icon's pixel that stands out most from it.
IconPixels readIcon(const QRect &icon)
{
    IconPixels result;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return result;
    XImage *image = XGetImage(display, DefaultRootWindow(display), icon.x(), icon.y(),
                              unsigned(icon.width()), unsigned(icon.height()), AllPlanes, ZPixmap);
    if (image) {
        auto colourAt = [image](int x, int y) { return QColor::fromRgb(QRgb(XGetPixel(image, x, y))); };
        result.panel = colourAt(0, 0);
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                const QColor pixel = colourAt(x, y);
                const qreal contrast = StatusIcon::contrastRatio(pixel, result.panel);
                if (contrast > result.contrast) {
                    result.contrast = contrast;
                    result.bulb = pixel;
                }
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return result;
}

} // namespace

class TestHalvoscopeTrayIcon : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void bulbStandsOutFromThePanel_data()
    {
        QTest::addColumn<QString>("tint");
        QTest::addColumn<bool>("darkPanel");

        QTest::newRow("dark panel") << QStringLiteral("0x202020") << true;
        QTest::newRow("light panel") << QStringLiteral("0xe0e0e0") << false;
    }

    void bulbStandsOutFromThePanel()
    {
        QFETCH(QString, tint);
        QFETCH(bool, darkPanel);

        AppProcess tray;
        tray.start(QStringLiteral("trayer"),
                   {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                    QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                    QStringLiteral("--width"), QStringLiteral("120"), QStringLiteral("--height"),
                    QStringLiteral("24"), QStringLiteral("--SetDockType"), QStringLiteral("true"),
                    QStringLiteral("--expand"), QStringLiteral("false"), QStringLiteral("--transparent"),
                    QStringLiteral("true"), QStringLiteral("--alpha"), QStringLiteral("0"),
                    QStringLiteral("--tint"), tint});
        QVERIFY(tray.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")})
                                     .contains(QStringLiteral("panel")),
                                 10000);

        QTemporaryDir home;
        QVERIFY(home.isValid());
        // A preset other than a neutral Standard shows the filled bulb, whose
        // inside is solid colour rather than antialiased strokes.
        const QString folder = home.path() + QStringLiteral("/data/Halvoscope");
        QDir().mkpath(folder);
        QFile state(folder + QStringLiteral("/state.json"));
        QVERIFY(state.open(QIODevice::WriteOnly));
        state.write("{\"hasCompletedOnboarding\": true, \"activeModeID\": \"candle\"}\n");
        state.close();

        AppProcess app;
        app.setProcessEnvironment(appEnvironment(home.path()));
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        app.start(QStringLiteral(HALVOSCOPE_EXECUTABLE), {});
        QVERIFY(app.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows().isEmpty(), 20000);
        const QRect icon = visibleWindows().first();
        QVERIFY2(icon.width() <= 32 && icon.top() < 30, qPrintable(QString::number(icon.width())));

        IconPixels pixels;
        QTRY_VERIFY2_WITH_TIMEOUT((pixels = readIcon(icon)).contrast >= 3.0,
                                  qPrintable(QStringLiteral("bulb %1 on panel %2: %3:1")
                                                 .arg(pixels.bulb.name(), pixels.panel.name())
                                                 .arg(pixels.contrast, 0, 'f', 2)),
                                  20000);
        // The pixels read are the tinted panel's, not some other background.
        QCOMPARE(pixels.panel.lightnessF() < 0.5, darkPanel);
        qInfo("bulb %s on panel %s: %.2f:1", qPrintable(pixels.bulb.name()), qPrintable(pixels.panel.name()),
              pixels.contrast);

        ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestHalvoscopeTrayIcon)
#include "tst_halvoscope_trayicon.moc"
