import QtQuick
import QtQuick.Templates as T

// A small text field with a rounded border and a placeholder.
T.TextField {
    id: control

    implicitWidth: 120
    implicitHeight: 22
    leftPadding: 6
    rightPadding: 6
    topPadding: 2
    bottomPadding: 2
    verticalAlignment: TextInput.AlignVCenter
    font.pointSize: Style.pt(12)
    color: Style.primary
    selectionColor: Style.accent
    selectedTextColor: Style.white
    placeholderTextColor: Style.tertiary
    selectByMouse: true
    Accessible.role: Accessible.EditableText
    Accessible.name: placeholderText

    Text {
        x: control.leftPadding
        width: control.width - control.leftPadding - control.rightPadding
        height: control.height
        verticalAlignment: Text.AlignVCenter
        visible: control.length === 0 && control.preeditText.length === 0
        text: control.placeholderText
        font: control.font
        color: control.placeholderTextColor
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: 5
        color: Style.dark ? Style.primaryAlpha(0.06) : Style.white
        border.width: control.activeFocus ? 2 : 1
        border.color: control.activeFocus ? Style.withAlpha(Style.accent, 0.6) : Style.primaryAlpha(0.2)
    }
}
