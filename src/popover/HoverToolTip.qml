import QtQuick

// A small tool tip for its parent, shown after a short delay while `shown`
// is true. The bubble lives on top of the window's content and takes no
// pointer events, so it never takes the hover away from what it describes.
Item {
    id: tip

    property string text
    property bool shown: false
    readonly property bool showing: bubble.visible

    width: 0
    height: 0

    Timer {
        id: delay
        interval: 600
        running: tip.shown && tip.text.length > 0
        onTriggered: tip.place()
    }

    function place() {
        const target = tip.parent
        const layer = bubble.parent
        if (!target || !layer)
            return
        const below = target.mapToItem(layer, target.width / 2, target.height + 4)
        const above = target.mapToItem(layer, target.width / 2, -4)
        const margin = 4
        bubble.x = Math.round(Math.max(margin, Math.min(below.x - bubble.width / 2,
                                                        layer.width - bubble.width - margin)))
        bubble.y = Math.round(below.y + bubble.height + margin <= layer.height
                              ? below.y : above.y - bubble.height)
        bubble.visible = true
    }

    onShownChanged: if (!shown) bubble.visible = false

    Rectangle {
        id: bubble
        parent: tip.Window.contentItem
        visible: false
        z: 1000
        width: label.implicitWidth + 10
        height: label.implicitHeight + 6
        radius: 4
        color: Style.background
        border.width: 1
        border.color: Style.primaryAlpha(0.2)

        Text {
            id: label
            anchors.centerIn: parent
            text: tip.text
            font.pointSize: Style.pt(11)
            color: Style.primary
        }
    }
}
