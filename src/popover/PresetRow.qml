import QtQuick
import Halvoscope.Popover
import QtQuick.Layouts
import QtQuick.Templates as T

// One preset on the main page. A click activates it (animated); the hovered
// row offers an edit button in place of the active row's chevron.
T.RadioButton {
    id: row

    required property MainPresetsModel pageModel
    required property string presetID
    required property string name
    required property string symbolName
    required property string tint
    required property bool isActive
    required property bool isHovered
    required property string trailing

    objectName: "presetRow_" + presetID
    // Checked is the active preset, as the model says; a click asks for it.
    checkable: false
    autoExclusive: false
    checked: isActive
    hoverEnabled: true
    leftPadding: 8
    rightPadding: 8
    topPadding: 5
    bottomPadding: 5
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    // The list reads as radio buttons: the active preset is the checked one.
    Accessible.role: Accessible.RadioButton
    Accessible.name: name
    Accessible.checkable: true
    Accessible.checked: isActive
    Accessible.onCheckableChanged: if (!Accessible.checkable) Accessible.checkable = true
    Accessible.onPressAction: clicked()
    Accessible.onToggleAction: clicked()
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    onHoveredChanged: hovered ? pageModel.rowEntered(presetID) : pageModel.rowExited(presetID)
    onClicked: pageModel.activate(presetID)

    // A row focused by keyboard counts as hovered, so its edit button shows
    // and is the next Tab stop. Focus moving between the row and its edit
    // button passes through a moment where neither has it; the check waits
    // for the move to settle.
    readonly property bool keyboardInside: visualFocus || editButton.visualFocus
    onKeyboardInsideChanged: Qt.callLater(row.syncKeyboardHover)
    function syncKeyboardHover() {
        if (keyboardInside)
            pageModel.rowEntered(presetID)
        else if (!hovered)
            pageModel.rowExited(presetID)
    }

    background: Rectangle {
        radius: Style.rowRadius
        color: row.isHovered ? Style.primaryAlpha(0.08) : "transparent"
    }

    FocusRing {
        shown: row.visualFocus
        controlRadius: Style.rowRadius
        outset: 0
    }

    contentItem: RowLayout {
        spacing: 10

        Rectangle {
            implicitWidth: Style.rowIconSize
            implicitHeight: Style.rowIconSize
            radius: width / 2
            color: row.isActive ? Style.tint(row.tint) : Style.primaryAlpha(0.11)

            SymbolIcon {
                anchors.centerIn: parent
                name: row.symbolName
                pixelSize: 12.5
                color: row.isActive ? Style.white : Style.primaryAlpha(0.85)
            }
        }

        ColumnLayout {
            spacing: 1
            Layout.fillWidth: true

            Text {
                objectName: "presetName"
                text: row.name
                font.pointSize: Style.pt(13)
                font.weight: row.isActive ? Font.Medium : Font.Normal
                color: Style.primary
                maximumLineCount: 1
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            Text {
                objectName: "presetStatus"
                visible: row.isActive
                text: row.pageModel.statusText
                font.pointSize: Style.pt(11)
                color: Style.secondary
            }
        }

        T.AbstractButton {
            id: editButton
            objectName: "editButton"
            visible: row.trailing === "edit"
            implicitWidth: 24
            implicitHeight: 24
            hoverEnabled: true
            containmentMask: CircleMask { side: 24 }
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Adjust %1").arg(row.name)
            Accessible.onPressAction: clicked()
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            onClicked: row.pageModel.editPreset(row.presetID)

            background: Rectangle {
                radius: 12
                color: Style.primaryAlpha(0.08)
            }
            contentItem: Item {
                SymbolIcon {
                    anchors.centerIn: parent
                    name: "ellipsis"
                    pixelSize: 12
                    color: Style.secondary
                }
            }
            FocusRing {
                shown: editButton.visualFocus
                controlRadius: 12
            }
            HoverToolTip {
                objectName: "editToolTip"
                text: qsTr("Adjust %1").arg(row.name)
                shown: editButton.hovered
            }
        }

        SymbolIcon {
            objectName: "activeChevron"
            visible: row.trailing === "chevron"
            name: "chevron.right"
            pixelSize: 10.5
            color: Style.tertiary
            Layout.rightMargin: 4
        }
    }
}
