import QtQuick
import Halvoscope.Popover
import QtQuick.Layouts
import QtQuick.Templates as T

// The settings page: a new custom preset, the menu's presets, the schedule,
// the setup guide, updates and the three switches. State and actions live in
// SettingsModel.
ColumnLayout {
    id: page

    required property PopoverContext context
    readonly property SettingsModel model: settings

    spacing: 10

    SettingsModel {
        id: settings
        context: page.context
    }

    DrillDownHeader {
        Layout.fillWidth: true
        title: qsTr("Settings")
        onBack: settings.back()
    }

    Divider {}

    ColumnLayout {
        objectName: "newPresetSection"
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        spacing: 5

        Text {
            text: qsTr("New Custom Preset")
            font.pointSize: Style.pt(11.5)
            font.weight: Font.Medium
            color: Style.secondary
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 6

            PopoverTextField {
                objectName: "newPresetField"
                Layout.fillWidth: true
                placeholderText: qsTr("Preset name")
                text: settings.newPresetName
                onTextEdited: settings.newPresetName = text
                onAccepted: settings.addPreset()
            }
            ProminentButton {
                objectName: "addButton"
                text: qsTr("Add")
                enabled: settings.canAddPreset
                onClicked: settings.addPreset()
            }
        }
    }

    Divider {}

    ColumnLayout {
        objectName: "presetSection"
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        spacing: 5

        Text {
            text: qsTr("Tray Menu Presets")
            font.pointSize: Style.pt(11.5)
            font.weight: Font.Medium
            color: Style.secondary
        }

        Flickable {
            id: presetScroller
            objectName: "presetScroller"
            Layout.fillWidth: true
            Layout.preferredHeight: Math.min(contentHeight, 165)
            contentWidth: width
            contentHeight: presetColumn.implicitHeight
            boundsBehavior: Flickable.StopAtBounds
            clip: true

            T.ScrollBar.vertical: T.ScrollBar {
                id: scrollBar
                objectName: "presetScrollBar"
                // Shown whenever there is something to scroll to, not only while scrolling.
                visible: presetScroller.contentHeight > presetScroller.height
                policy: T.ScrollBar.AlwaysOn
                padding: 1
                implicitWidth: 7
                contentItem: Rectangle {
                    implicitWidth: 5
                    radius: width / 2
                    color: Style.primaryAlpha(scrollBar.pressed ? 0.45 : 0.30)
                }
            }

            Column {
                id: presetColumn
                objectName: "presetList"
                width: presetScroller.width - (scrollBar.visible ? scrollBar.width + 2 : 0)
                spacing: 6

                Repeater {
                    model: settings
                    delegate: RowLayout {
                        id: presetRow
                        required property string presetID
                        required property string name
                        required property string symbolName
                        required property bool isHidden
                        required property bool isLastVisible
                        required property bool isCustom

                        objectName: "settingsRow_" + presetID
                        width: presetColumn.width
                        spacing: 8

                        Item {
                            implicitWidth: 16
                            implicitHeight: icon.implicitHeight
                            SymbolIcon {
                                id: icon
                                anchors.centerIn: parent
                                name: presetRow.symbolName
                                pixelSize: 12
                                color: Style.secondary
                            }
                        }
                        Text {
                            objectName: "presetName"
                            text: presetRow.name
                            font.pointSize: Style.pt(12.5)
                            color: presetRow.isHidden ? Style.secondary : Style.primary
                            maximumLineCount: 1
                            elide: Text.ElideRight
                            Layout.fillWidth: true
                        }
                        TextLinkButton {
                            objectName: "editButton"
                            visible: presetRow.isCustom
                            text: qsTr("Edit")
                            Accessible.name: qsTr("Edit %1").arg(presetRow.name)
                            pixelSize: 11.5
                            weight: Font.Medium
                            color: Style.linkText
                            onClicked: settings.editPreset(presetRow.presetID)
                        }
                        SmallSwitch {
                            objectName: "visibleSwitch"
                            checked: !presetRow.isHidden
                            enabled: !presetRow.isLastVisible
                            Accessible.name: presetRow.name
                            onClicked: settings.togglePresetHidden(presetRow.presetID)
                        }
                    }
                }
            }
        }
    }

    Divider {}

    ColumnLayout {
        objectName: "navigationSection"
        Layout.fillWidth: true
        spacing: 0

        SettingsNavigationRow {
            objectName: "scheduleRow"
            Layout.fillWidth: true
            title: qsTr("Daily Schedule")
            detail: settings.scheduleDetail
            showChevron: true
            onClicked: settings.openSchedule()
        }
        SettingsNavigationRow {
            objectName: "setupRow"
            Layout.fillWidth: true
            title: qsTr("Setup Guide\u2026")
            showChevron: true
            onClicked: settings.showOnboarding()
        }
        SettingsNavigationRow {
            objectName: "updateRow"
            Layout.fillWidth: true
            title: settings.updateCheckAvailable ? qsTr("Check for Updates\u2026") : qsTr("Version")
            detail: settings.updateDetail
            enabled: !settings.updateCheckAvailable || settings.canCheckForUpdates
            hoverEnabled: settings.updateCheckAvailable
            onClicked: settings.checkForUpdates()
        }
    }

    Divider {}

    ColumnLayout {
        objectName: "switchSection"
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        Layout.bottomMargin: 2
        spacing: 8

        SettingsSwitchRow {
            objectName: "animationRow"
            Layout.fillWidth: true
            title: qsTr("Ripple Animation")
            checked: settings.animationEnabled
            onFlipped: wanted => settings.animationEnabled = wanted
        }
        SettingsSwitchRow {
            objectName: "refractionRow"
            Layout.fillWidth: true
            title: qsTr("Optical Refraction")
            checked: settings.opticalRefractionEnabled
            switchEnabled: settings.refractionSwitchEnabled
            onFlipped: wanted => settings.opticalRefractionEnabled = wanted

            Text {
                objectName: "refractionActive"
                visible: settings.refractionStatus === "active"
                text: qsTr("Water-ripple distortion active")
                font.pointSize: Style.pt(11)
                color: Style.secondary
            }
            Text {
                objectName: "refractionUnavailable"
                visible: settings.refractionStatus === "unavailable"
                text: qsTr("No screen capture — the ripple fades")
                font.pointSize: Style.pt(11)
                color: Style.secondary
            }
            Row {
                objectName: "refractionAccess"
                visible: settings.refractionStatus === "needsAccess"
                spacing: 8

                TextLinkButton {
                    objectName: "grantButton"
                    text: qsTr("Grant Screen Capture\u2026")
                    pixelSize: 11
                    color: Style.linkText
                    onClicked: settings.grantScreenRecording()
                }
                TextLinkButton {
                    objectName: "relaunchButton"
                    text: qsTr("Relaunch")
                    pixelSize: 11
                    color: Style.secondary
                    onClicked: settings.relaunch()
                }
            }
        }
        SettingsSwitchRow {
            objectName: "launchAtLoginRow"
            Layout.fillWidth: true
            title: qsTr("Launch at Login")
            checked: settings.launchAtLogin
            onFlipped: wanted => settings.launchAtLogin = wanted
        }
    }

    // Read-only: how each screen's colour is changed.
    Divider { visible: settings.screenPathRows.length > 0 || settings.extension.text.length > 0 }

    ColumnLayout {
        objectName: "screenPathSection"
        visible: settings.screenPathRows.length > 0 || settings.extension.text.length > 0
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        Layout.bottomMargin: 2
        spacing: 2

        // GNOME Shell's extension, where the desktop has one to switch on.
        RowLayout {
            objectName: "extensionRow"
            visible: settings.extension.text.length > 0
            Layout.fillWidth: true
            spacing: 6

            Text {
                text: settings.extension.text
                wrapMode: Text.Wrap
                font.pointSize: Style.pt(11)
                color: Style.secondary
                Layout.fillWidth: true
            }
            TextLinkButton {
                objectName: "enableExtensionButton"
                visible: settings.extension.canEnable
                text: qsTr("Turn On")
                pixelSize: 11
                color: Style.linkText
                onClicked: settings.extension.enable()
            }
        }

        Repeater {
            model: settings.screenPathRows
            delegate: Text {
                required property string modelData
                text: modelData
                elide: Text.ElideRight
                font.pointSize: Style.pt(11)
                color: Style.secondary
                Layout.fillWidth: true
            }
        }
    }
}
