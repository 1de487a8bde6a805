import QtQuick
import Halvoscope.Popover

// A capsule slider with a round white knob. It does not change `value`
// itself: bind `value` to a number and handle `moved` (every change of the
// snapped value) and `editingChanged` (a drag began or ended). A plain item
// rather than a Control: Qt Quick's controls keep their own accessible role,
// and this one must be heard as a slider with its value and range.
Item {
    id: control

    property real value: 0
    property real from: 0
    property real to: 1
    property real stepSize: 1
    property Gradient gradient: null
    property color fillColor: Style.accent
    property string leadingSymbol: ""
    property color leadingSymbolColor: Style.darkGray
    readonly property alias dragging: interaction.dragging

    signal moved(real newValue)
    signal editingChanged(bool editing)

    implicitWidth: 200
    implicitHeight: 24
    opacity: enabled ? 1 : 0.55

    activeFocusOnTab: true
    // What assistive technology reads besides `value` and `stepSize`.
    readonly property real minimumValue: from
    readonly property real maximumValue: to
    Accessible.role: Accessible.Slider
    Accessible.onIncreaseAction: interaction.stepBy(1)
    Accessible.onDecreaseAction: interaction.stepBy(-1)

    // Arrows move by one step, Page Up and Page Down by ten.
    Keys.onPressed: event => {
        const steps = control.keySteps(event.key)
        event.accepted = steps !== 0
        if (steps !== 0)
            interaction.stepBy(steps)
    }

    function keySteps(key) {
        switch (key) {
        case Qt.Key_Right:
        case Qt.Key_Up:
            return 1
        case Qt.Key_Left:
        case Qt.Key_Down:
            return -1
        case Qt.Key_PageUp:
            return 10
        case Qt.Key_PageDown:
            return -10
        }
        return 0
    }

    SliderInteraction {
        id: interaction
        value: control.value
        lower: control.from
        upper: control.to
        step: control.stepSize
        width: control.width
        enabled: control.enabled
        onMoved: value => control.moved(value)
        onEditingChanged: editing => control.editingChanged(editing)
    }

    Rectangle {
        id: track
        anchors.fill: parent
        radius: height / 2
        color: Style.primaryAlpha(0.12)
    }

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        visible: control.gradient !== null
        gradient: control.gradient
        opacity: control.enabled ? 0.9 : 0.35
    }

    Rectangle {
        objectName: "sliderFill"
        visible: control.gradient === null
        width: Math.min(interaction.fillWidth, control.width)
        height: parent.height
        radius: height / 2
        color: control.fillColor
        opacity: control.enabled ? 0.92 : 0.35
    }

    SymbolIcon {
        visible: control.leadingSymbol.length > 0
        name: control.leadingSymbol
        color: control.leadingSymbolColor
        pixelSize: 11
        x: 7
        anchors.verticalCenter: parent.verticalCenter
    }

    Item {
        id: knob
        objectName: "sliderKnob"
        x: interaction.knobX
        width: 20
        height: 20
        anchors.verticalCenter: parent.verticalCenter

        // A soft shadow below the knob: two translucent discs stand in for a blur.
        Rectangle {
            x: -1; y: 0
            width: 22; height: 22
            radius: 11
            color: Qt.rgba(0, 0, 0, 0.10)
        }
        Rectangle {
            y: 1
            width: 20; height: 20
            radius: 10
            color: Qt.rgba(0, 0, 0, 0.18)
        }
        Rectangle {
            anchors.fill: parent
            radius: 10
            color: Style.white
            border.width: 0.5
            border.color: Qt.rgba(0, 0, 0, 0.12)
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: "transparent"
        border.width: 0.5
        border.color: Style.primaryAlpha(0.14)
    }

    FocusRing {
        shown: control.activeFocus
        controlRadius: control.height / 2
    }

    MouseArea {
        anchors.fill: parent
        preventStealing: true
        onPressed: mouse => interaction.pointerMoved(mouse.x)
        onPositionChanged: mouse => interaction.pointerMoved(mouse.x)
        onReleased: interaction.pointerReleased()
        onCanceled: interaction.pointerReleased()
    }
}
