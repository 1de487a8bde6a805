import QtQuick
import QtTest
import Halvoscope.Popover

TestCase {
    id: testCase
    name: "SchedulePage"
    width: 400
    height: 700
    visible: true
    when: windowShown

    property var root: null

    Component {
        id: rootComponent
        PopoverRootView {}
    }

    function open(options) {
        mouseMove(testCase, testCase.width - 1, testCase.height - 1)
        fixture.reset(options || {})
        root = createTemporaryObject(rootComponent, testCase, { context: fixture.context })
        verify(root !== null)
        fixture.navigation.showSettings()
        fixture.navigation.showSchedule()
        waitForRendering(root)
        compare(item("headerTitle").text, "Daily Schedule")
    }

    function item(name) {
        return findChild(root, name)
    }

    function cleanupTestCase() {
        fixture.releaseWindowResources(testCase)
        waitForRendering(testCase)
    }

    readonly property var evening: ({ enabled: false, time1: "06:45", preset1ID: "candle",
                                      time2: "22:10", preset2ID: "vivid" })

    function test_showsTheStoredSchedule_data() {
        return [
            { tag: "off", schedule: evening, on: false, t1: "06:45", p1: "Candle", t2: "22:10", p2: "Vivid" },
            { tag: "on, missing presets", on: true, t1: "07:00", p1: "Standard", t2: "19:30", p2: "Red Light",
              schedule: { enabled: true, time1: "07:00", preset1ID: "gone", time2: "19:30", preset2ID: "gone" } },
            { tag: "unparsable times", on: false, t1: "08:00", p1: "Candle", t2: "08:00", p2: "Vivid",
              schedule: { enabled: false, time1: "8:00", preset1ID: "candle", time2: "25:00", preset2ID: "vivid" } },
        ]
    }

    function test_showsTheStoredSchedule(data) {
        open({ schedule: data.schedule })
        compare(item("scheduleSwitch").checked, data.on)
        compare(item("timeField1").text, data.t1)
        compare(item("timeField2").text, data.t2)
        compare(findChild(item("presetPicker1"), "pickerText").text, data.p1)
        compare(findChild(item("presetPicker2"), "pickerText").text, data.p2)
    }

    function test_layoutAndTexts() {
        open({ schedule: evening })
        compare(item("timeField1").width, 96)
        compare(item("scheduleNote").text,
                "Applies once per scheduled period and won't override manual changes.")
        verify(item("scheduleNote").lineCount > 1)
        compare(item("saveScheduleButton").text, "Save Schedule")
        compare(item("saveScheduleButton").width, root.page.width - 12)
        compare(findChild(item("firstSwitch"), "timeField1").hour, 6)
    }

    function test_switchOffStoresAtOnce() {
        open({ schedule: { enabled: true, time1: "06:45", preset1ID: "candle", time2: "22:10", preset2ID: "vivid" } })
        mouseClick(item("scheduleSwitch"))
        verify(!item("scheduleSwitch").checked)
        compare(fixture.schedule().enabled, false)

        mouseClick(item("scheduleSwitch"))
        verify(item("scheduleSwitch").checked)
        compare(fixture.schedule().enabled, false)
    }

    function test_steppersAndTypingEditTheTimes() {
        open({ schedule: evening })
        const field = item("timeField1")
        mouseClick(findChild(field, "upArrow"))
        compare(field.text, "07:45")

        const minute = findChild(field, "minuteInput")
        mouseClick(minute)
        mouseClick(findChild(field, "downArrow"))
        compare(field.text, "07:44")
        keyClick(Qt.Key_Up)
        compare(field.text, "07:45")

        const hour = findChild(item("timeField2"), "hourInput")
        mouseClick(hour)
        keyClick(Qt.Key_2)
        keyClick(Qt.Key_3)
        keyClick(Qt.Key_Return)
        compare(item("timeField2").text, "23:10")
        // Nothing is stored before saving.
        compare(fixture.schedule().time1, "06:45")
    }

    // Digits typed into a part count before an arrow or an Up/Down key steps
    // it, whether or not Return was pressed.
    function test_typedDigitsAreCommittedBeforeStepping_data() {
        return [
            { tag: "minute, Up key", part: "minuteInput", keys: [Qt.Key_7], step: "upKey", expected: "06:08" },
            { tag: "minute, Down key", part: "minuteInput", keys: [Qt.Key_7], step: "downKey", expected: "06:06" },
            { tag: "minute, up arrow", part: "minuteInput", keys: [Qt.Key_7], step: "upArrow", expected: "06:08" },
            { tag: "minute, two digits wrap", part: "minuteInput", keys: [Qt.Key_5, Qt.Key_9], step: "upKey", expected: "06:00" },
            { tag: "minute, zero", part: "minuteInput", keys: [Qt.Key_0], step: "downArrow", expected: "06:59" },
            { tag: "hour, Down key", part: "hourInput", keys: [Qt.Key_9], step: "downKey", expected: "08:45" },
            { tag: "hour, up arrow wraps", part: "hourInput", keys: [Qt.Key_2, Qt.Key_3], step: "upArrow", expected: "00:45" },
        ]
    }

    function test_typedDigitsAreCommittedBeforeStepping(data) {
        open({ schedule: evening })
        const field = item("timeField1")
        mouseClick(findChild(field, data.part))
        for (const key of data.keys)
            keyClick(key)
        compare(field.text, "06:45")
        if (data.step === "upKey")
            keyClick(Qt.Key_Up)
        else if (data.step === "downKey")
            keyClick(Qt.Key_Down)
        else
            mouseClick(findChild(field, data.step))
        compare(field.text, data.expected)
        // The part keeps showing the model's value through further steps.
        keyClick(Qt.Key_Up)
        keyClick(Qt.Key_Down)
        compare(field.text, data.expected)
        compare(fixture.schedule().time1, "06:45")
    }

    function test_saveStoresAnEnabledSchedule() {
        open({ schedule: evening, hidden: ["color-ink"] })
        const field = item("timeField1")
        mouseClick(findChild(field, "downArrow"))
        const picker = item("presetPicker2")
        picker.forceActiveFocus()
        keyClick(Qt.Key_Up)
        compare(findChild(picker, "pickerText").text, "Color Ink")

        mouseClick(item("saveScheduleButton"))
        verify(item("scheduleSwitch").checked)
        const stored = fixture.schedule()
        compare(stored.enabled, true)
        compare(stored.time1, "05:45")
        compare(stored.preset1ID, "candle")
        compare(stored.time2, "22:10")
        compare(stored.preset2ID, "color-ink")
        // At 12:00 the first switch is in force and applies at once.
        compare(fixture.activeModeID(), "candle")
        compare(fixture.navigation.pageKind, "schedule")
    }

    function test_backGoesToSettings() {
        open()
        mouseClick(findChild(root, "backButton"))
        compare(fixture.navigation.pageKind, "settings")
    }
}
