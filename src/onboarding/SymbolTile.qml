import QtQuick
import Halvoscope.Popover

// A rounded tile tinted with a colour at low opacity, with a symbol in that
// colour in its centre.
Rectangle {
    id: tile

    property string symbol
    property color tint: Style.accent
    property real side: 30
    property real symbolSize: 13

    implicitWidth: side
    implicitHeight: side
    color: Style.withAlpha(tint, 0.16)

    SymbolIcon {
        anchors.centerIn: parent
        name: tile.symbol
        color: tile.tint
        pixelSize: tile.symbolSize
    }
}
