import QtQuick
import QtQuick.Templates as T

// A small bordered push button; `destructive` paints its label red.
T.Button {
    id: control

    property bool destructive: false
    property real pixelSize: 12
    property int weight: Font.Normal

    hoverEnabled: true
    leftPadding: 10
    rightPadding: 10
    topPadding: 3
    bottomPadding: 3
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: Math.max(22, implicitContentHeight + topPadding + bottomPadding)
    opacity: enabled ? 1 : 0.45
    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: clicked()
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    contentItem: Text {
        text: control.text
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        font.pointSize: Style.pt(control.pixelSize)
        font.weight: control.weight
        color: control.destructive ? Style.red : Style.primary
    }
    FocusRing {
        shown: control.visualFocus
        controlRadius: 6
    }

    background: Rectangle {
        radius: 6
        color: control.down ? Style.primaryAlpha(0.16)
                            : control.hovered ? Style.primaryAlpha(0.11) : Style.primaryAlpha(0.07)
        border.width: 1
        border.color: Style.primaryAlpha(0.14)
    }
}
