import QtQuick
import QtQuick.Templates as T

// A borderless text button ("Edit", "Relaunch" and the like).
T.AbstractButton {
    id: control

    property real pixelSize: 11
    property int weight: Font.Normal
    property color color: Style.linkText

    hoverEnabled: true
    padding: 0
    implicitWidth: implicitContentWidth
    implicitHeight: implicitContentHeight
    opacity: enabled ? 1 : 0.45
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: clicked()
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    FocusRing {
        shown: control.visualFocus
        controlRadius: 3
    }

    contentItem: Text {
        text: control.text
        font.pointSize: Style.pt(control.pixelSize)
        font.weight: control.weight
        color: control.color
        opacity: control.down ? 0.6 : 1
    }
}
