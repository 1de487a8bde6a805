import QtQuick
import Halvoscope.Popover

// The popover's whole content: the current page, inset 10 on every side, in
// a frame exactly 280 wide whose height follows the page. Each page is
// created afresh whenever its kind of page is entered.
FocusScope {
    id: root

    required property PopoverContext context
    // The host may draw its own window background instead.
    property bool drawsBackground: true
    readonly property Item page: pageLoader.item

    width: Style.popoverWidth
    height: implicitHeight
    implicitWidth: Style.popoverWidth
    implicitHeight: pageLoader.implicitHeight + 2 * Style.pageInset
    focus: true

    Rectangle {
        anchors.fill: parent
        visible: root.drawsBackground
        radius: 10
        color: Style.background
        border.width: 1
        border.color: Style.primaryAlpha(0.14)
    }

    Loader {
        id: pageLoader
        objectName: "pageLoader"
        x: Style.pageInset
        y: Style.pageInset
        width: Style.popoverWidth - 2 * Style.pageInset
        focus: true
        sourceComponent: {
            switch (root.context.navigation.pageKind) {
            case "editPreset": return editorPage
            case "settings": return settingsPage
            case "schedule": return schedulePage
            default: return mainPage
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
