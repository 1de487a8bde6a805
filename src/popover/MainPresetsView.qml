import QtQuick
import Halvoscope.Popover
import QtQuick.Layouts
import QtQuick.Templates as T

// The first page: the visible presets, keep-awake, the error line and the
// footer rows. State and actions live in MainPresetsModel.
ColumnLayout {
    id: page

    required property PopoverContext context
    readonly property MainPresetsModel model: presetsModel

    spacing: 6

    MainPresetsModel {
        id: presetsModel
        context: page.context
    }

    // Arrow keys move through the preset rows and stop at either end; the
    // focus they give shows its ring like focus given by Tab.
    function focusPresetRow(index) {
        const target = presetRepeater.itemAt(index)
        if (target)
            target.forceActiveFocus(Qt.TabFocusReason)
    }

    Shortcut {
        sequence: "Ctrl+Q"
        onActivated: presetsModel.quit()
    }

    RowLayout {
        Layout.fillWidth: true
        Layout.leftMargin: 8
        Layout.rightMargin: 8
        Layout.topMargin: 2
        spacing: 8

        Text {
            text: "Halvoscope"
            font.pointSize: Style.pt(13)
            font.weight: Font.DemiBold
            color: Style.primary
            Layout.alignment: Qt.AlignBaseline
        }
        Item { Layout.fillWidth: true }
        Text {
            objectName: "summaryText"
            text: presetsModel.summaryText
            font.pointSize: Style.pt(11.5)
            color: Style.secondary
            Layout.alignment: Qt.AlignBaseline
        }
    }

    Divider {}

    ColumnLayout {
        objectName: "presetList"
        Layout.fillWidth: true
        spacing: 2

        Repeater {
            id: presetRepeater
            model: presetsModel
            delegate: PresetRow {
                required property int index
                pageModel: presetsModel
                Layout.fillWidth: true
                Keys.onUpPressed: page.focusPresetRow(index - 1)
                Keys.onDownPressed: page.focusPresetRow(index + 1)
            }
        }
    }

    Text {
        objectName: "capabilityText"
        visible: presetsModel.capabilityText !== ""
        text: presetsModel.capabilityText
        wrapMode: Text.Wrap
        font.pointSize: Style.pt(11)
        color: Style.secondary
        Layout.fillWidth: true
        Layout.leftMargin: 8
        Layout.rightMargin: 8
    }

    Divider {}

    T.CheckBox {
        id: keepAwakeRow
        objectName: "keepAwakeRow"
        Layout.fillWidth: true
        hoverEnabled: true
        leftPadding: 8
        rightPadding: 8
        topPadding: 5
        bottomPadding: 5
        implicitHeight: implicitContentHeight + topPadding + bottomPadding
        // A check box to assistive technology; the model flips it.
        nextCheckState: () => checkState
        checked: presetsModel.keepAwakeEnabled
        Accessible.role: Accessible.CheckBox
        Accessible.name: qsTr("Keep Awake")
        Accessible.checkable: true
        Accessible.checked: presetsModel.keepAwakeEnabled
        Accessible.onCheckableChanged: if (!Accessible.checkable) Accessible.checkable = true
        Accessible.onPressAction: clicked()
        Accessible.onToggleAction: clicked()
        Keys.onReturnPressed: clicked()
        Keys.onEnterPressed: clicked()
        onHoveredChanged: presetsModel.keepAwakeHovered = hovered
        onClicked: presetsModel.toggleKeepAwake()

        FocusRing {
            shown: keepAwakeRow.visualFocus
            controlRadius: Style.rowRadius
            outset: 0
        }

        background: Rectangle {
            radius: Style.rowRadius
            color: presetsModel.keepAwakeHovered ? Style.primaryAlpha(0.08) : "transparent"
        }
        contentItem: RowLayout {
            spacing: 10

            Rectangle {
                implicitWidth: Style.rowIconSize
                implicitHeight: Style.rowIconSize
                radius: width / 2
                color: presetsModel.keepAwakeEnabled ? Style.accent : Style.primaryAlpha(0.11)

                SymbolIcon {
                    anchors.centerIn: parent
                    name: "cup.and.saucer.fill"
                    pixelSize: 12
                    color: presetsModel.keepAwakeEnabled ? Style.white : Style.primaryAlpha(0.85)
                }
            }
            Text {
                text: qsTr("Keep Awake")
                font.pointSize: Style.pt(13)
                font.weight: presetsModel.keepAwakeEnabled ? Font.Medium : Font.Normal
                color: Style.primary
                Layout.fillWidth: true
            }
            SmallSwitch {
                objectName: "keepAwakeSwitch"
                // The row around it is the Tab stop and toggles the same
                // state; it is also the check box assistive technology hears.
                focusPolicy: Qt.NoFocus
                checked: presetsModel.keepAwakeEnabled
                Accessible.ignored: true
                onClicked: presetsModel.setKeepAwake(!checked)
            }
        }
    }

    Text {
        objectName: "errorText"
        visible: presetsModel.showsError
        text: presetsModel.errorText
        wrapMode: Text.Wrap
        font.pointSize: Style.pt(11)
        color: Style.red
        Layout.fillWidth: true
        Layout.leftMargin: 8
        Layout.rightMargin: 8
    }

    Divider {}

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 1

        MenuFooterRow {
            objectName: "settingsRow"
            Layout.fillWidth: true
            title: qsTr("Halvoscope Settings\u2026")
            showChevron: true
            onClicked: presetsModel.openSettings()
        }
        MenuFooterRow {
            objectName: "quitRow"
            Layout.fillWidth: true
            title: qsTr("Quit Halvoscope")
            //: The key that quits, as the keyboard labels it.
            shortcut: qsTr("Ctrl+Q")
            onClicked: presetsModel.quit()
        }
    }
}
