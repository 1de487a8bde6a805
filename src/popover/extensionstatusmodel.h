#pragma once

#include "core/desktopextension.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

// What the settings page and the first-run guide show of Halvoscope's part
// inside the desktop (GNOME Shell's extension), and their button for it.
// Without one, the text is empty and nothing can be enabled.
class ExtensionStatusModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("ExtensionStatusModel is created by the page models")
    Q_PROPERTY(QString text READ text NOTIFY changed)
    Q_PROPERTY(bool canEnable READ canEnable NOTIFY changed)

public:
    explicit ExtensionStatusModel(QObject *parent = nullptr);

    void setExtension(DesktopExtension *extension);

    QString text() const;
    bool canEnable() const;
    // The application starts again once the desktop says it is on.
    Q_INVOKABLE void enable();

Q_SIGNALS:
    void changed();

private:
    QPointer<DesktopExtension> m_extension;
};
