import QtQuick
import QtQuick.Layouts
import Halvoscope.Popover
import Halvoscope.Onboarding

// Step 1: the login-item switch. Flipping it only changes the page state;
// "Continue →" registers or removes the login item.
ColumnLayout {
    id: page

    required property OnboardingModel onboarding

    spacing: 18

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 5

        Text {
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.ignored: !visible
            Layout.fillWidth: true
            text: qsTr("Start Halvoscope at Login")
            font.pointSize: Style.pt(18)
            font.weight: Font.DemiBold
            color: Style.primary
            wrapMode: Text.WordWrap
        }
        Text {
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.ignored: !visible
            Layout.fillWidth: true
            text: qsTr("Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.")
            font.pointSize: Style.pt(13)
            color: Style.secondary
            wrapMode: Text.WordWrap
        }
    }

    CardBox {
        objectName: "loginItemCard"
        Layout.fillWidth: true
        inset: 14
        radius: 12
        fillOpacity: 0.05

        ColumnLayout {
            width: parent.width
            spacing: 12

            RowLayout {
                Layout.fillWidth: true
                spacing: 12

                SymbolTile {
                    symbol: "arrow.up.right.square.fill"
                    tint: Style.accent
                    side: 38
                    radius: 10
                    symbolSize: 17
                    Layout.alignment: Qt.AlignVCenter
                }
                // Takes the width the switch leaves; a long status wraps.
                ColumnLayout {
                    Layout.alignment: Qt.AlignVCenter
                    Layout.fillWidth: true
                    spacing: 2

                    Text {
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                        Accessible.ignored: !visible
                        text: qsTr("Open Halvoscope at Login")
                        font.pointSize: Style.pt(13.5)
                        font.weight: Font.DemiBold
                        color: Style.primary
                    }
                    Text {
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                        Accessible.ignored: !visible
                        objectName: "loginStatus"
                        Layout.fillWidth: true
                        text: page.onboarding.loginStatusText
                        font.pointSize: Style.pt(11.5)
                        color: Style.secondary
                        wrapMode: Text.WordWrap
                    }
                }
                SmallSwitch {
                    objectName: "loginSwitch"
                    Accessible.name: qsTr("Open Halvoscope at Login")
                    returnPresses: false
                    implicitWidth: 38
                    implicitHeight: 22
                    Layout.alignment: Qt.AlignVCenter
                    checked: page.onboarding.openAtLogin
                    onClicked: page.onboarding.openAtLogin = !page.onboarding.openAtLogin
                }
            }
            Hairline {}
            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                Layout.fillWidth: true
                text: qsTr("Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.")
                font.pointSize: Style.pt(11.5)
                color: Style.secondary
                wrapMode: Text.WordWrap
            }
        }
    }

    CardBox {
        objectName: "tipBox"
        Layout.fillWidth: true
        inset: 13
        radius: 12
        fillOpacity: 0.04

        RowLayout {
            width: parent.width
            spacing: 10

            SymbolIcon {
                name: "lightbulb.fill"
                pixelSize: 13
                color: Style.secondary
                Layout.alignment: Qt.AlignTop
                Layout.topMargin: 1
            }
            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignTop
                text: qsTr("Tip: Halvoscope lives quietly in your panel's system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.")
                font.pointSize: Style.pt(11.5)
                color: Style.secondary
                wrapMode: Text.WordWrap
            }
        }
    }
}
