#include "app/messageboxupdatealertpresenter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
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
    QTest::addColumn<int>("press");   // button index, or -1 for Escape
    QTest::addColumn<int>("expected");

    QTest::newRow("Download Update") << true << 0 << 0;
    QTest::newRow("Later") << true << 1 << 1;
    QTest::newRow("Escape means Later") << true << -1 << 1;
    QTest::newRow("failure OK") << false << 0 << 0;
    QTest::newRow("failure Escape") << false << -1 << 0;
}

void TestMessageBoxUpdateAlertPresenter::showsAlertAndReportsButton()
{
    QFETCH(bool, updateAlert);
    QFETCH(int, press);
    QFETCH(int, expected);

    AppUpdateManifest manifest;
    manifest.version = QStringLiteral("2.0");
    manifest.downloadUrl = QUrl(QStringLiteral("https://corvanta.com/halvoscope"));
    manifest.notes = QStringLiteral("<b>Bold</b> & more");
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
