import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T

// A settings row that leads somewhere: title, optional detail and chevron,
// on a faint rounded highlight while the pointer is over it.
T.AbstractButton {
    id: row

    property string title
    property string detail: ""
    property bool showChevron: false

    hoverEnabled: true
    leftPadding: 8
    rightPadding: 8
    topPadding: 5
    bottomPadding: 5
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    opacity: enabled ? 1 : 0.6
    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.onPressAction: clicked()
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    FocusRing {
        shown: row.visualFocus
        controlRadius: 7
        outset: 0
    }

    background: Rectangle {
        objectName: "rowHighlight"
        radius: 7
        color: row.hovered ? Style.primaryAlpha(0.08) : "transparent"
    }

    contentItem: RowLayout {
        spacing: 6

        Text {
            text: row.title
            font.pointSize: Style.pt(13)
            color: Style.primary
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        Text {
            objectName: "rowDetail"
            visible: row.detail.length > 0
            text: row.detail
            font.pointSize: Style.pt(12)
            color: Style.secondary
        }
        SymbolIcon {
            objectName: "rowChevron"
            visible: row.showChevron
            name: "chevron.right"
            pixelSize: 11
            color: Style.secondary
        }
    }
}
