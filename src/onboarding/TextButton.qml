import QtQuick
import QtQuick.Templates as T
import Halvoscope.Popover

// A borderless button: its title only, 12.5 medium in the secondary colour.
T.Button {
    id: control

    hoverEnabled: true
    Accessible.role: Accessible.Button
    Accessible.name: text
    // Controls of the pages not on screen stay out of the accessible tree.
    Accessible.ignored: !visible
    Accessible.onPressAction: clicked()
    padding: 2
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding

    FocusRing {
        shown: control.visualFocus
        controlRadius: 3
    }

    contentItem: Text {
        text: control.text
        font.pointSize: Style.pt(12.5)
        font.weight: Font.Medium
        color: control.down || control.hovered ? Style.primaryAlpha(0.75) : Style.secondary
        verticalAlignment: Text.AlignVCenter
    }
    background: Item {}
}
