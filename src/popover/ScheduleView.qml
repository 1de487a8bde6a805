import QtQuick
import Halvoscope.Popover
import QtQuick.Layouts

// The daily schedule page. For now it offers only its header and the way back.
ColumnLayout {
    id: page

    required property PopoverContext context

    spacing: 10

    DrillDownHeader {
        Layout.fillWidth: true
        title: "Daily Schedule"
        onBack: page.context.navigation.goBack()
    }
}
