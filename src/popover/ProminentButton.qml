import QtQuick
import QtQuick.Templates as T

// A small filled push button in the accent colour, for a page's main action.
T.Button {
    id: control

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
        color: control.enabled ? Style.white : Style.secondary
    }
    FocusRing {
        shown: control.visualFocus
        controlRadius: 6
    }

    background: Rectangle {
        radius: 6
        color: !control.enabled ? Style.primaryAlpha(0.10)
                                : control.down ? Qt.darker(Style.accent, 1.15)
                                               : control.hovered ? Qt.lighter(Style.accent, 1.08) : Style.accent
    }
}
