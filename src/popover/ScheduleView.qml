import QtQuick
import Halvoscope.Popover
import QtQuick.Layouts

// The daily schedule page: the master switch and two switch points, edited
// on local copies until "Save Schedule". State and actions live in
// ScheduleModel.
ColumnLayout {
    id: page

    required property PopoverContext context
    readonly property ScheduleModel model: schedule

    spacing: 10

    ScheduleModel {
        id: schedule
        context: page.context
    }

    DrillDownHeader {
        Layout.fillWidth: true
        title: qsTr("Daily Schedule")
        onBack: schedule.back()
    }

    Divider {}

    RowLayout {
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        spacing: 8

        Text {
            text: qsTr("Automatic Switching")
            font.pointSize: Style.pt(13)
            color: Style.primary
            Layout.fillWidth: true
        }
        SmallSwitch {
            objectName: "scheduleSwitch"
            checked: schedule.enabled
            Accessible.name: qsTr("Automatic Switching")
            onClicked: schedule.enabled = !checked
        }
    }

    Divider {}

    component SwitchPoint: ColumnLayout {
        id: point
        required property int slot
        required property string caption
        required property int hour
        required property int minute
        required property int presetIndex

        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        spacing: 5

        Text {
            text: point.caption
            font.pointSize: Style.pt(11.5)
            font.weight: Font.Medium
            color: Style.secondary
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 8

            TimeStepperField {
                objectName: "timeField" + point.slot
                hour: point.hour
                minute: point.minute
                clock: schedule
                caption: point.caption
                Layout.preferredWidth: Math.max(96, implicitWidth)
                onHourStepped: delta => schedule.stepHour(point.slot, delta)
                onMinuteStepped: delta => schedule.stepMinute(point.slot, delta)
                onHourEntered: value => {
                    if (point.slot === 1) schedule.hour1 = value
                    else schedule.hour2 = value
                }
                onMinuteEntered: value => {
                    if (point.slot === 1) schedule.minute1 = value
                    else schedule.minute2 = value
                }
                onMeridiemToggled: schedule.toggleMeridiem(point.slot)
            }
            PresetPicker {
                objectName: "presetPicker" + point.slot
                Layout.fillWidth: true
                model: schedule
                currentIndex: point.presetIndex
                onPicked: presetID => {
                    if (point.slot === 1) schedule.preset1ID = presetID
                    else schedule.preset2ID = presetID
                }
            }
        }
    }

    SwitchPoint {
        objectName: "firstSwitch"
        slot: 1
        caption: qsTr("First Switch")
        hour: schedule.hour1
        minute: schedule.minute1
        presetIndex: schedule.preset1Index
    }

    SwitchPoint {
        objectName: "secondSwitch"
        slot: 2
        caption: qsTr("Second Switch")
        hour: schedule.hour2
        minute: schedule.minute2
        presetIndex: schedule.preset2Index
    }

    Text {
        objectName: "scheduleNote"
        text: qsTr("Applies once per scheduled period and won't override manual changes.")
        font.pointSize: Style.pt(11)
        color: Style.secondary
        wrapMode: Text.WordWrap
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
    }

    // The page keeps its edits only until it is left; say so while they differ.
    Text {
        objectName: "unsavedNote"
        visible: schedule.unsavedChanges
        text: qsTr("Not saved yet: Back leaves the schedule as it was.")
        font.pointSize: Style.pt(11)
        color: Style.secondary
        wrapMode: Text.WordWrap
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
    }

    ProminentButton {
        objectName: "saveScheduleButton"
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        Layout.bottomMargin: 2
        text: qsTr("Save Schedule")
        pixelSize: 12.5
        weight: Font.Medium
        onClicked: schedule.save()
    }
}
