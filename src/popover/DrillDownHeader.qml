import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T

// The header of every page below the main one: a round back button, the
// title and optional trailing content (children of the header).
T.Control {
    id: header

    property string title
    default property alias trailing: trailingSlot.data

    signal back()

    leftPadding: 6
    rightPadding: 6
    topPadding: 2
    bottomPadding: 0
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding

    contentItem: RowLayout {
        spacing: 6

        T.AbstractButton {
            id: backButton
            objectName: "backButton"
            implicitWidth: 24
            implicitHeight: 24
            hoverEnabled: true
            containmentMask: CircleMask { side: 24 }
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Back")
            Accessible.onPressAction: clicked()
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            onClicked: header.back()

            background: Rectangle {
                radius: 12
                color: backButton.hovered ? Style.primaryAlpha(0.12) : "transparent"
            }
            contentItem: Item {
                SymbolIcon {
                    anchors.centerIn: parent
                    name: "chevron.left"
                    pixelSize: 12
                    color: Style.primary
                }
            }
            FocusRing {
                shown: backButton.visualFocus
                controlRadius: 12
            }
            HoverToolTip {
                objectName: "backToolTip"
                text: qsTr("Back")
                shown: backButton.hovered
            }
        }

        Text {
            objectName: "headerTitle"
            text: header.title
            font.pointSize: Style.pt(13)
            font.weight: Font.DemiBold
            color: Style.primary
            maximumLineCount: 1
            elide: Text.ElideRight
            Layout.fillWidth: true
        }

        Row {
            id: trailingSlot
            Layout.alignment: Qt.AlignVCenter
        }
    }
}
