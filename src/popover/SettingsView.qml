import QtQuick
import Halvoscope.Popover
import QtQuick.Layouts

// The settings page. For now it offers only its header and the way back.
ColumnLayout {
    id: page

    required property PopoverContext context

    spacing: 10

    DrillDownHeader {
        Layout.fillWidth: true
        title: "Settings"
        onBack: page.context.navigation.goBack()
    }
}
