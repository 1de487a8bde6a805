// The real application's colour filter inside a real compositor: Halvoscope's
// GNOME Shell extension on GNOME Shell 43, 48 and 50. Run by
// scripts/desktop-session.sh --stripes --prefix (the extension installed
// there), one row per desktop; the screen is measured from the compositor's
// own screenshots.

#include "desktopapp.h"
#include "desktopscreen.h"
#include "platform/desktop/gnomeshellextensionstatus.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QImage>
#include <QRect>
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

// Bounding box of the pixels of `rows` (a band of the screen) that differ
// between two screenshots.
QRect changedIn(const QImage &before, const QImage &after, const QRect &rows)
{
    QRect box;
    if (before.size() != after.size())
        return box;
    for (int y = rows.top(); y <= rows.bottom(); ++y)
        for (int x = rows.left(); x <= rows.right(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Share of the pixels of `area` that differ between two screenshots.
double changedShare(const QImage &before, const QImage &after, const QRect &area)
{
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            changed += before.pixel(x, y) != after.pixel(x, y);
    return area.isEmpty() ? 0.0 : double(changed) / (area.width() * area.height());
}

// The shell's own virtual pointer (org.gnome.Mutter.RemoteDesktop). Without
// a screen cast it moves only relatively: it is pushed into the bottom-right
// corner first, where it stops, and moved from there.
class RemotePointer {
public:
    RemotePointer()
    {
        const QDBusMessage reply = QDBusConnection::sessionBus().call(
            QDBusMessage::createMethodCall(kService, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kService,
                                           QStringLiteral("CreateSession")),
            QDBus::Block, 10000);
        m_session = reply.arguments().value(0).value<QDBusObjectPath>().path();
        if (m_session.isEmpty())
            m_error = reply.errorMessage();
        else if (!call(QStringLiteral("Start"), {}))
            m_session.clear();
    }
    ~RemotePointer()
    {
        if (!m_session.isEmpty())
            call(QStringLiteral("Stop"), {});
    }
    RemotePointer(const RemotePointer &) = delete;
    RemotePointer &operator=(const RemotePointer &) = delete;

    bool started() const { return !m_session.isEmpty(); }
    QString error() const { return m_error; }

    bool click(const QPoint &target, const QSize &screen)
    {
        return move(QPointF(4 * screen.width(), 4 * screen.height()))
               && move(QPointF(target - QPoint(screen.width() - 1, screen.height() - 1)))
               && call(QStringLiteral("NotifyPointerButton"), {kLeftButton, true})
               && call(QStringLiteral("NotifyPointerButton"), {kLeftButton, false});
    }

private:
    static constexpr int kLeftButton = 0x110; // BTN_LEFT
    inline static const QString kService = QStringLiteral("org.gnome.Mutter.RemoteDesktop");

    bool move(const QPointF &by)
    {
        return call(QStringLiteral("NotifyPointerMotionRelative"), {by.x(), by.y()});
    }

    bool call(const QString &method, const QVariantList &arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, m_session, kService + QStringLiteral(".Session"), method);
        message.setArguments(arguments);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(message, QDBus::Block, 10000);
        if (reply.type() != QDBusMessage::ReplyMessage)
            m_error = method + QStringLiteral(": ") + reply.errorMessage();
        return reply.type() == QDBusMessage::ReplyMessage;
    }

    QString m_session;
    QString m_error;
};

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
    QRect m_clickedButton;
    uint m_clickedWith = 0;
    double m_chroma = 0.0;
    double m_blueRed = 0.0;

public Q_SLOTS:
    void buttonClicked(uint button, int x, int y, int width, int height)
    {
        m_clickedWith = button;
        m_clickedButton = QRect(x, y, width, height);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("HALVO_DESKTOP_RUN"), "run under scripts/desktop-session.sh");
        DesktopApp::checkRow(QStringLiteral("gnome"), qEnvironmentVariable("HALVO_DESKTOP_EXPECTED_VERSION"));
        const QImage screen = capture();
        QVERIFY(!screen.isNull());
        m_untouched = stripes(screen);
        m_chroma = DesktopScreen::meanChroma(screen);
        m_blueRed = DesktopScreen::blueRedRatio(screen);
        QVERIFY2(m_chroma > 0.3, qPrintable(QString::number(m_chroma)));
    }

    // What Settings and the guide show, as each version's shell reports it:
    // installed before the shell started, off; then switched on as the
    // Turn On button does, also after the user turned extensions off.
    void extensionStateFollowsTheShell()
    {
        using State = DesktopExtension::State;
        GnomeShellExtensionStatus status(QDBusConnection::sessionBus());
        // On a busy machine the shell may still be reading its extensions.
        QTRY_COMPARE_WITH_TIMEOUT(status.state(), State::Disabled, 60000);
        status.enable();
        QTRY_COMPARE_WITH_TIMEOUT(status.state(), State::Enabled, 20000);
        QCOMPARE(extensionState(), 1.0);
        QTRY_VERIFY_WITH_TIMEOUT(extensionAnswers(), 10000);

        QDBusMessage off = QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
                                                          QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
        off.setArguments({QStringLiteral("org.gnome.Shell.Extensions"), QStringLiteral("UserExtensionsEnabled"),
                          QVariant::fromValue(QDBusVariant(false))});
        QCOMPARE(QDBusConnection::sessionBus().call(off, QDBus::Block, 10000).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(status.state(), State::ExtensionsOff, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!extensionAnswers(), 10000);
        status.enable();
        QTRY_COMPARE_WITH_TIMEOUT(status.state(), State::Enabled, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(extensionAnswers(), 10000);
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

    // The bulb in the top bar, clicked as a user would: the popover opens
    // right under it (the extension places the window: a Wayland client
    // cannot place its own).
    void panelButtonOpensThePopover()
    {
        if (qEnvironmentVariable("HALVO_DESKTOP_VERSION").startsWith(QLatin1String("50")))
            QSKIP("GNOME Shell 50 headless here moves org.gnome.Mutter.RemoteDesktop's pointer (the "
                  "button under it lights up) but takes none of its button presses or key presses");
        QVERIFY(QDBusConnection::sessionBus().connect(
            QStringLiteral("org.gnome.Shell"), QStringLiteral("/com/corvanta/Halvoscope/ShellExtension"),
            QStringLiteral("com.corvanta.Halvoscope.ShellExtension"), QStringLiteral("ButtonClicked"), this,
            SLOT(buttonClicked(uint, int, int, int, int))));
        RemotePointer pointer;
        QVERIFY2(pointer.started(), qPrintable(pointer.error()));
        // The shell shows that its screen is shared; wait for the top bar to settle.
        QImage before = capture();
        const auto settled = [&] {
            const QImage now = capture();
            const bool same = now == before;
            before = now;
            return same;
        };
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 10000);
        const QRect topBar(before.width() / 2, 0, before.width() / 2, before.height() / 32);

        QProcess app;
        DesktopApp::launch(app, QStringLiteral("standard"));
        QRect bulb;
        QTRY_VERIFY_WITH_TIMEOUT((bulb = changedIn(before, capture(), topBar)).isValid(), 10000);
        QVERIFY2(pointer.click(bulb.center(), before.size()), qPrintable(pointer.error()));
        QTRY_VERIFY_WITH_TIMEOUT(m_clickedButton.isValid(), 10000);
        QCOMPARE(m_clickedWith, 1u);
        QVERIFY(m_clickedButton.contains(bulb.center()));

        // The popover covers the stripes right under the button.
        const QRect under = QRect(m_clickedButton.center().x() - 40, m_clickedButton.bottom() + 12, 80, 80)
                                .intersected(before.rect());
        QTRY_VERIFY_WITH_TIMEOUT(changedShare(before, capture(), under) > 0.9, 10000);
        DesktopApp::stop(app, SIGTERM);
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
