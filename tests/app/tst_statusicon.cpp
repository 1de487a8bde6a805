#include "app/statusicon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

HalvoPreset preset(const QString &id, const QString &name, qint64 temperature, qint64 saturation)
{
    HalvoPreset p;
    p.id = id;
    p.name = name;
    p.temperature = temperature;
    p.saturation = saturation;
    return p;
}

// Alpha of the pixel under a point of the 24×24 design space, in an icon
// rendered at 4× so single strokes are several pixels wide.
int alphaAt(const QImage &image, qreal designX, qreal designY)
{
    const qreal scale = image.width() / 24.0;
    return qAlpha(image.pixel(int(designX * scale), int(designY * scale)));
}

} // namespace

class TestStatusIcon : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void isActive_data()
    {
        QTest::addColumn<QString>("activeModeID");
        QTest::addColumn<HalvoPreset>("activePreset");
        QTest::addColumn<bool>("keepAwake");
        QTest::addColumn<bool>("active");

        const HalvoPreset standard = preset(u"standard"_s, u"Standard"_s, 6500, 100);
        QTest::newRow("neutral standard, keep-awake off: outline")
            << "standard" << standard << false << false;
        QTest::newRow("neutral standard, keep-awake on: filled")
            << "standard" << standard << true << true;
        QTest::newRow("standard edited to 6000 K: filled")
            << u"standard"_s << preset(u"standard"_s, u"Standard"_s, 6000, 100) << false << true;
        QTest::newRow("standard edited to 50 %: filled")
            << u"standard"_s << preset(u"standard"_s, u"Standard"_s, 6500, 50) << false << true;
        QTest::newRow("candle: filled")
            << u"candle"_s << preset(u"candle"_s, u"Candle"_s, 1800, 100) << false << true;
        QTest::newRow("custom preset at neutral colour: filled")
            << u"custom-1"_s << preset(u"custom-1"_s, u"Mine"_s, 6500, 100) << false << true;
        // An id that names no preset falls back to the first preset, which
        // may be a neutral Standard; the id decides.
        QTest::newRow("unknown id showing Standard: filled")
            << "gone" << standard << false << true;
    }

    void isActive()
    {
        QFETCH(QString, activeModeID);
        QFETCH(HalvoPreset, activePreset);
        QFETCH(bool, keepAwake);
        QFETCH(bool, active);
        QCOMPARE(StatusIcon::isActive(activeModeID, activePreset, keepAwake), active);
    }

    void toolTip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("keepAwake");
        QTest::addColumn<QString>("text");

        QTest::newRow("standard")
            << "Standard" << false
            << QString::fromUtf8("Halvoscope \u00B7 Standard\nRight-click to return to Standard");
        QTest::newRow("candle, keeping awake")
            << "Candle" << true
            << QString::fromUtf8("Halvoscope \u00B7 Candle \u00B7 Keeping Awake\nRight-click to return to Standard");
        QTest::newRow("name with its own middle dot")
            << QString::fromUtf8("A \u00B7 B") << false
            << QString::fromUtf8("Halvoscope \u00B7 A \u00B7 B\nRight-click to return to Standard");
    }

    void toolTip()
    {
        QFETCH(QString, name);
        QFETCH(bool, keepAwake);
        QFETCH(QString, text);
        QCOMPARE(StatusIcon::toolTip(name, keepAwake), text);
    }

    void bodyStartsWhereTheDesignSays_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<QPointF>("start");
        QTest::newRow("active") << true << QPointF(17.507158, 12.652710);
        QTest::newRow("inactive") << false << QPointF(17.252982, 12.493354);
    }

    void bodyStartsWhereTheDesignSays()
    {
        QFETCH(bool, active);
        QFETCH(QPointF, start);
        const QPainterPath body = StatusIcon::bulbBody(active);
        const QPointF first = body.elementAt(0);
        QVERIFY(qAbs(first.x() - start.x()) < 1e-4);
        QVERIFY(qAbs(first.y() - start.y()) < 1e-4);
        // Over the top: the arc reaches up to the circle's top, y = 9.2 − r.
        const qreal radius = active ? 6.5 : 6.2;
        QVERIFY(qAbs(body.boundingRect().top() - (9.2 - radius)) < 0.01);
        QVERIFY(qAbs(body.boundingRect().bottom() - (active ? 16.3 : 15.9)) < 0.01);
        // Mirror-symmetric about x = 12.
        QVERIFY(qAbs(body.boundingRect().center().x() - 12.0) < 0.01);
    }

    void highlightIsTheUpperLeftGleam()
    {
        for (const bool active : {true, false}) {
            const QPainterPath arc = StatusIcon::highlight(active);
            const qreal radius = active ? 3.9 : 3.7;
            const QPointF from(12 + radius * std::cos(qDegreesToRadians(192.6)),
                               9.2 + radius * std::sin(qDegreesToRadians(192.6)));
            const QPointF to(12 + radius * std::cos(qDegreesToRadians(252.0)),
                             9.2 + radius * std::sin(qDegreesToRadians(252.0)));
            QVERIFY(QLineF(arc.pointAtPercent(0), from).length() < 0.01);
            QVERIFY(QLineF(arc.pointAtPercent(1), to).length() < 0.01);
            // The short way round, through the upper left.
            const QPointF middle = arc.pointAtPercent(0.5);
            QVERIFY(middle.x() < 12 && middle.y() < 9.2);
            QVERIFY(arc.length() < radius * 1.1);
        }
    }

    void activeBulbIsFilledWithTheGleamCutOut()
    {
        const QImage image = StatusIcon::render(96, 1.0, true, Qt::black);
        QCOMPARE(alphaAt(image, 12, 3.4), 255);       // round top, up
        QCOMPARE(alphaAt(image, 12, 12), 255);        // filled body
        QCOMPARE(alphaAt(image, 12, 18.8), 255);      // upper base bar
        QCOMPARE(alphaAt(image, 12, 21.3), 255);      // lower base bar
        QCOMPARE(alphaAt(image, 12, 17.1), 0);        // gap under the body
        QCOMPARE(alphaAt(image, 9.1, 6.6), 0);        // the gleam, cut out
        QCOMPARE(alphaAt(image, 24 - 9.1, 6.6), 255); // its mirror is not
        QCOMPARE(alphaAt(image, 12, 1), 0);           // above the bulb
        QCOMPARE(qRed(image.pixel(48, 48)), 0);
    }

    void inactiveBulbIsAnOutline()
    {
        const QImage image = StatusIcon::render(96, 1.0, false, Qt::black);
        QCOMPARE(alphaAt(image, 12, 3.0), 255);  // outline at the top
        QCOMPARE(alphaAt(image, 12, 12), 0);     // hollow inside
        QCOMPARE(alphaAt(image, 9.2, 6.8), 255); // the highlight stroke
        QCOMPARE(alphaAt(image, 12, 18.7), 255); // base lines
        QCOMPARE(alphaAt(image, 12, 21.2), 255);
        QCOMPARE(alphaAt(image, 12, 20), 0); // between them
    }

    void drawsInTheGivenColour()
    {
        const QColor colour(200, 220, 240);
        const QImage image = StatusIcon::render(96, 1.0, true, colour)
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.pixelColor(48, 48), colour);
    }

    void rendersAtEachSizeAndRatio_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("ratio");
        for (const int size : {16, 22, 24, 32}) {
            for (const qreal ratio : {1.0, 2.0})
                QTest::addRow("%d px @%gx", size, ratio) << size << ratio;
        }
    }

    void rendersAtEachSizeAndRatio()
    {
        QFETCH(int, size);
        QFETCH(qreal, ratio);
        for (const bool active : {true, false}) {
            const QPixmap pixmap = StatusIcon::icon(active, Qt::black).pixmap(QSize(size, size), ratio);
            QCOMPARE(pixmap.size(), QSize(size, size) * ratio);
            QCOMPARE(pixmap.devicePixelRatio(), ratio);
            // Drawn for this size, not scaled from another: identical pixels.
            QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     StatusIcon::render(size, ratio, active, Qt::black));
        }
    }

    // Panels of every lightness, including the grey where black and white
    // are about equally far, and a theme colour that already stands out.
    void colourOnAPanel_data()
    {
        QTest::addColumn<QColor>("panel");
        QTest::addColumn<QColor>("themeText");
        QTest::addColumn<bool>("keepsThemeText");

        const QColor black(Qt::black);
        const QColor white(Qt::white);
        QTest::newRow("dark panel, light theme's black text") << QColor(0x20, 0x20, 0x20) << black << false;
        QTest::newRow("black panel, black text") << black << black << false;
        QTest::newRow("light panel, dark theme's white text") << QColor(0xe0, 0xe0, 0xe0) << white << false;
        QTest::newRow("white panel, white text") << white << white << false;
        QTest::newRow("mid grey, equally far from both") << QColor(0x76, 0x76, 0x76) << QColor(0x70, 0x70, 0x70) << false;
        QTest::newRow("saturated blue panel") << QColor(0x10, 0x30, 0xc0) << QColor(0x20, 0x40, 0xa0) << false;
        QTest::newRow("yellow panel") << QColor(0xf0, 0xe0, 0x20) << white << false;
        QTest::newRow("no theme colour") << QColor(0x30, 0x30, 0x30) << QColor() << false;
        QTest::newRow("dark panel, white text kept") << QColor(0x20, 0x20, 0x20) << white << true;
        QTest::newRow("light panel, tinted dark text kept") << QColor(0xf0, 0xf0, 0xf0) << QColor(0x40, 0x20, 0x60) << true;
    }

    void colourOnAPanel()
    {
        QFETCH(QColor, panel);
        QFETCH(QColor, themeText);
        QFETCH(bool, keepsThemeText);
        const QColor chosen = StatusIcon::colourOn(panel, themeText);
        QVERIFY2(StatusIcon::contrastRatio(chosen, panel) >= StatusIcon::minimumContrast,
                 qPrintable(chosen.name() + u" on "_s + panel.name()));
        QCOMPARE(chosen == themeText, keepsThemeText);
    }

    void contrastRatio_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");

        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("order does not matter") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("same colour") << QColor(0x55, 0x66, 0x77) << QColor(0x55, 0x66, 0x77) << 1.0;
        // WCAG's own example: #767676 is the darkest grey reaching 4.5 on white.
        QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
        QTest::newRow("black bulb on the dark panel") << QColor(Qt::black) << QColor(0x20, 0x20, 0x20) << 1.29;
    }

    void contrastRatio()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(StatusIcon::contrastRatio(a, b) - ratio) < 0.01,
                 qPrintable(QString::number(StatusIcon::contrastRatio(a, b))));
    }

    void dominantColour_data()
    {
        QTest::addColumn<QList<QColor>>("samples");
        QTest::addColumn<QColor>("dominant");

        const QColor panel(0x20, 0x20, 0x20);
        QTest::newRow("nothing sampled") << QList<QColor>{} << QColor();
        QTest::newRow("one pixel") << QList<QColor>{panel} << panel;
        QTest::newRow("a bright neighbour among panel pixels")
            << QList<QColor>{panel, Qt::white, panel, QColor(Qt::yellow), panel} << panel;
        QTest::newRow("a dark edge on a light panel")
            << QList<QColor>{Qt::black, QColor(0xe0, 0xe0, 0xe0), QColor(0xe0, 0xe0, 0xe0)}
            << QColor(0xe0, 0xe0, 0xe0);
    }

    void dominantColour()
    {
        QFETCH(QList<QColor>, samples);
        QFETCH(QColor, dominant);
        QCOMPARE(StatusIcon::dominantColour(samples), dominant);
    }

    void iconCarriesTheThemeNameOnlyWhenTheThemeHasIt()
    {
        QTemporaryDir themes;
        QVERIFY(themes.isValid());
        const QString previousTheme = QIcon::themeName();
        const QStringList previousPaths = QIcon::themeSearchPaths();
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("halvotest"));
        QCOMPARE(StatusIcon::icon(true, Qt::white).name(), QString());

        QDir(themes.path()).mkpath(QStringLiteral("halvotest/scalable/apps"));
        QFile index(themes.path() + QStringLiteral("/halvotest/index.theme"));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=halvotest\nDirectories=scalable/apps\n\n"
                    "[scalable/apps]\nSize=16\nMinSize=8\nMaxSize=512\nType=Scalable\n");
        index.close();
        QFile svg(themes.path() + QStringLiteral("/halvotest/scalable/apps/")
                  + QLatin1String(StatusIcon::themeIconName) + QStringLiteral(".svg"));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'/>");
        svg.close();
        // Qt caches theme lookups; a new theme name starts afresh.
        QIcon::setThemeName(QStringLiteral("hicolor"));
        QIcon::setThemeName(QStringLiteral("halvotest"));

        const QIcon named = StatusIcon::icon(true, Qt::white);
        QCOMPARE(named.name(), QLatin1String(StatusIcon::themeIconName));
        // The pixels are still the drawn bulb in the given colour.
        QCOMPARE(named.pixmap(QSize(32, 32), 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
                 StatusIcon::render(32, 1.0, true, Qt::white).convertToFormat(QImage::Format_ARGB32));

        QIcon::setThemeName(previousTheme);
        QIcon::setThemeSearchPaths(previousPaths);
    }
};

QTEST_MAIN(TestStatusIcon)
#include "tst_statusicon.moc"
