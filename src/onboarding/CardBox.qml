import QtQuick
import Halvoscope.Popover

// A rounded box filled with the primary colour at a low opacity and bordered
// inside its shape. Holds one content item, which should take the box's
// inner width (`width: parent.width`).
Rectangle {
    id: box

    property real inset: 12
    property real fillOpacity: 0.05
    default property alias content: holder.data

    readonly property Item contentItem: holder.children.length > 0 ? holder.children[0] : null

    implicitWidth: (contentItem ? contentItem.implicitWidth : 0) + 2 * inset
    implicitHeight: (contentItem ? contentItem.implicitHeight : 0) + 2 * inset
    color: Style.primaryAlpha(fillOpacity)
    border.width: 0.75
    border.color: Style.primaryAlpha(0.08)

    Item {
        id: holder
        anchors.fill: parent
        anchors.margins: box.inset
    }
}
