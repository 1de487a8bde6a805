// The real application's colour filter inside a real compositor: Halvoscope's
// GNOME Shell extension on GNOME Shell 43, 48 and 50. Run by
// scripts/desktop-session.sh --stripes --prefix (the extension installed
// there), one row per desktop; the screen is measured from the compositor's
// own screenshots.

#include "desktopapp.h"
#include "desktopscreen.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QImage>
#include <QTest>

namespace {

const QString kUuid = QStringLiteral("halvoscope@corvanta.com");

QDBusMessage shellExtensions(const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
                                                       QStringLiteral("org.gnome.Shell.Extensions"), method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
}

// 1 is ENABLED on GNOME 43 and ACTIVE on 45 and later.
double extensionState()
{
    const QDBusMessage reply = shellExtensions(QStringLiteral("GetExtensionInfo"), {kUuid});
    const QVariantMap info = qdbus_cast<QVariantMap>(reply.arguments().value(0));
    return info.value(QStringLiteral("state")).toDouble();
}

bool extensionAnswers()
{
    QDBusMessage get = QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"),
                                                      QStringLiteral("/com/corvanta/Halvoscope/ShellExtension"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments({QStringLiteral("com.corvanta.Halvoscope.ShellExtension"), QStringLiteral("Version")});
    const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage
           && reply.arguments().value(0).value<QDBusVariant>().variant().toUInt() == 1;
}

// The striped part of the screen, clear of the top bar and its clock.
QImage stripes(const QImage &screen)
{
    return screen.copy(0, screen.height() / 8, screen.width(), screen.height() * 3 / 4)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestDesktopColorFilter : public QObject {
    Q_OBJECT

private:
    QImage capture() const
    {
        QString error;
        const QImage screen = DesktopScreen::captureDesktop(&error);
        if (screen.isNull())
            qWarning() << "no screenshot:" << error;
        return screen;
    }

    void activate(const QString &preset)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("com.corvanta.Halvoscope"),
                                                           QStringLiteral("/com/corvanta/Halvoscope"),
                                                           QStringLiteral("com.corvanta.Halvoscope"),
                                                           QStringLiteral("ActivatePreset"));
        call.setArguments({preset});
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }

    bool showsUntouched() const { return stripes(capture()) == m_untouched; }

    QImage m_untouched;
    double m_chroma = 0.0;
    double m_blueRed = 0.0;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("HALVO_DESKTOP_RUN"), "run under scripts/desktop-session.sh");
        DesktopApp::checkRow(QStringLiteral("gnome"), qEnvironmentVariable("HALVO_DESKTOP_EXPECTED_VERSION"));
        // As a user would: the extension was installed before the shell
        // started, and is switched on now.
        // On a busy machine the shell may still be reading its extensions.
        const auto enabled = [] {
            const QDBusMessage reply = shellExtensions(QStringLiteral("EnableExtension"), {kUuid});
            return reply.arguments().value(0).toBool() && extensionState() == 1.0;
        };
        QTRY_VERIFY_WITH_TIMEOUT(enabled(), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(extensionAnswers(), 10000);
        const QImage screen = capture();
        QVERIFY(!screen.isNull());
        m_untouched = stripes(screen);
        m_chroma = DesktopScreen::meanChroma(screen);
        m_blueRed = DesktopScreen::blueRedRatio(screen);
        QVERIFY2(m_chroma > 0.3, qPrintable(QString::number(m_chroma)));
    }

    void presetsInFullColour_data()
    {
        QTest::addColumn<QString>("preset");
        // Bounds on the chroma and the blue/red ratio, as factors of the
        // untouched screen's.
        QTest::addColumn<double>("minChroma");
        QTest::addColumn<double>("maxChroma");
        QTest::addColumn<double>("maxBlueRed");
        QTest::newRow("black-white") << QStringLiteral("black-white") << 0.0 << 0.02 << 10.0;
        QTest::newRow("color-ink") << QStringLiteral("color-ink") << 0.1 << 0.8 << 10.0;
        QTest::newRow("vivid") << QStringLiteral("vivid") << 1.1 << 10.0 << 10.0;
        QTest::newRow("candle") << QStringLiteral("candle") << 0.0 << 10.0 << 0.5;
    }

    // One running application goes through the presets, each after a
    // ripple inside the shell; Standard then gives back every pixel.
    void presetsInFullColour()
    {
        QFETCH(QString, preset);
        QFETCH(double, minChroma);
        QFETCH(double, maxChroma);
        QFETCH(double, maxBlueRed);
        QProcess app;
        DesktopApp::launch(app, QStringLiteral("standard"));
        activate(preset);
        const auto matches = [&] {
            const QImage screen = capture();
            const double chroma = DesktopScreen::meanChroma(screen) / m_chroma;
            const double blueRed = DesktopScreen::blueRedRatio(screen) / m_blueRed;
            qDebug() << preset << "chroma" << chroma << "blue/red" << blueRed;
            return chroma >= minChroma && chroma <= maxChroma && blueRed <= maxBlueRed;
        };
        QTRY_VERIFY_WITH_TIMEOUT(matches(), 20000);
        activate(QStringLiteral("standard"));
        QTRY_VERIFY_WITH_TIMEOUT(showsUntouched(), 20000);
        DesktopApp::stop(app, SIGTERM);
        QVERIFY(showsUntouched());
    }

    // The filter belongs to the application's connection: a signal or a
    // kill -9 takes it off the screen at once, with nothing recorded.
    void leavingTheBusRemovesTheFilter_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGKILL") << int(SIGKILL);
    }

    void leavingTheBusRemovesTheFilter()
    {
        QFETCH(int, signal);
        QProcess app;
        DesktopApp::launch(app, QStringLiteral("candle"));
        QTRY_VERIFY_WITH_TIMEOUT(DesktopScreen::blueRedRatio(capture()) < 0.5 * m_blueRed, 20000);
        DesktopApp::stop(app, signal);
        QTRY_VERIFY_WITH_TIMEOUT(showsUntouched(), 10000);
    }
};

QTEST_GUILESS_MAIN(TestDesktopColorFilter)
#include "tst_desktop_colorfilter.moc"
