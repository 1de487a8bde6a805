#include "update/messageboxupdatealertpresenter.h"

#include <QAbstractButton>
#include <QLabel>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

int MessageBoxUpdateAlertPresenter::present(const UpdateAlert &alert)
{
    QMessageBox box;
    box.setIcon(alert.style == UpdateAlert::Style::Warning ? QMessageBox::Warning : QMessageBox::Information);
    box.setText(alert.message);
    box.setInformativeText(alert.informativeText);
    box.setTextFormat(Qt::PlainText);
    // Release notes come from the network: show them as written, never as markup.
    // However many lines the text has, the box stays within the screen: the
    // label is cut off at half the screen's height, the rest of the box fits
    // in the other half.
    if (auto *informative = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"))) {
        informative->setTextFormat(Qt::PlainText);
        if (const QScreen *screen = box.screen())
            informative->setMaximumHeight(screen->availableGeometry().height() / 2);
    }
    box.setWindowModality(Qt::ApplicationModal);

    QList<QAbstractButton *> buttons;
    for (qsizetype i = 0; i < alert.buttons.size(); ++i) {
        const auto role = i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        buttons.append(box.addButton(alert.buttons.at(i), role));
    }
    if (!buttons.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.first()));
        box.setEscapeButton(buttons.last());
    }

    // A tray application has no window in front: raise the alert and take the
    // focus so it does not open behind whatever the user is working in.
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

void MessageBoxUpdateAlertPresenter::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}
