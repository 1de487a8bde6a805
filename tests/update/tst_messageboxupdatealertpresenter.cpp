#include "update/messageboxupdatealertpresenter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

// Stands in for the desktop's browser: QDesktopServices hands https URLs to it.
class UrlSink : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

class TestMessageBoxUpdateAlertPresenter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsAlertAndReportsButton_data();
    void showsAlertAndReportsButton();
    void openUrlUsesDesktopHandler();
};

void TestMessageBoxUpdateAlertPresenter::showsAlertAndReportsButton_data()
{
    QTest::addColumn<bool>("updateAlert");
    QTest::addColumn<int>("press"); // button index, or -1 for Escape
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("notes");

    const QString markup = QStringLiteral("<b>Bold</b> & more");
    QTest::newRow("Download Update") << true << 0 << 0 << markup;
    QTest::newRow("Later") << true << 1 << 1 << markup;
    QTest::newRow("Escape means Later") << true << -1 << 1 << markup;
    QTest::newRow("failure OK") << false << 0 << 0 << markup;
    QTest::newRow("failure Escape") << false << -1 << 0 << markup;
    // As much as the alert's text may hold: still within the screen.
    QTest::newRow("notes of many lines") << true << 0 << 0 << QStringLiteral("line\n").repeated(1000);
    QTest::newRow("notes of one long word") << true << 0 << 0 << QString(5000, QLatin1Char('w'));
}

void TestMessageBoxUpdateAlertPresenter::showsAlertAndReportsButton()
{
    QFETCH(bool, updateAlert);
    QFETCH(int, press);
    QFETCH(int, expected);
    QFETCH(QString, notes);

    AppUpdateManifest manifest;
    manifest.version = QStringLiteral("2.0");
    manifest.downloadUrl = QUrl(QStringLiteral("https://corvanta.com/halvoscope"));
    manifest.notes = notes;
    const UpdateAlert alert = updateAlert ? UpdateAlert::updateAvailable(manifest, QStringLiteral("1.0.0"))
                                          : UpdateAlert::failure(QStringLiteral("Unable to reach x."));

    QString seenText, seenInformative;
    Qt::TextFormat informativeFormat = Qt::AutoText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    QStringList seenButtons;
    QString defaultButton;
    bool active = false;
    int waited = 0;
    QRect frame;
    QRect screenArea;

    // Inspect the running alert from inside its modal loop, then press a button.
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        // The window manager hands over the focus a moment after mapping.
        if (!box->isActiveWindow() && ++waited < 100)
            return;
        poll.stop();
        frame = box->frameGeometry();
        screenArea = box->screen()->availableGeometry();
        seenText = box->text();
        seenInformative = box->informativeText();
        if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
            informativeFormat = label->textFormat();
        seenIcon = box->icon();
        modality = box->windowModality();
        active = box->isActiveWindow();
        const QList<QAbstractButton *> buttons = box->buttons();
        for (QAbstractButton *button : buttons)
            seenButtons.append(button->text());
        if (box->defaultButton())
            defaultButton = box->defaultButton()->text();
        if (press < 0) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton *button : buttons) {
            if (button->text() == alert.buttons.at(press))
                button->click();
        }
    });
    poll.start();

    const int result = MessageBoxUpdateAlertPresenter().present(alert);

    QCOMPARE(result, expected);
    QCOMPARE(seenText, alert.message);
    QCOMPARE(seenInformative, alert.informativeText);
    QCOMPARE(informativeFormat, Qt::PlainText);
    QCOMPARE(seenIcon, updateAlert ? QMessageBox::Information : QMessageBox::Warning);
    QCOMPARE(modality, Qt::ApplicationModal);
    // Whether the box got the focus is the window manager's decision (openbox
    // focuses new windows whatever we ask, and may not be managing windows
    // yet in the first moment of the session), so it is not asserted here.
    Q_UNUSED(active);
    QCOMPARE(defaultButton, alert.buttons.first());
    QVERIFY2(screenArea.contains(frame), qPrintable(QStringLiteral("%1x%2 at %3,%4 on %5x%6")
                                                        .arg(frame.width())
                                                        .arg(frame.height())
                                                        .arg(frame.x())
                                                        .arg(frame.y())
                                                        .arg(screenArea.width())
                                                        .arg(screenArea.height())));
    // Message boxes lay buttons out by role; the set must be exactly the alert's.
    seenButtons.sort();
    QStringList wanted = alert.buttons;
    wanted.sort();
    QCOMPARE(seenButtons, wanted);
}

void TestMessageBoxUpdateAlertPresenter::openUrlUsesDesktopHandler()
{
    UrlSink sink;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &sink, "open");
    MessageBoxUpdateAlertPresenter().openUrl(QUrl(QStringLiteral("https://corvanta.com/halvoscope")));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(sink.urls, QList<QUrl>{QUrl(QStringLiteral("https://corvanta.com/halvoscope"))});
}

QTEST_MAIN(TestMessageBoxUpdateAlertPresenter)
#include "tst_messageboxupdatealertpresenter.moc"
