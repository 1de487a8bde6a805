import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T

// A 24-hour time field: two-digit hour and minute parts and a pair of
// stepper arrows that step the part last focused (the hour at first). Up and
// Down keys and the wheel step a part as well. The field shows `hour` and
// `minute` and asks for changes through its signals. Digits typed into a part
// are entered before that part is stepped, so a step starts from them.
T.Control {
    id: field

    property int hour: 0
    property int minute: 0
    readonly property string text: pad(hour) + ":" + pad(minute)
    // "hour" or "minute": what the arrows step.
    property string steppedPart: "hour"

    signal hourStepped(int delta)
    signal minuteStepped(int delta)
    signal hourEntered(int value)
    signal minuteEntered(int value)

    implicitWidth: 96
    implicitHeight: 22
    padding: 0

    function pad(value) {
        return (value < 10 ? "0" : "") + value
    }
    function step(delta) {
        // The arrows take no focus: the part being typed into still has it.
        if (hourInput.activeFocus)
            hourInput.commit()
        else if (minuteInput.activeFocus)
            minuteInput.commit()
        if (steppedPart === "minute")
            minuteStepped(delta)
        else
            hourStepped(delta)
    }

    component PartInput: TextInput {
        id: part
        required property string partName
        required property int value
        required property int maximum

        text: field.pad(value)
        maximumLength: 2
        validator: IntValidator { bottom: 0; top: part.maximum }
        inputMethodHints: Qt.ImhDigitsOnly
        font.pointSize: Style.pt(12)
        color: Style.primary
        selectionColor: Style.accent
        selectedTextColor: Style.white
        selectByMouse: true
        horizontalAlignment: partName === "hour" ? TextInput.AlignRight : TextInput.AlignLeft
        verticalAlignment: TextInput.AlignVCenter
        activeFocusOnTab: true
        Accessible.role: Accessible.EditableText
        Accessible.name: partName

        onActiveFocusChanged: {
            if (activeFocus) {
                field.steppedPart = partName
                selectAll()
            } else {
                commit()
            }
        }
        onAccepted: commit()
        Keys.onUpPressed: field.step(1)
        Keys.onDownPressed: field.step(-1)

        function commit() {
            const typed = parseInt(text, 10)
            if (!isNaN(typed) && typed !== value) {
                if (partName === "minute")
                    field.minuteEntered(typed)
                else
                    field.hourEntered(typed)
            }
            text = Qt.binding(() => field.pad(part.value))
        }
    }

    component Arrow: T.AbstractButton {
        id: arrow
        required property int delta
        implicitWidth: 14
        implicitHeight: 10
        focusPolicy: Qt.NoFocus
        autoRepeat: true
        Accessible.name: delta > 0 ? qsTr("Increment") : qsTr("Decrement")
        onClicked: field.step(delta)
        contentItem: Canvas {
            property color tint: arrow.down ? Style.primary : Style.secondary
            onTintChanged: requestPaint()
            onPaint: {
                const ctx = getContext("2d")
                ctx.reset()
                ctx.fillStyle = tint
                const cx = width / 2, h = 3.5, w = 4
                const cy = height / 2 + (arrow.delta > 0 ? 1 : -1)
                ctx.beginPath()
                if (arrow.delta > 0) {
                    ctx.moveTo(cx - w, cy + h / 2); ctx.lineTo(cx + w, cy + h / 2); ctx.lineTo(cx, cy - h / 2)
                } else {
                    ctx.moveTo(cx - w, cy - h / 2); ctx.lineTo(cx + w, cy - h / 2); ctx.lineTo(cx, cy + h / 2)
                }
                ctx.closePath()
                ctx.fill()
            }
        }
    }

    background: Rectangle {
        radius: 5
        color: Style.dark ? Style.primaryAlpha(0.06) : Style.white
        border.width: 1
        border.color: Style.primaryAlpha(0.2)
    }

    // The parts are text inputs, which have no visualFocus of their own.
    FocusRing {
        shown: hourInput.activeFocus || minuteInput.activeFocus
        controlRadius: 5
    }

    contentItem: RowLayout {
        spacing: 0

        Item { implicitWidth: 4 }
        PartInput {
            id: hourInput
            objectName: "hourInput"
            partName: "hour"
            value: field.hour
            maximum: 23
            Layout.preferredWidth: 18
            Layout.fillHeight: true
        }
        Text {
            text: ":"
            leftPadding: 1
            rightPadding: 1
            font.pointSize: Style.pt(12)
            color: Style.primary
        }
        PartInput {
            id: minuteInput
            objectName: "minuteInput"
            partName: "minute"
            value: field.minute
            maximum: 59
            Layout.preferredWidth: 18
            Layout.fillHeight: true
        }
        Item { Layout.fillWidth: true }
        Rectangle {
            implicitWidth: 1
            Layout.fillHeight: true
            color: Style.primaryAlpha(0.12)
        }
        ColumnLayout {
            spacing: 0
            Layout.rightMargin: 2
            Arrow { objectName: "upArrow"; delta: 1 }
            Arrow { objectName: "downArrow"; delta: -1 }
        }
    }

    WheelHandler {
        onWheel: event => field.step(event.angleDelta.y > 0 ? 1 : -1)
    }
}
