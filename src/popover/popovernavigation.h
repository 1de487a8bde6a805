#pragma once

#include "popover/popoverpage.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// Which page the popover shows. One per application, owned by the status bar
// controller; pages move only through its operations.
class PopoverNavigation : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("PopoverNavigation is created by the application")
    Q_PROPERTY(PopoverPage page READ page WRITE setPage NOTIFY pageChanged)
    // The same page, spelled out for bindings.
    Q_PROPERTY(QString pageKind READ pageKind NOTIFY pageChanged)
    Q_PROPERTY(QString editPresetID READ editPresetID NOTIFY pageChanged)
    Q_PROPERTY(bool returnToSettings READ returnToSettings NOTIFY pageChanged)

public:
    explicit PopoverNavigation(QObject *parent = nullptr);

    PopoverPage page() const { return m_page; }
    // An equal page is stored silently.
    void setPage(const PopoverPage &page);

    QString pageKind() const { return m_page.kindName(); }
    QString editPresetID() const { return m_page.presetID(); }
    bool returnToSettings() const { return m_page.returnToSettings(); }

    // To the parent page; nothing happens on main.
    Q_INVOKABLE void goBack();

    Q_INVOKABLE void showMain() { setPage(PopoverPage::main()); }
    Q_INVOKABLE void showSettings() { setPage(PopoverPage::settings()); }
    Q_INVOKABLE void showSchedule() { setPage(PopoverPage::schedule()); }
    Q_INVOKABLE void showEditor(const QString &presetID, bool returnToSettings)
    {
        setPage(PopoverPage::editPreset(presetID, returnToSettings));
    }

Q_SIGNALS:
    void pageChanged();

private:
    PopoverPage m_page;
};
