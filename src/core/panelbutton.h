#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

// A button of the application's own in the desktop's top bar (GNOME Shell's
// extension), where the desktop shows no tray icons. It shows the bulb and
// the tooltip it is given; clicks come back with the button's rectangle in
// global logical coordinates, so the popover can hang from it.
class PanelButton : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void show(bool active, const QString &toolTip) = 0;
    virtual void hide() = 0;
    // The desktop moves the application's next window titled `title` so
    // that its top-left corner lands at `topLeft`: a Wayland client cannot
    // place its own windows.
    virtual void placeWindow(const QString &title, QPoint topLeft) = 0;

Q_SIGNALS:
    // `button`: 1 left, 2 middle, 3 right.
    void clicked(int button, QRect geometry);
};
