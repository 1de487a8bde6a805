import QtQuick
import QtQuick.Templates as T
import Halvoscope.Popover

// A push button in two styles: prominent (filled with the accent colour,
// white title) or bordered; regular or small.
T.Button {
    id: control

    property bool prominent: false
    property bool small: false

    hoverEnabled: true
    Accessible.role: Accessible.Button
    Accessible.name: text
    // Controls of the pages not on screen stay out of the accessible tree.
    Accessible.ignored: !visible
    Accessible.onPressAction: clicked()
    leftPadding: small ? 9 : 13
    rightPadding: leftPadding
    topPadding: small ? 2 : 4
    bottomPadding: topPadding
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: Math.max(small ? 20 : 26, implicitContentHeight + topPadding + bottomPadding)
    opacity: enabled ? 1 : 0.45

    FocusRing {
        shown: control.visualFocus
        controlRadius: control.small ? 5 : 6
    }

    contentItem: Text {
        text: control.text
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        font.pointSize: Style.pt(control.small ? 11 : 13)
        font.weight: control.prominent ? Font.Medium : Font.Normal
        color: control.prominent ? Style.white : Style.primary
    }
    background: Rectangle {
        radius: control.small ? 5 : 6
        color: control.prominent
               ? (control.down ? Qt.darker(Style.accent, 1.15)
                               : control.hovered ? Qt.lighter(Style.accent, 1.06) : Style.accent)
               : (control.down ? Style.primaryAlpha(0.16)
                               : control.hovered ? Style.primaryAlpha(0.11) : Style.primaryAlpha(0.07))
        border.width: control.prominent ? 0 : 1
        border.color: Style.primaryAlpha(0.14)
    }
}
