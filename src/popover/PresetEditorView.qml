import QtQuick
import Halvoscope.Popover
import QtQuick.Layouts
import QtQuick.Templates as T

// Edits one preset; every slider or switch change is written to the store at
// once. Drafts and rules live in PresetEditorModel.
ColumnLayout {
    id: page

    required property PopoverContext context
    required property string presetID
    readonly property PresetEditorModel model: editor

    spacing: 10

    PresetEditorModel {
        id: editor
        context: page.context
        presetID: page.presetID
    }

    DrillDownHeader {
        Layout.fillWidth: true
        title: editor.title
        onBack: editor.back()

        T.AbstractButton {
            id: resetButton
            objectName: "resetButton"
            text: qsTr("Reset")
            hoverEnabled: true
            padding: 0
            implicitWidth: implicitContentWidth
            implicitHeight: implicitContentHeight
            Accessible.role: Accessible.Button
            Accessible.name: text
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            onClicked: editor.reset()
            contentItem: Text {
                text: resetButton.text
                font.pointSize: Style.pt(12)
                font.weight: Font.Medium
                color: Style.linkText
                opacity: resetButton.down ? 0.6 : 1
            }
            FocusRing {
                shown: resetButton.visualFocus
                controlRadius: 3
            }
        }
        Item { width: 4; height: 1 }
    }

    Divider {}

    ColumnLayout {
        objectName: "nameSection"
        visible: editor.presetExists && editor.isCustom
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        spacing: 5

        Text {
            text: qsTr("Preset Name")
            font.pointSize: Style.pt(11.5)
            font.weight: Font.Medium
            color: Style.secondary
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: 6

            PopoverTextField {
                id: nameField
                objectName: "nameField"
                Layout.fillWidth: true
                placeholderText: qsTr("Preset name")
                text: editor.nameDraft
                onTextEdited: editor.nameDraft = text
                onAccepted: editor.rename()
            }
            PopoverButton {
                objectName: "saveButton"
                text: qsTr("Save")
                enabled: editor.canSaveName
                onClicked: editor.rename()
            }
        }
    }

    Divider {
        visible: editor.presetExists && editor.isCustom
    }

    ColumnLayout {
        objectName: "temperatureSection"
        visible: editor.presetExists
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        spacing: 5

        RowLayout {
            Layout.fillWidth: true
            Text {
                text: qsTr("Color Temperature")
                font.pointSize: Style.pt(12)
                font.weight: Font.Medium
                color: Style.primary
                Layout.fillWidth: true
            }
            Text {
                objectName: "temperatureText"
                text: editor.temperatureText
                font.pointSize: Style.pt(12)
                color: Style.secondary
            }
        }
        ControlCenterSlider {
            objectName: "temperatureSlider"
            Accessible.name: qsTr("Color Temperature")
            Layout.fillWidth: true
            value: editor.temperature
            from: 1000
            to: 7000
            stepSize: 100
            gradient: Style.temperatureGradient
            onMoved: newValue => editor.moveTemperature(newValue)
        }
        RowLayout {
            Layout.fillWidth: true
            Text { text: qsTr("Warm"); font.pointSize: Style.pt(11); color: Style.secondary; Layout.fillWidth: true }
            Text { text: qsTr("Cool"); font.pointSize: Style.pt(11); color: Style.secondary }
        }
    }

    ColumnLayout {
        objectName: "saturationSection"
        visible: editor.presetExists
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        spacing: 5

        RowLayout {
            Layout.fillWidth: true
            Text {
                text: qsTr("Saturation")
                font.pointSize: Style.pt(12)
                font.weight: Font.Medium
                color: Style.primary
                Layout.fillWidth: true
            }
            Text {
                objectName: "saturationText"
                text: editor.saturationText
                font.pointSize: Style.pt(12)
                color: Style.secondary
            }
        }
        ControlCenterSlider {
            objectName: "saturationSlider"
            Accessible.name: qsTr("Saturation")
            Layout.fillWidth: true
            value: editor.saturation
            from: 0
            to: 200
            stepSize: 5
            fillColor: Style.accent
            onMoved: newValue => editor.moveSaturation(newValue)
        }
        RowLayout {
            Layout.fillWidth: true
            Text { text: qsTr("Grayscale"); font.pointSize: Style.pt(11); color: Style.secondary; Layout.fillWidth: true }
            Text { text: qsTr("Vivid"); font.pointSize: Style.pt(11); color: Style.secondary }
        }
    }

    // Under the slider, at the section's own spacing; a child of the page, so
    // that it shows even when it appears while the section is still hidden.
    Text {
        objectName: "capabilityText"
        visible: editor.presetExists && editor.capabilityText !== ""
        text: editor.capabilityText
        wrapMode: Text.Wrap
        font.pointSize: Style.pt(11)
        color: Style.secondary
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        Layout.topMargin: -5
    }

    Divider {
        visible: editor.presetExists
    }

    ColumnLayout {
        objectName: "brightnessSection"
        visible: editor.presetExists
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        spacing: 7

        RowLayout {
            Layout.fillWidth: true

            ColumnLayout {
                spacing: 1
                Layout.fillWidth: true

                Text {
                    text: qsTr("Auto Brightness")
                    font.pointSize: Style.pt(12)
                    font.weight: Font.Medium
                    color: Style.primary
                }
                Text {
                    objectName: "autoBrightnessCaption"
                    text: editor.autoBrightnessCaption
                    font.pointSize: Style.pt(11)
                    color: Style.secondary
                    elide: Text.ElideRight
                    Layout.fillWidth: true
                }
            }
            SmallSwitch {
                objectName: "autoBrightnessSwitch"
                checked: editor.brightnessAuto
                enabled: editor.brightnessAvailable
                Accessible.name: qsTr("Auto Brightness")
                onClicked: editor.setBrightnessAuto(!checked)
            }
        }
        RowLayout {
            Layout.fillWidth: true
            Text { text: qsTr("Display"); font.pointSize: Style.pt(11.5); color: Style.secondary; Layout.fillWidth: true }
            Text {
                objectName: "brightnessText"
                text: editor.brightnessText
                font.pointSize: Style.pt(11.5)
                color: Style.secondary
            }
        }
        ControlCenterSlider {
            objectName: "brightnessSlider"
            Accessible.name: qsTr("Display")
            Layout.fillWidth: true
            value: editor.brightness
            from: 1
            to: 100
            stepSize: 1
            fillColor: Style.withAlpha(Style.white, 0.92)
            leadingSymbol: "sun.max.fill"
            leadingSymbolColor: Style.darkGray
            enabled: editor.brightnessAvailable
            onMoved: newValue => editor.moveBrightness(newValue)
        }
    }

    Divider {
        visible: editor.presetExists && editor.isCustom
    }

    PopoverButton {
        objectName: "deleteButton"
        visible: editor.presetExists && editor.isCustom
        Layout.fillWidth: true
        Layout.leftMargin: 6
        Layout.rightMargin: 6
        text: qsTr("Delete Preset")
        destructive: true
        pixelSize: 12.5
        weight: Font.Medium
        onClicked: editor.deletePreset()
    }
}
