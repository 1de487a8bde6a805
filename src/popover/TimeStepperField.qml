import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T

// A time field on the locale's clock: hour and minute parts, on a 12-hour
// clock an AM/PM part too, and a pair of stepper arrows that step the part
// last focused (the hour at first). Up and Down keys and the wheel step a
// part as well. The field shows `hour` (0…23) and `minute` and asks for
// changes through its signals. Digits typed into a part are entered before
// that part is stepped, so a step starts from them. `clock` (the schedule
// model) formats and reads the parts; without it the field is a plain
// 24-hour one. `caption` names the field for assistive technology.
T.Control {
    id: field

    property int hour: 0
    property int minute: 0
    property var clock: null
    property string caption: ""
    readonly property bool twelveHour: clock !== null && clock.twelveHourClock
    readonly property string meridiemText: hour < 12 ? (clock ? clock.amText : "") : (clock ? clock.pmText : "")
    readonly property string text: hourText(hour) + separator + minuteText(minute) + (twelveHour ? " " + meridiemText : "")
    readonly property string separator: clock ? clock.timeSeparator : ":"
    // "hour", "minute" or "meridiem": what the arrows step.
    property string steppedPart: "hour"

    signal hourStepped(int delta)
    signal minuteStepped(int delta)
    signal hourEntered(int value)
    signal minuteEntered(int value)
    signal meridiemToggled()

    implicitWidth: Math.max(96, contentItem.implicitWidth)
    // A time reads left to right in every language.
    LayoutMirroring.enabled: false
    LayoutMirroring.childrenInherit: true
    implicitHeight: 22
    padding: 0

    function pad(value) {
        return (value < 10 ? "0" : "") + value
    }
    function hourText(value) {
        return clock ? clock.hourText(value) : pad(value)
    }
    function minuteText(value) {
        return clock ? clock.minuteText(value) : pad(value)
    }
    function parse(text) {
        if (clock)
            return clock.parseNumber(text)
        const value = parseInt(text, 10)
        return isNaN(value) ? -1 : value
    }
    function step(delta) {
        // The arrows take no focus: the part being typed into still has it.
        if (hourInput.activeFocus)
            hourInput.commit()
        else if (minuteInput.activeFocus)
            minuteInput.commit()
        if (steppedPart === "minute")
            minuteStepped(delta)
        else if (steppedPart === "meridiem")
            meridiemToggled()
        else
            hourStepped(delta)
    }

    component PartInput: TextInput {
        id: part
        required property string partName
        required property int value
        required property int maximum

        text: partName === "hour" ? field.hourText(value) : field.minuteText(value)
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
        Accessible.role: Accessible.SpinBox
        Accessible.name: partName === "hour" ? qsTr("%1, hour").arg(field.caption) : qsTr("%1, minute").arg(field.caption)
        Accessible.description: field.text
        Accessible.editable: true

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
            const typed = field.parse(text)
            if (typed >= 0) {
                if (partName === "minute" && typed !== value)
                    field.minuteEntered(typed)
                else if (partName === "hour") {
                    const entered = field.clock ? field.clock.hourFromTyped(typed, value) : typed
                    if (entered !== value)
                        field.hourEntered(entered)
                }
            }
            text = Qt.binding(() => partName === "hour" ? field.hourText(part.value) : field.minuteText(part.value))
        }
    }

    // AM/PM: arrows, Up/Down and Space flip it; typing the first letter of
    // either marker picks that one.
    component MeridiemPart: Text {
        id: meridiem
        text: field.meridiemText
        font.pointSize: Style.pt(12)
        color: activeFocus ? Style.accent : Style.primary
        verticalAlignment: Text.AlignVCenter
        leftPadding: 3
        rightPadding: 3
        activeFocusOnTab: true
        Accessible.role: Accessible.SpinBox
        Accessible.name: qsTr("%1, AM or PM").arg(field.caption)
        Accessible.description: field.text
        Accessible.focusable: true
        onActiveFocusChanged: if (activeFocus) field.steppedPart = "meridiem"
        Keys.onUpPressed: field.meridiemToggled()
        Keys.onDownPressed: field.meridiemToggled()
        Keys.onSpacePressed: field.meridiemToggled()
        Keys.onPressed: event => {
            const typed = event.text.toLowerCase()
            if (typed.length === 0 || !field.clock)
                return
            const am = field.clock.amText.toLowerCase(), pm = field.clock.pmText.toLowerCase()
            const wantsAfternoon = pm.startsWith(typed) && !am.startsWith(typed)
            const wantsMorning = am.startsWith(typed) && !pm.startsWith(typed)
            if ((wantsAfternoon && field.hour < 12) || (wantsMorning && field.hour >= 12))
                field.meridiemToggled()
            if (wantsAfternoon || wantsMorning)
                event.accepted = true
        }
        TapHandler { onTapped: meridiem.forceActiveFocus() }
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
        shown: hourInput.activeFocus || minuteInput.activeFocus || meridiemBefore.activeFocus || meridiemAfter.activeFocus
        controlRadius: 5
    }

    contentItem: RowLayout {
        spacing: 0

        Item { implicitWidth: 4 }
        MeridiemPart {
            id: meridiemBefore
            objectName: "meridiemBefore"
            visible: field.twelveHour && field.clock.meridiemFirst
            Layout.fillHeight: true
        }
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
            text: field.separator
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
        MeridiemPart {
            id: meridiemAfter
            objectName: "meridiemAfter"
            visible: field.twelveHour && !field.clock.meridiemFirst
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
