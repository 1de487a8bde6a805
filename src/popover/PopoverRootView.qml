import QtQuick
import QtQuick.Templates as T
import Halvoscope.Popover

// The popover's whole content: the current page, inset 10 on every side, in
// a frame exactly 280 wide whose height follows the page up to
// maximumHeight, beyond which the page scrolls. Each page is created afresh
// whenever its kind of page is entered.
FocusScope {
    id: root

    required property PopoverContext context
    // The host may draw its own window background instead.
    property bool drawsBackground: true
    // The tallest the frame may be, set by the host from the screen's free
    // area; 0 leaves the height to the page.
    property int maximumHeight: 0
    readonly property Item page: pageLoader.item

    width: Style.popoverWidth
    height: maximumHeight > 0 ? Math.min(implicitHeight, maximumHeight) : implicitHeight
    implicitWidth: Style.popoverWidth
    implicitHeight: pageLoader.implicitHeight + 2 * Style.pageInset
    focus: true
    // Right-to-left languages mirror every row and anchor of the pages.
    LayoutMirroring.enabled: Qt.application.layoutDirection === Qt.RightToLeft
    LayoutMirroring.childrenInherit: true

    Rectangle {
        anchors.fill: parent
        visible: root.drawsBackground
        radius: 10
        color: Style.background
        border.width: 1
        border.color: Style.primaryAlpha(0.14)
    }

    Flickable {
        id: pageScroller
        objectName: "pageScroller"
        anchors.fill: parent
        contentWidth: width
        contentHeight: root.implicitHeight
        interactive: contentHeight > height
        clip: interactive
        boundsBehavior: Flickable.StopAtBounds
        T.ScrollBar.vertical: T.ScrollBar {
            id: pageScrollBar
            objectName: "pageScrollBar"
            visible: pageScroller.interactive
            policy: T.ScrollBar.AlwaysOn
            padding: 1
            implicitWidth: 7
            contentItem: Rectangle {
                implicitWidth: 5
                radius: width / 2
                color: Style.primaryAlpha(pageScrollBar.pressed ? 0.45 : 0.30)
            }
        }

        Loader {
            id: pageLoader
            objectName: "pageLoader"
            x: Style.pageInset
            y: Style.pageInset
            width: Style.popoverWidth - 2 * Style.pageInset
            focus: true
            onLoaded: pageScroller.contentY = 0
            sourceComponent: {
                switch (root.context.navigation.pageKind) {
                case "editPreset": return editorPage
                case "settings": return settingsPage
                case "schedule": return schedulePage
                default: return mainPage
                }
            }
        }
    }

    Component {
        id: mainPage
        MainPresetsView { context: root.context }
    }
    Component {
        id: editorPage
        PresetEditorView {
            context: root.context
            presetID: root.context.navigation.editPresetID
        }
    }
    Component {
        id: settingsPage
        SettingsView { context: root.context }
    }
    Component {
        id: schedulePage
        ScheduleView { context: root.context }
    }

    Shortcut {
        sequence: "Escape"
        onActivated: root.context.handleEscape()
    }
}
