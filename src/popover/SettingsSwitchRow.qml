import QtQuick
import QtQuick.Layouts

// A settings row: title (with anything placed below it), then a mini switch.
// The switch does not flip itself; `flipped` asks for the other value.
RowLayout {
    id: row

    property string title
    property alias checked: toggle.checked
    property alias switchEnabled: toggle.enabled
    property alias switchItem: toggle
    default property alias below: column.data

    signal flipped(bool wanted)

    spacing: 8

    ColumnLayout {
        id: column
        spacing: 2
        Layout.fillWidth: true

        Text {
            text: row.title
            font.pointSize: Style.pt(12.5)
            color: Style.primary
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
    }
    SmallSwitch {
        id: toggle
        Accessible.name: row.title
        Layout.alignment: Qt.AlignVCenter
        onClicked: row.flipped(!checked)
    }
}
