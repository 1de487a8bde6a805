import QtQuick
import QtTest
import Halvoscope.Popover

TestCase {
    id: testCase
    name: "PresetEditor"
    width: 400
    height: 700
    visible: true
    when: windowShown

    property var root: null

    Component {
        id: rootComponent
        PopoverRootView {}
    }

    function openEditor(id, options) {
        fixture.reset(options || { brightness: 70, custom: true })
        root = createTemporaryObject(rootComponent, testCase, { context: fixture.context })
        verify(root !== null)
        fixture.navigation.showEditor(id, false)
        waitForRendering(root)
    }

    function item(name) {
        return findChild(root, name)
    }

    function cleanupTestCase() {
        fixture.releaseWindowResources(testCase)
        waitForRendering(testCase)
    }

    function test_sectionsForBuiltInAndCustom_data() {
        return [
            { tag: "built-in", id: "candle", title: "Candle", custom: false },
            { tag: "custom", id: fixture.customID, title: "Reading", custom: true },
        ]
    }

    function test_sectionsForBuiltInAndCustom(data) {
        openEditor(data.id)
        compare(item("headerTitle").text, data.title)
        compare(item("nameSection").visible, data.custom)
        compare(item("deleteButton").visible, data.custom)
        compare(item("deleteButton").text, "Delete Preset")
        verify(item("temperatureSection").visible)
        verify(item("brightnessSection").visible)
        if (data.custom)
            compare(item("nameField").text, "Reading")
    }

    function test_missingPresetShowsOnlyTheHeader() {
        openEditor("custom-gone")
        compare(item("headerTitle").text, "Preset")
        verify(!item("temperatureSection").visible)
        verify(!item("saturationSection").visible)
        verify(!item("brightnessSection").visible)
        verify(!item("deleteButton").visible)
        verify(!item("nameSection").visible)
    }

    function test_valueTexts() {
        openEditor("candle")
        compare(item("temperatureText").text, "1,800 K")
        compare(item("saturationText").text, "90%")
        compare(item("brightnessText").text, "70%")
        compare(item("autoBrightnessCaption").text, "Keep system display level")
        verify(item("autoBrightnessSwitch").checked)
    }

    function test_draggingTheSliderWritesTheStore() {
        openEditor("standard")
        const slider = item("temperatureSlider")
        const y = slider.height / 2
        const travel = slider.width - 24
        const xFor = kelvin => 10 + travel * (kelvin - 1000) / 6000

        mousePress(slider, xFor(6500), y)
        compare(fixture.colorApplications(), 0)
        for (let x = xFor(6500); x >= xFor(3400); x -= 2)
            mouseMove(slider, x, y)
        mouseMove(slider, xFor(3400), y)
        mouseRelease(slider, xFor(3400), y)

        compare(fixture.preset("standard").temperature, 3400)
        compare(item("temperatureText").text, "3,400 K")
        compare(fixture.colorApplications(), 31)
        compare(fixture.activeModeID(), "standard")
        // The knob follows the draft.
        fuzzyCompare(findChild(slider, "sliderKnob").x, 2 + travel * 0.4, 0.01)
    }

    function test_clickOnTheTrackMovesTheValue() {
        openEditor("candle")
        const slider = item("saturationSlider")
        mouseClick(slider, slider.width - 1, slider.height / 2)
        compare(fixture.preset("candle").saturation, 200)
        compare(item("saturationText").text, "200%")
    }

    function test_unreadableDisplayDisablesBrightness() {
        openEditor("candle", { custom: true })
        const slider = item("brightnessSlider")
        verify(!slider.enabled)
        compare(slider.opacity, 0.55)
        verify(!item("autoBrightnessSwitch").enabled)
        compare(item("autoBrightnessCaption").text, "Unavailable on this display")
        compare(item("brightnessText").text, "Unavailable")

        mouseClick(slider, 10, slider.height / 2)
        mouseClick(item("autoBrightnessSwitch"))
        compare(fixture.colorApplications(), 0)
        compare(fixture.preset("candle").brightness, -1)
    }

    function test_movingBrightnessTurnsAutoOff() {
        openEditor("candle")
        const autoSwitch = item("autoBrightnessSwitch")
        verify(autoSwitch.checked)
        const slider = item("brightnessSlider")
        mouseClick(slider, 10 + (slider.width - 24) * 0.29, slider.height / 2)
        verify(!autoSwitch.checked)
        compare(fixture.preset("candle").brightness, 30)
        compare(item("brightnessText").text, "30%")

        mouseClick(autoSwitch)
        verify(autoSwitch.checked)
        compare(fixture.preset("candle").brightness, -1)
        compare(item("brightnessText").text, "70%")
    }

    function test_renameWithReturn() {
        openEditor(fixture.customID)
        const field = item("nameField")
        field.forceActiveFocus()
        field.selectAll()
        keyClick(Qt.Key_Space)
        keyClick(Qt.Key_O)
        keyClick(Qt.Key_W)
        keyClick(Qt.Key_L)
        keyClick(Qt.Key_Space)
        compare(field.text, " owl ")
        keyClick(Qt.Key_Return)
        compare(fixture.preset(fixture.customID).name, "owl")
        compare(field.text, "owl")
        compare(item("headerTitle").text, "owl")
    }

    function test_saveDisabledForBlankName() {
        openEditor(fixture.customID)
        const field = item("nameField")
        field.forceActiveFocus()
        field.selectAll()
        keyClick(Qt.Key_Space)
        verify(!item("saveButton").enabled)
        keyClick(Qt.Key_Return)
        compare(fixture.preset(fixture.customID).name, "Reading")
    }

    function test_resetRestoresTheSliders() {
        openEditor("candle")
        const slider = item("temperatureSlider")
        mouseClick(slider, slider.width - 1, slider.height / 2)
        compare(item("temperatureText").text, "7,000 K")
        mouseClick(item("resetButton"))
        compare(item("temperatureText").text, "1,800 K")
        compare(fixture.preset("candle").temperature, 1800)
    }

    function test_deleteGoesBackToWhereTheEditorWasOpened() {
        openEditor(fixture.customID)
        fixture.navigation.showEditor(fixture.customID, true)
        mouseClick(item("deleteButton"))
        compare(fixture.navigation.pageKind, "settings")
        compare(Object.keys(fixture.preset(fixture.customID)).length, 0)
        tryCompare(item("headerTitle"), "text", "Settings")
    }

    function test_backButtonToolTip() {
        openEditor("candle")
        const back = item("backButton")
        mouseMove(back, back.width / 2, back.height / 2)
        const tip = item("backToolTip")
        verify(tip.shown)
        compare(tip.text, "Back")
    }

    function test_escapeWhileTypingAName() {
        openEditor(fixture.customID)
        const field = item("nameField")
        field.forceActiveFocus()
        keyClick(Qt.Key_X)
        keyClick(Qt.Key_Escape)
        compare(fixture.navigation.pageKind, "main")
        // The unsaved draft is dropped.
        compare(fixture.preset(fixture.customID).name, "Reading")
    }

    function test_backButtonAndEscape() {
        openEditor("candle")
        mouseClick(item("backButton"))
        compare(fixture.navigation.pageKind, "main")

        fixture.navigation.showEditor("candle", true)
        keyClick(Qt.Key_Escape)
        compare(fixture.navigation.pageKind, "settings")
        keyClick(Qt.Key_Escape)
        compare(fixture.navigation.pageKind, "main")
        compare(fixture.closes, 0)
    }

    function test_focusedSliderStepsByKey_data() {
        return [
            { tag: "right", preset: "candle", slider: "temperatureSlider", key: Qt.Key_Right, field: "temperature", expected: 1900 },
            { tag: "up", preset: "candle", slider: "temperatureSlider", key: Qt.Key_Up, field: "temperature", expected: 1900 },
            { tag: "left", preset: "candle", slider: "temperatureSlider", key: Qt.Key_Left, field: "temperature", expected: 1700 },
            { tag: "down", preset: "candle", slider: "temperatureSlider", key: Qt.Key_Down, field: "temperature", expected: 1700 },
            { tag: "page up", preset: "candle", slider: "temperatureSlider", key: Qt.Key_PageUp, field: "temperature", expected: 2800 },
            { tag: "page down stops at the lower end", preset: "candle", slider: "temperatureSlider", key: Qt.Key_PageDown, field: "temperature", expected: 1000 },
            { tag: "saturation by its own step", preset: "candle", slider: "saturationSlider", key: Qt.Key_Right, field: "saturation", expected: 95 },
            { tag: "page up stops at the upper end", preset: "vivid", slider: "saturationSlider", key: Qt.Key_PageUp, field: "saturation", expected: 200 },
            // A value between grid points steps to the neighbouring grid points.
            { tag: "off the grid, right", preset: fixture.customID, temperature: 4550, slider: "temperatureSlider", key: Qt.Key_Right, field: "temperature", expected: 4600 },
            { tag: "off the grid, left", preset: fixture.customID, temperature: 4550, slider: "temperatureSlider", key: Qt.Key_Left, field: "temperature", expected: 4500 },
            { tag: "off the grid, page down", preset: fixture.customID, temperature: 4550, slider: "temperatureSlider", key: Qt.Key_PageDown, field: "temperature", expected: 3600 },
        ]
    }

    function test_focusedSliderStepsByKey(data) {
        openEditor(data.preset, { brightness: 70, custom: true, customTemperature: data.temperature || 5000 })
        if (data.temperature)
            compare(fixture.preset(data.preset).temperature, data.temperature)
        const slider = item(data.slider)
        slider.forceActiveFocus(Qt.TabFocusReason)
        verify(findChild(slider, "focusRing").visible)
        keyClick(data.key)
        compare(fixture.preset(data.preset)[data.field], data.expected)
        verify(slider.activeFocus)
    }
}
