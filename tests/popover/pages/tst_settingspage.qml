import QtQuick
import QtTest
import Halvoscope.Popover

TestCase {
    id: testCase
    name: "SettingsPage"
    width: 400
    height: 800
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
        waitForRendering(root)
        compare(item("headerTitle").text, "Settings")
    }

    function item(name) {
        return findChild(root, name)
    }

    function row(id) {
        return findChild(root, "settingsRow_" + id)
    }

    function texts(parentItem) {
        const found = []
        const walk = node => {
            if (node.text !== undefined && node.visible)
                found.push(node.text)
            for (let i = 0; i < node.children.length; ++i)
                walk(node.children[i])
        }
        walk(parentItem)
        return found
    }

    function cleanupTestCase() {
        fixture.releaseWindowResources(testCase)
        waitForRendering(testCase)
    }

    function test_sectionsAndTexts() {
        open()
        const all = texts(root.page)
        for (const text of ["New Custom Preset", "Tray Menu Presets", "Daily Schedule", "Setup Guide\u2026",
                            "Check for Updates\u2026", "Ripple Animation", "Optical Refraction",
                            "Launch at Login", "Add"])
            verify(all.indexOf(text) >= 0, text)
        compare(item("newPresetField").placeholderText, "Preset name")
        verify(!item("addButton").enabled)
        compare(findChild(item("scheduleRow"), "rowDetail").text, "Off")
        verify(findChild(item("scheduleRow"), "rowChevron").visible)
        verify(findChild(item("setupRow"), "rowChevron").visible)
        verify(!findChild(item("setupRow"), "rowDetail").visible)
        verify(!findChild(item("updateRow"), "rowChevron").visible)
        compare(findChild(item("updateRow"), "rowDetail").text, "v" + fixture.currentVersion())
    }

    function test_returnAddsTrimmedPresetAndOpensEditor() {
        open()
        const field = item("newPresetField")
        field.forceActiveFocus()
        for (const key of "  Owl ")
            keyClick(key)
        verify(item("addButton").enabled)
        keyClick(Qt.Key_Return)
        const names = fixture.presetNames()
        compare(names[names.length - 1], "Owl")
        compare(fixture.navigation.pageKind, "editPreset")
        verify(fixture.navigation.returnToSettings)
        fixture.navigation.goBack()
        compare(item("headerTitle").text, "Settings")
        compare(item("newPresetField").text, "")
    }

    function test_blankNameCannotBeAdded() {
        open()
        const field = item("newPresetField")
        field.forceActiveFocus()
        keyClick(Qt.Key_Space)
        keyClick(Qt.Key_Space)
        compare(field.text, "  ")
        verify(!item("addButton").enabled)
        keyClick(Qt.Key_Return)
        mouseClick(item("addButton"))
        compare(fixture.presetNames().length, 6)
        compare(fixture.navigation.pageKind, "settings")
    }

    function test_presetRowsShowHiddenAndCustom() {
        open({ custom: "Reading", hidden: ["candle"] })
        const candle = row("candle")
        const reading = row(fixture.customID())
        verify(candle !== null)
        verify(!findChild(candle, "visibleSwitch").checked)
        compare(String(findChild(candle, "presetName").color), String(Style.secondary))
        compare(String(findChild(row("vivid"), "presetName").color), String(Style.primary))
        verify(!findChild(candle, "editButton").visible)
        verify(findChild(reading, "editButton").visible)
        compare(findChild(reading, "editButton").text, "Edit")

        mouseClick(findChild(reading, "editButton"))
        compare(fixture.navigation.pageKind, "editPreset")
        compare(fixture.navigation.editPresetID, fixture.customID())
        verify(fixture.navigation.returnToSettings)
    }

    function test_lastVisibleSwitchIsDisabled() {
        open({ hidden: ["standard", "red-light", "candle", "black-white"] })
        verify(findChild(row("color-ink"), "visibleSwitch").enabled)
        mouseClick(findChild(row("color-ink"), "visibleSwitch"))
        verify(!findChild(row("color-ink"), "visibleSwitch").checked)
        const last = findChild(row("vivid"), "visibleSwitch")
        verify(!last.enabled)
        verify(last.checked)
        mouseClick(last)
        verify(last.checked)

        mouseClick(findChild(row("candle"), "visibleSwitch"))
        verify(findChild(row("candle"), "visibleSwitch").checked)
        verify(last.enabled)
    }

    function test_presetListScrollsBeyond165() {
        open()
        const scroller = item("presetScroller")
        compare(scroller.height, scroller.contentHeight)
        verify(!item("presetScrollBar").visible)
        for (let i = 0; i < 6; ++i)
            fixture.addCustomPreset("Extra " + i)
        tryCompare(scroller, "height", 165)
        verify(scroller.contentHeight > 165)
        verify(item("presetScrollBar").visible)
    }

    function test_scheduleDetailAndNavigationRows() {
        open()
        const detail = findChild(item("scheduleRow"), "rowDetail")
        compare(detail.text, "Off")
        fixture.setScheduleEnabled(true)
        compare(detail.text, "On")

        mouseClick(item("setupRow"))
        compare(fixture.onboardings, 1)
        mouseClick(item("scheduleRow"))
        compare(fixture.navigation.pageKind, "schedule")
    }

    function test_rowHighlightOnHover() {
        open()
        const rowItem = item("setupRow")
        const highlight = findChild(rowItem, "rowHighlight")
        compare(highlight.radius, 7)
        compare(highlight.color, Qt.rgba(0, 0, 0, 0))
        mouseMove(rowItem, 20, rowItem.height / 2)
        tryVerify(() => rowItem.hovered)
        fuzzyCompare(highlight.color.a, 0.08, 0.01)
    }

    function test_updateRowWhileChecking() {
        open()
        const rowItem = item("updateRow")
        const detail = findChild(rowItem, "rowDetail")
        fixture.setChecking(root.page.model, true)
        compare(detail.text, "Checking\u2026")
        verify(!rowItem.enabled)
        fixture.setChecking(root.page.model, false)
        compare(detail.text, "v" + fixture.currentVersion())
        verify(rowItem.enabled)
    }

    function test_refractionDisabledWhileAnimationOff() {
        open()
        const refraction = item("refractionRow").switchItem
        verify(refraction.enabled)
        mouseClick(item("animationRow").switchItem)
        verify(!fixture.animationEnabled())
        verify(!item("animationRow").switchItem.checked)
        verify(!refraction.enabled)
        verify(refraction.checked)
        mouseClick(refraction)
        verify(fixture.opticalRefractionEnabled())
    }

    function test_refractionStatusLine_data() {
        return [
            { tag: "off", engine: "granted", refraction: false, active: false, access: false, unavailable: false },
            { tag: "on with access", engine: "granted", refraction: true, active: true, access: false, unavailable: false },
            { tag: "on without access", engine: "denied", refraction: true, active: false, access: true, unavailable: false },
            { tag: "on without engine", engine: "none", refraction: true, active: false, access: true, unavailable: false },
            { tag: "on, capture impossible", engine: "unavailable", refraction: true, active: false, access: false, unavailable: true },
            { tag: "off, capture impossible", engine: "unavailable", refraction: false, active: false, access: false, unavailable: false },
        ]
    }

    function test_refractionStatusLine(data) {
        open({ engine: data.engine, refraction: data.refraction })
        compare(item("refractionActive").visible, data.active)
        compare(item("refractionAccess").visible, data.access)
        compare(item("refractionUnavailable").visible, data.unavailable)
        if (data.unavailable)
            compare(item("refractionUnavailable").text, "No screen capture \u2014 the ripple fades")
        if (data.active)
            compare(item("refractionActive").text, "Water-ripple distortion active")
        if (data.access) {
            compare(item("grantButton").text, "Grant Screen Capture\u2026")
            compare(item("relaunchButton").text, "Relaunch")
        }
    }

    function test_switchingRefractionOnAsksForAccessOnce() {
        open({ engine: "denied", refraction: false })
        mouseClick(item("refractionRow").switchItem)
        verify(fixture.opticalRefractionEnabled())
        compare(fixture.accessRequests, 1)
        verify(item("refractionAccess").visible)
        mouseClick(item("grantButton"))
        compare(fixture.accessRequests, 2)
    }

    function test_relaunchQuitsAfterLaunching() {
        open({ engine: "denied" })
        mouseClick(item("relaunchButton"))
        compare(fixture.launches, 1)
        compare(fixture.quits, 1)
    }

    function test_launchAtLoginSnapsBackOnFailure() {
        open({ loginFailure: "No autostart folder" })
        const toggle = item("launchAtLoginRow").switchItem
        verify(!toggle.checked)
        mouseClick(toggle)
        verify(!toggle.checked)
        compare(fixture.errorMessage(), "Unable to update Launch at Login: No autostart folder")
    }

    function test_launchAtLoginShowsTheRealStatus() {
        open({ loginEnabled: true })
        const toggle = item("launchAtLoginRow").switchItem
        verify(toggle.checked)
        mouseClick(toggle)
        verify(!toggle.checked)
        verify(!fixture.loginItemEnabled())
    }

    function focused() {
        return root.Window.activeFocusItem
    }

    function test_tabOrder_data() {
        const presets = ["Standard", "Red Light", "Candle", "Black & White", "Color Ink", "Vivid"]
        const after = ["Daily Schedule", "Setup Guide\u2026", "Check for Updates\u2026",
                       "Ripple Animation", "Optical Refraction", "Launch at Login", "Back"]
        return [
            { tag: "built-in presets", options: {}, expected: ["Back", "Preset name"].concat(presets, after) },
            // A custom preset's Edit button is reached by Tab, before its switch.
            { tag: "a custom preset", options: { custom: "Reading" },
              expected: ["Back", "Preset name"].concat(presets, ["Edit Reading", "Reading"], after) },
        ]
    }

    function test_tabOrder(data) {
        open(data.options)
        root.forceActiveFocus()
        const seen = []
        for (let i = 0; i < data.expected.length; ++i) {
            keyClick(Qt.Key_Tab)
            const item = focused()
            seen.push(item ? item.Accessible.name : "")
            // Every stop shows where the focus is.
            if (item && item.Accessible.name !== "Preset name")
                verify(findChild(item, "focusRing") && findChild(item, "focusRing").visible, item.Accessible.name)
        }
        compare(seen, data.expected)
    }

    function test_keyOnFocusedSwitchFlipsItThroughTheModel_data() {
        return [
            { tag: "animation, space", row: "animationRow", key: Qt.Key_Space, read: () => fixture.animationEnabled() },
            { tag: "animation, return", row: "animationRow", key: Qt.Key_Return, read: () => fixture.animationEnabled() },
            { tag: "login, space", row: "launchAtLoginRow", key: Qt.Key_Space, read: () => fixture.loginItemEnabled() },
        ]
    }

    function test_keyOnFocusedSwitchFlipsItThroughTheModel(data) {
        open()
        const toggle = item(data.row).switchItem
        const before = data.read()
        compare(toggle.checked, before)
        toggle.forceActiveFocus(Qt.TabFocusReason)
        verify(findChild(toggle, "focusRing").visible)
        keyClick(data.key)
        compare(data.read(), !before)
        compare(toggle.checked, !before)
        keyClick(data.key)
        compare(data.read(), before)
    }
}
