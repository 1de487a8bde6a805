import QtQuick

// A symbol image in one colour, in a square sized for text of `pixelSize`.
Item {
    id: icon

    property string name
    property color color: Style.primary
    property real pixelSize: 13

    readonly property int side: Style.symbolSide(pixelSize)

    implicitWidth: side
    implicitHeight: side

    Image {
        anchors.fill: parent
        // Chevrons point the way the page goes, which right-to-left turns around.
        mirror: icon.name.startsWith("chevron.") && Qt.application.layoutDirection === Qt.RightToLeft
        sourceSize: Qt.size(icon.side, icon.side)
        fillMode: Image.PreserveAspectFit
        smooth: true
        source: icon.name.length > 0 ? Style.symbol(icon.name, icon.color) : ""
    }
}
