import QtQuick
import QtTest
import Halvoscope.Popover

TestCase {
    id: testCase
    name: "MainPage"
    width: 400
    height: 700
    visible: true
    when: windowShown

    property var root: null
    readonly property var builtIns: ["standard", "red-light", "candle", "black-white", "color-ink", "vivid"]
    readonly property var presetNames: ["Standard", "Red Light", "Candle", "Black & White", "Color Ink", "Vivid"]

    Component {
        id: rootComponent
        PopoverRootView {}
    }

    function open(options) {
        // Keep the pointer off the rows a previous test left it over.
        mouseMove(testCase, testCase.width - 1, testCase.height - 1)
        fixture.reset(options || {})
        root = createTemporaryObject(rootComponent, testCase, { context: fixture.context })
        verify(root !== null)
        waitForRendering(root)
    }

    function row(id) {
        return findChild(root, "presetRow_" + id)
    }

    function visibleRows() {
        const list = findChild(root, "presetList")
        const ids = []
        for (let i = 0; i < list.children.length; ++i) {
            const child = list.children[i]
            if (child.visible && child.objectName.startsWith("presetRow_"))
                ids.push(child.objectName.substring(10))
        }
        return ids
    }

    function focused() {
        return root.Window.activeFocusItem
    }

    // The focus ring drawn for a control: a direct child of the control or,
    // for the text parts of a time field, of the field.
    function ringOf(control) {
        for (const node of [control, control.parent]) {
            for (let i = 0; node && i < node.children.length; ++i) {
                if (node.children[i].objectName === "focusRing")
                    return node.children[i]
            }
        }
        return null
    }

    function visit(node, action) {
        action(node)
        for (let i = 0; i < node.children.length; ++i)
            visit(node.children[i], action)
    }

    function visibleRings() {
        const rings = []
        visit(root, node => {
            if (node.objectName === "focusRing" && node.visible)
                rings.push(node)
        })
        return rings
    }

    // Exactly one ring shows, and it is the focused control's.
    function verifyOnlyRingOn(control, message) {
        const ring = ringOf(control)
        verify(ring !== null, "ring of " + message)
        const rings = visibleRings()
        compare(rings.length, 1, message)
        verify(rings[0] === ring, message)
    }

    function cleanupTestCase() {
        fixture.releaseWindowResources(testCase)
        waitForRendering(testCase)
    }

    function test_rootFrame() {
        open()
        compare(root.width, 280)
        const origin = root.page.mapToItem(root, 0, 0)
        compare(origin.x, 10)
        compare(origin.y, 10)
        compare(root.page.width, 260)
        compare(root.implicitHeight, root.page.implicitHeight + 20)
        compare(root.height, root.implicitHeight)

        const mainHeight = root.height
        fixture.navigation.showSettings()
        compare(findChild(root, "headerTitle").text, "Settings")
        tryVerify(() => root.height < mainHeight)
        compare(root.height, root.page.implicitHeight + 20)
        fixture.navigation.showSchedule()
        compare(findChild(root, "headerTitle").text, "Daily Schedule")
    }

    function test_oneRowPerVisiblePreset() {
        open({ custom: true })
        compare(visibleRows(), builtIns.concat([fixture.customID]))
        compare(findChild(row("candle"), "presetName").text, "Candle")

        fixture.hide("candle")
        fixture.hide("vivid")
        compare(visibleRows(), ["standard", "red-light", "black-white", "color-ink", fixture.customID])
    }

    function test_activeRowReadsOnOrApplying() {
        open()
        compare(findChild(row("standard"), "presetStatus").visible, true)
        compare(findChild(row("standard"), "presetStatus").text, "On")
        compare(findChild(row("candle"), "presetStatus").visible, false)
        compare(findChild(root, "summaryText").text, "6,500 K \u00b7 100%")

        fixture.activate("red-light", true)
        verify(fixture.isTransitioning())
        compare(findChild(row("standard"), "presetStatus").visible, false)
        compare(findChild(row("red-light"), "presetStatus").visible, true)
        compare(findChild(row("red-light"), "presetStatus").text, "Applying\u2026")

        fixture.finishTransition()
        compare(findChild(row("red-light"), "presetStatus").text, "On")
        compare(findChild(root, "summaryText").text, "1,000 K \u00b7 100%")
    }

    function test_noStatusWhenActivePresetIsHidden() {
        open()
        fixture.activate("candle", false)
        fixture.hide("candle")
        for (const id of visibleRows()) {
            compare(findChild(row(id), "presetStatus").visible, false, id)
            compare(findChild(row(id), "activeChevron").visible, false, id)
        }
    }

    function test_editButtonReplacesChevronOnHover() {
        open()
        const active = row("standard")
        const other = row("candle")
        const activeChevron = findChild(active, "activeChevron")
        const activeEdit = findChild(active, "editButton")
        verify(activeChevron.visible)
        verify(!activeEdit.visible)
        verify(!findChild(other, "editButton").visible)

        mouseMove(active, 40, active.height / 2)
        tryVerify(() => activeEdit.visible)
        verify(!activeChevron.visible)

        mouseMove(other, 40, other.height / 2)
        tryVerify(() => findChild(other, "editButton").visible)
        verify(!activeEdit.visible)
        verify(activeChevron.visible)
        verify(!findChild(other, "activeChevron").visible)

        mouseMove(findChild(root, "summaryText"), 2, 2)
        tryVerify(() => !findChild(other, "editButton").visible)
        verify(activeChevron.visible)
    }

    function test_editButtonOpensEditorWithoutActivating() {
        open()
        const candle = row("candle")
        mouseMove(candle, 40, candle.height / 2)
        const edit = findChild(candle, "editButton")
        tryVerify(() => edit.visible)
        mouseClick(edit)
        compare(fixture.navigation.pageKind, "editPreset")
        compare(fixture.navigation.editPresetID, "candle")
        compare(fixture.navigation.returnToSettings, false)
        compare(fixture.activeModeID(), "standard")
        tryVerify(() => findChild(root, "headerTitle") !== null)
        compare(findChild(root, "headerTitle").text, "Candle")
    }

    function test_editButtonToolTip() {
        open()
        const candle = row("candle")
        mouseMove(candle, 40, candle.height / 2)
        const edit = findChild(candle, "editButton")
        tryVerify(() => edit.visible)
        mouseMove(edit, edit.width / 2, edit.height / 2)
        const tip = findChild(candle, "editToolTip")
        verify(tip.shown)
        compare(tip.text, "Adjust Candle")

        // The bubble itself, held on: synthetic mouse events in Qt 6.4 may
        // re-deliver hover at a stale position on the next frame.
        tip.shown = true
        tryCompare(tip, "showing", true)
        tip.shown = false
        verify(!tip.showing)
    }

    function test_clickingARowActivatesIt() {
        open()
        const candle = row("candle")
        mouseClick(candle, 40, candle.height / 2)
        compare(fixture.activeModeID(), "candle")
        verify(fixture.isTransitioning()) // asked for the animation
    }

    function test_errorLineOnlyWithText() {
        open({ keepAwakeRefuses: true })
        const error = findChild(root, "errorText")
        verify(!error.visible)
        const heightBefore = root.height

        mouseClick(findChild(root, "keepAwakeSwitch"))
        verify(error.visible)
        compare(error.text, "Unable to inhibit screen blanking to keep display awake.")
        tryVerify(() => root.height > heightBefore)

        fixture.activate("standard", false)
        verify(!error.visible)
        tryCompare(root, "height", heightBefore)
    }

    function test_keepAwakeRowAndSwitch() {
        open()
        const keepAwakeSwitch = findChild(root, "keepAwakeSwitch")
        verify(!keepAwakeSwitch.checked)
        mouseClick(findChild(root, "keepAwakeRow"), 60, 10)
        verify(keepAwakeSwitch.checked)
        mouseClick(keepAwakeSwitch)
        verify(!keepAwakeSwitch.checked)
        mouseClick(keepAwakeSwitch)
        verify(keepAwakeSwitch.checked)
    }

    function test_footerRows() {
        open()
        compare(findChild(findChild(root, "settingsRow"), "footerTitle").text, "Halvoscope Settings\u2026")
        compare(findChild(findChild(root, "quitRow"), "footerShortcut").text, "Ctrl+Q")
        verify(!findChild(findChild(root, "settingsRow"), "footerShortcut").visible)
        mouseClick(findChild(root, "quitRow"))
        compare(fixture.quits, 1)
        mouseClick(findChild(root, "settingsRow"))
        compare(fixture.navigation.pageKind, "settings")
    }

    function test_keyboard() {
        open()
        keySequence("Ctrl+Q")
        compare(fixture.quits, 1)
        keyClick(Qt.Key_Escape)
        compare(fixture.closes, 1)
        compare(fixture.navigation.pageKind, "main")

        fixture.navigation.showSchedule()
        keyClick(Qt.Key_Escape)
        compare(fixture.navigation.pageKind, "settings")
        // Ctrl+Q belongs to the main page.
        keySequence("Ctrl+Q")
        compare(fixture.quits, 1)
        keyClick(Qt.Key_Escape)
        compare(fixture.navigation.pageKind, "main")
        compare(fixture.closes, 1)
    }

    function test_pageIsCreatedAfreshOnEntry() {
        open()
        const first = root.page
        mouseMove(row("candle"), 40, 10)
        tryCompare(first.model, "hoveredPresetID", "candle")
        fixture.navigation.showSettings()
        fixture.navigation.showMain()
        // Checked before the next frame, which may hover the row under the pointer again.
        verify(root.page !== first)
        compare(root.page.model.hoveredPresetID, "")
    }

    function test_tabOrder_data() {
        const forward = []
        for (const name of presetNames)
            forward.push(name, "Adjust " + name)
        forward.push("Keep Awake", "Halvoscope Settings\u2026", "Quit Halvoscope", "Standard")
        // Backwards a row is reached before it shows its edit button, so
        // only the rows are stops.
        const backward = ["Quit Halvoscope", "Halvoscope Settings\u2026", "Keep Awake"]
            .concat(presetNames.slice().reverse(), ["Quit Halvoscope"])
        return [
            { tag: "tab", key: Qt.Key_Tab, names: forward },
            { tag: "backtab", key: Qt.Key_Backtab, names: backward },
        ]
    }

    function test_tabOrder(data) {
        open()
        root.forceActiveFocus()
        compare(visibleRings().length, 0)
        for (const name of data.names) {
            keyClick(data.key)
            tryVerify(() => focused() && focused().Accessible.name === name, 1000,
                      "expected " + name + ", focus on " + (focused() ? focused().Accessible.name : "nothing"))
            verifyOnlyRingOn(focused(), name)
            // A focused row shows its edit button (as on hover) before the next key.
            const focusedRow = focused()
            if (focusedRow.objectName.startsWith("presetRow_"))
                tryVerify(() => findChild(focusedRow, "editButton").visible, 1000, name)
        }
    }

    function test_ringOnlyForKeyboardFocus() {
        open()
        const candle = row("candle")
        mouseClick(candle, 40, candle.height / 2)
        verify(candle.activeFocus)
        compare(visibleRings().length, 0)
        keyClick(Qt.Key_Down)
        verify(row("black-white").activeFocus)
        verifyOnlyRingOn(row("black-white"), "after an arrow key")
    }

    function test_arrowsMoveThroughPresetRows_data() {
        return [
            { tag: "down", start: "standard", key: Qt.Key_Down, focused: "red-light" },
            { tag: "up", start: "candle", key: Qt.Key_Up, focused: "red-light" },
            { tag: "up at the top", start: "standard", key: Qt.Key_Up, focused: "standard" },
            { tag: "down at the bottom", start: "vivid", key: Qt.Key_Down, focused: "vivid" },
        ]
    }

    // Then Space activates the row the ring is on, and only that one.
    function test_arrowsMoveThroughPresetRows(data) {
        open()
        row(data.start).forceActiveFocus(Qt.TabFocusReason)
        keyClick(data.key)
        verify(focused() === row(data.focused), "focus on " + focused().objectName)
        verifyOnlyRingOn(row(data.focused), data.focused)
        keyClick(Qt.Key_Space)
        compare(fixture.activeModeID(), data.focused)
    }

    function test_everyControlHasANameAndRole_data() {
        return [
            { tag: "main", page: "main", least: 9 },
            { tag: "editor", page: "editPreset", least: 7 },
            { tag: "settings", page: "settings", least: 15 },
            { tag: "schedule", page: "schedule", least: 8 },
        ]
    }

    // Every Tab stop of the page is named and has a role; a button is named
    // by the text it shows.
    function test_everyControlHasANameAndRole(data) {
        open({ brightness: 70, custom: true })
        if (data.page === "editPreset")
            fixture.navigation.showEditor(fixture.customID, false)
        else if (data.page === "settings")
            fixture.navigation.showSettings()
        else if (data.page === "schedule")
            fixture.navigation.showSchedule()
        compare(fixture.navigation.pageKind, data.page)
        waitForRendering(root)

        const stops = []
        visit(root.page, node => {
            if (node.activeFocusOnTab && node.visible && node.enabled)
                stops.push(node)
        })
        verify(stops.length >= data.least, stops.length + " stops")
        for (const stop of stops) {
            const what = stop.objectName || String(stop)
            verify(stop.Accessible.name.length > 0, "no name: " + what)
            verify(stop.Accessible.role !== Accessible.NoRole, "no role: " + what)
            // The name carries the visible text ("Edit" in "Edit Reading").
            if (stop.Accessible.role === Accessible.Button && stop.text)
                verify(stop.Accessible.name.includes(stop.text), what + ": " + stop.Accessible.name)
        }
    }
}
