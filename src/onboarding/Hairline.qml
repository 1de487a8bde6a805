import QtQuick
import QtQuick.Layouts
import Halvoscope.Popover

// A divider across the whole width of its layout.
Rectangle {
    Layout.fillWidth: true
    implicitHeight: 1
    color: Style.divider
}
