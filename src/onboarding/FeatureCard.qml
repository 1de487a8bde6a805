import QtQuick
import QtQuick.Layouts
import Halvoscope.Popover

// One feature of the welcome page: a symbol tile, a title and a short body.
CardBox {
    id: card

    property string symbol
    property color tint
    property string title
    property string body

    objectName: "featureCard"
    Layout.fillWidth: true
    inset: 11
    radius: 11
    fillOpacity: 0.05

    RowLayout {
        width: parent.width
        spacing: 12

        SymbolTile {
            symbol: card.symbol
            tint: card.tint
            side: 30
            radius: 8
            symbolSize: 13
            Layout.alignment: Qt.AlignVCenter
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 2

            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                objectName: "featureTitle"
                Layout.fillWidth: true
                text: card.title
                font.pointSize: Style.pt(13)
                font.weight: Font.DemiBold
                color: Style.primary
                wrapMode: Text.WordWrap
            }
            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                objectName: "featureBody"
                Layout.fillWidth: true
                text: card.body
                font.pointSize: Style.pt(11.5)
                color: Style.secondary
                wrapMode: Text.WordWrap
            }
        }
    }
}
