import QtQuick
import QtQuick.Templates as T

// A switch of the smallest size without a label. It does not flip itself:
// `checked` stays bound to the model and a click asks for `!checked`. Built
// on CheckBox, so that assistive technology hears a check box and its state
// (Qt Quick's Switch speaks as a push button).
T.CheckBox {
    id: control

    // Whether Return flips it like Space; off where Return belongs to the window.
    property bool returnPresses: true

    // Checkable, so that it is heard as a check box, yet never flipping itself.
    nextCheckState: () => checkState
    hoverEnabled: true
    padding: 0
    implicitWidth: 26
    implicitHeight: 15
    opacity: enabled ? 1 : 0.45
    Accessible.role: Accessible.CheckBox
    Accessible.checkable: true
    Accessible.checked: checked
    Accessible.ignored: !visible
    Accessible.onCheckableChanged: if (!Accessible.checkable) Accessible.checkable = true
    Accessible.onPressAction: clicked()
    Accessible.onToggleAction: clicked()
    Keys.onReturnPressed: event => {
        event.accepted = returnPresses
        if (returnPresses)
            clicked()
    }
    Keys.onEnterPressed: event => {
        event.accepted = returnPresses
        if (returnPresses)
            clicked()
    }

    indicator: Rectangle {
        width: control.width
        height: control.height
        radius: height / 2
        color: control.checked ? Style.accent : Style.primaryAlpha(0.18)
        border.width: 1
        border.color: control.checked ? "transparent" : Style.primaryAlpha(0.12)

        Rectangle {
            x: control.checked ? parent.width - width - 1 : 1
            y: 1
            width: parent.height - 2
            height: width
            radius: width / 2
            color: Style.white
            border.width: 0.5
            border.color: Qt.rgba(0, 0, 0, 0.15)
        }
    }
    contentItem: Item {}

    FocusRing {
        shown: control.visualFocus
        controlRadius: height / 2
    }
}
