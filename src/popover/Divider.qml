import QtQuick
import QtQuick.Layouts

// A hairline across the page, inset 6 at each end.
Rectangle {
    Layout.fillWidth: true
    Layout.leftMargin: 6
    Layout.rightMargin: 6
    implicitHeight: 1
    color: Style.divider
}
