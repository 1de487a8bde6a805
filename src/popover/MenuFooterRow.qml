import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T

// A full-width menu-like row at the foot of a page; a click runs `clicked`.
T.AbstractButton {
    id: row

    property string title
    property string shortcut: ""
    property bool showChevron: false

    hoverEnabled: true
    leftPadding: 8
    rightPadding: 8
    topPadding: 5
    bottomPadding: 5
    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding

    Accessible.role: Accessible.MenuItem
    Accessible.name: title
    Accessible.onPressAction: clicked()
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    FocusRing {
        shown: row.visualFocus
        controlRadius: Style.footerRadius
        outset: 0
    }

    background: Rectangle {
        radius: Style.footerRadius
        color: row.hovered ? Style.accent : "transparent"
    }

    contentItem: RowLayout {
        spacing: 8

        Text {
            objectName: "footerTitle"
            text: row.title
            font.pointSize: Style.pt(13)
            color: row.hovered ? Style.white : Style.primary
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
        Text {
            objectName: "footerShortcut"
            visible: row.shortcut.length > 0
            text: row.shortcut
            font.pointSize: Style.pt(12)
            color: row.hovered ? Style.withAlpha(Style.white, 0.85) : Style.secondary
        }
        SymbolIcon {
            visible: row.showChevron
            name: "chevron.right"
            pixelSize: 11
            color: row.hovered ? Style.withAlpha(Style.white, 0.85) : Style.secondary
        }
    }
}
