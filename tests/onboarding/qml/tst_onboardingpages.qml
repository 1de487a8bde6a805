import QtQuick
import QtTest
import Halvoscope.Onboarding
import OnboardingTest

// The views are created in this visible item; a TestCase itself is invisible.
Item {
    id: stage

    width: 520
    height: 470

    OnboardingRig {
        id: rig
    }

    Component {
        id: viewComponent
        OnboardingView {}
    }

    TestCase {
        id: testCase

        name: "OnboardingPages"
        when: windowShown

        function createView(step, granted, requestable) {
            const model = rig.createModel(step, granted, requestable === undefined ? true : requestable)
            const view = createTemporaryObject(viewComponent, stage, { onboarding: model })
            verify(view !== null, "the view loads")
            // Layouts settle on the first frame.
            waitForRendering(view)
            return view
        }

        function find(view, name) {
            const found = findChild(view, name)
            verify(found !== null, "item " + name)
            return found
        }

        // Shown = visible and fully faded in (pages cross-fade on a step change).
        function shown(item) {
            let node = item
            while (node && node !== stage) {
                if (!node.visible || node.opacity < 0.99)
                    return false
                node = node.parent
            }
            return true
        }

        function texts(item) {
            let result = []
            if (item.text !== undefined && typeof item.text === "string" && item.text.length > 0
                    && item.font !== undefined)
                result.push(item.text)
            for (let i = 0; i < item.children.length; ++i)
                result = result.concat(texts(item.children[i]))
            return result
        }

        function test_frame_data() {
            return [
                { tag: "welcome", step: 0, title: "Welcome to Halvoscope", counter: "1 of 3", primary: "Get Started →" },
                { tag: "login item", step: 1, title: "Open at Login", counter: "2 of 3", primary: "Continue →" },
                { tag: "ripple", step: 2, title: "Custom Ripple Animation", counter: "3 of 3", primary: "Start Using Halvoscope" },
            ]
        }

        function test_frame(data) {
            const view = createView(data.step, true)
            compare(find(view, "titleText").text, data.title)
            compare(find(view, "stepCounter").text, data.counter)
            compare(find(view, "primaryButton").text, data.primary)
            const back = find(view, "backButton")
            compare(back.opacity, data.step === 0 ? 0 : 1)
            compare(back.enabled, data.step !== 0)
            for (let i = 0; i < 3; ++i) {
                const dot = find(view, "stepDot" + i)
                compare(dot.height, 7)
                compare(dot.width, i === data.step ? 18 : 7)
            }
        }

        function test_backIsInactiveOnWelcome() {
            const view = createView(0, true)
            const back = find(view, "backButton")
            mouseClick(back)
            compare(view.onboarding.step, 0)
            compare(back.opacity, 0)
        }

        function test_stepDotsFollowTheStep() {
            const view = createView(0, true)
            mouseClick(find(view, "primaryButton"))
            compare(view.onboarding.step, 1)
            tryCompare(find(view, "stepDot1"), "width", 18, 2000)
            tryCompare(find(view, "stepDot0"), "width", 7, 2000)
            mouseClick(find(view, "backButton"))
            compare(view.onboarding.step, 0)
            tryCompare(find(view, "stepDot0"), "width", 18, 2000)
        }

        function test_welcomePage() {
            const view = createView(0, true)
            const page = find(view, "welcomePage")
            verify(shown(page))
            const shownTexts = texts(page)
            verify(shownTexts.indexOf("Welcome to Halvoscope") >= 0)
            verify(shownTexts.indexOf("Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.") >= 0)
            compare(find(view, "appIcon").width, 64)
            compare(find(view, "appIcon").height, 64)
            verify(!find(view, "skipButton").visible)
        }

        function test_exactlyTwoFeatureCards() {
            const view = createView(0, true)
            const list = find(view, "featureList")
            let cards = []
            for (let i = 0; i < list.children.length; ++i) {
                if (list.children[i].objectName === "featureCard")
                    cards.push(list.children[i])
            }
            compare(cards.length, 2)
            compare(cards[0].title, "One-Click Moods & Custom Presets")
            compare(cards[0].body, "Switch between Warm, Red Light, Black & White focus mode, or build your own.")
            compare(cards[0].symbol, "sparkles")
            compare(cards[1].title, "Daily Schedule & Keep Awake")
            compare(cards[1].body, "Warm your screen at the times you choose and prevent sleep with one switch.")
            compare(cards[1].symbol, "clock.fill")
            verify(cards[0].y < cards[1].y)
            compare(findChild(cards[0], "featureTitle").text, cards[0].title)
        }

        function test_loginItemPage() {
            const view = createView(1, true)
            const page = find(view, "loginItemPage")
            verify(shown(page))
            const shownTexts = texts(page)
            for (const expected of ["Start Halvoscope at Login",
                                    "Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.",
                                    "Open Halvoscope at Login",
                                    "Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.",
                                    "Tip: Halvoscope lives quietly in your panel's system tray. Right-click the lightbulb icon anytime to jump straight back to Standard."])
                verify(shownTexts.indexOf(expected) >= 0, expected)

            const status = find(view, "loginStatus")
            const loginSwitch = find(view, "loginSwitch")
            compare(loginSwitch.checked, true)
            compare(status.text, "Enabled · Launches quietly in your system tray")
            mouseClick(loginSwitch)
            compare(view.onboarding.openAtLogin, false)
            compare(status.text, "Off · Open Halvoscope manually from Applications")
        }

        function test_ripplePageWithoutPermission() {
            const view = createView(2, false)
            verify(shown(find(view, "ripplePage")))
            compare(find(view, "permissionBadgeText").text, "Optional")
            verify(find(view, "skipButton").visible)
            compare(find(view, "skipButton").text, "Skip for Now")
            const enable = find(view, "enableButton")
            verify(enable.visible)
            compare(enable.text, "Enable Ripple & Allow Capture…")
            verify(!find(view, "relaunchButton").visible)
            verify(!find(view, "permissionGranted").visible)

            mouseClick(enable)
            verify(find(view, "relaunchButton").visible)
            compare(find(view, "relaunchButton").text, "Relaunch & Finish")
            mouseClick(find(view, "relaunchButton"))
            compare(rig.relaunches, 1)
        }

        function test_ripplePageWithoutScreenCapture() {
            const view = createView(2, false, false)
            compare(find(view, "permissionBadgeText").text, "Optional")
            const note = find(view, "captureUnavailableText")
            verify(shown(note))
            compare(note.text, "No screen capture in this session — the ripple fades instead.")
            verify(!find(view, "enableButton").visible)
            verify(!find(view, "relaunchButton").visible)
            verify(!find(view, "permissionGranted").visible)
            verify(find(view, "skipButton").visible)
        }

        function test_ripplePageWithPermission() {
            const view = createView(2, true)
            compare(find(view, "permissionBadgeText").text, "Active ✓")
            verify(find(view, "permissionGranted").visible)
            compare(find(view, "permissionGrantedText").text,
                    "Screen capture available — Optical Water-Ripple is ready!")
            verify(!find(view, "enableButton").visible)
            verify(!find(view, "captureUnavailableText").visible)
            verify(!find(view, "relaunchButton").visible)
            verify(!find(view, "skipButton").visible)
            const shownTexts = texts(find(view, "ripplePage"))
            for (const expected of ["Optical Water-Ripple Animation",
                                    "When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.",
                                    "Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.",
                                    "Click preview to test ripple",
                                    "Optical Refraction"])
                verify(shownTexts.indexOf(expected) >= 0, expected)
        }

        function test_permissionArrivesWhileOpen() {
            const view = createView(2, false)
            verify(find(view, "skipButton").visible)
            rig.setGranted(true)
            tryVerify(() => !find(view, "skipButton").visible, 3000)
            compare(find(view, "permissionBadgeText").text, "Active ✓")
            verify(find(view, "permissionGranted").visible)
            verify(!find(view, "enableButton").visible)
        }

        function test_previewRipple() {
            const view = createView(1, true)
            const preview = find(view, "ripplePreview")
            compare(preview.warmth, 0)
            compare(preview.ringOpacity, 0)
            compare(preview.ringScale, 0.1)

            mouseClick(find(view, "primaryButton"))
            compare(view.onboarding.step, 2)
            // Plays by itself shortly after the page is entered, towards the warm look.
            tryVerify(() => preview.ringOpacity > 0, 1000)
            tryCompare(preview, "warmth", 1, 2000)
            tryCompare(preview, "ringScale", 4.4, 3000)
            tryCompare(preview, "ringOpacity", 0, 3000)

            // A click plays it again from the small, opaque ring, back to the cool look.
            mouseClick(preview)
            verify(Math.abs(preview.ringScale - 0.12) < 0.05, "ring restarts small: " + preview.ringScale)
            verify(preview.ringOpacity > 0.85, "ring restarts opaque: " + preview.ringOpacity)
            compare(view.onboarding.previewWarm, false)
            tryCompare(preview, "warmth", 0, 2000)
            tryCompare(preview, "ringOpacity", 0, 3000)
        }
            // The ring drawn for a control is a direct child of it.
        function ringOf(control) {
            for (let i = 0; i < control.children.length; ++i) {
                if (control.children[i].objectName === "focusRing")
                    return control.children[i]
            }
            return null
        }

        function test_tabOrder_data() {
            return [
                { tag: "welcome", step: 0, granted: true, names: ["Get Started →", "Get Started →"] },
                { tag: "login item", step: 1, granted: true,
                  names: ["Open Halvoscope at Login", "← Back", "Continue →", "Open Halvoscope at Login"] },
                { tag: "ripple", step: 2, granted: false,
                  names: ["Click preview to test ripple", "Enable Ripple & Allow Capture…", "← Back", "Skip for Now",
                          "Start Using Halvoscope", "Click preview to test ripple"] },
            ]
        }

        function test_tabOrder(data) {
            const view = createView(data.step, data.granted)
            view.forceActiveFocus()
            for (const name of data.names) {
                keyClick(Qt.Key_Tab)
                const focused = view.Window.activeFocusItem
                compare(focused.Accessible.name, name)
                verify(focused.Accessible.role !== Accessible.NoRole, name)
                const ring = ringOf(focused)
                verify(ring !== null && ring.visible, "ring on " + name)
            }
        }

        // `done` compares the model after the key with a copy taken before it.
        function test_keyOnFocusedControl_data() {
            return [
                { tag: "space presses back", step: 1, control: "backButton", key: Qt.Key_Space,
                  done: (now, before) => now.step === 0 },
                { tag: "space presses enable", step: 2, control: "enableButton", key: Qt.Key_Space,
                  done: (now, before) => now.relaunchVisible && !before.relaunchVisible },
                { tag: "space flips the login switch", step: 1, control: "loginSwitch", key: Qt.Key_Space,
                  done: (now, before) => now.step === 1 && now.openAtLogin !== before.openAtLogin },
                // Return stays the window's: it presses the primary button wherever focus is.
                { tag: "return on the login switch still goes on", step: 1, control: "loginSwitch",
                  key: Qt.Key_Return, done: (now, before) => now.step === 2 && now.openAtLogin === before.openAtLogin },
                { tag: "return on back still goes on", step: 1, control: "backButton", key: Qt.Key_Return,
                  done: (now, before) => now.step === 2 },
            ]
        }

        function test_keyOnFocusedControl(data) {
            const view = createView(data.step, false)
            const model = view.onboarding
            const before = { step: model.step, openAtLogin: model.openAtLogin, relaunchVisible: model.relaunchVisible }
            find(view, data.control).forceActiveFocus(Qt.TabFocusReason)
            keyClick(data.key)
            verify(data.done(model, before), JSON.stringify(before))
        }

        function test_spacePlaysTheFocusedPreview() {
            const view = createView(2, true)
            const preview = find(view, "ripplePreview")
            tryCompare(preview, "ringOpacity", 0, 5000)
            preview.forceActiveFocus(Qt.TabFocusReason)
            verify(ringOf(preview).visible)
            keyClick(Qt.Key_Space)
            verify(preview.ringOpacity > 0.85, "ring restarts opaque: " + preview.ringOpacity)
        }
    }
}
