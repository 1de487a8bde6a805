import QtQuick
import QtQuick.Layouts
import Halvoscope.Popover
import Halvoscope.Onboarding

// Step 2: the water-ripple animation, its live preview and the screen
// capture it needs.
ColumnLayout {
    id: page

    required property OnboardingModel onboarding
    readonly property color green: Style.tint("green")
    readonly property color greenText: Style.textTint("green")

    spacing: 14

    RowLayout {
        Layout.fillWidth: true

        Text {
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.ignored: !visible
            text: qsTr("Optical Water-Ripple Animation")
            font.pointSize: Style.pt(17)
            font.weight: Font.DemiBold
            color: Style.primary
            Layout.alignment: Qt.AlignVCenter
        }
        Item { Layout.fillWidth: true }
        Rectangle {
            objectName: "permissionBadge"
            Layout.alignment: Qt.AlignVCenter
            implicitWidth: badgeLabel.implicitWidth + 18
            implicitHeight: badgeLabel.implicitHeight + 6
            radius: height / 2
            color: page.onboarding.hasScreenPermission ? Style.withAlpha(page.green, 0.18)
                                                       : Style.primaryAlpha(0.08)

            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                id: badgeLabel
                objectName: "permissionBadgeText"
                anchors.centerIn: parent
                text: page.onboarding.hasScreenPermission ? qsTr("Active ✓") : qsTr("Optional")
                font.pointSize: Style.pt(11)
                font.weight: Font.DemiBold
                color: page.onboarding.hasScreenPermission ? page.greenText : Style.secondary
            }
        }
    }

    Text {
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        Accessible.ignored: !visible
        Layout.fillWidth: true
        text: qsTr("When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.")
        font.pointSize: Style.pt(12.5)
        color: Style.secondary
        wrapMode: Text.WordWrap
    }

    RipplePreview {
        Layout.fillWidth: true
        Layout.preferredHeight: 128
        onboarding: page.onboarding
    }

    CardBox {
        objectName: "permissionBox"
        Layout.fillWidth: true
        inset: 12
        radius: 11
        fillOpacity: 0.05

        ColumnLayout {
            width: parent.width
            spacing: 10

            RowLayout {
                Layout.fillWidth: true
                spacing: 8

                SymbolIcon {
                    name: "lock.shield.fill"
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
                    text: qsTr("Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.")
                    font.pointSize: Style.pt(11.5)
                    color: Style.secondary
                    wrapMode: Text.WordWrap
                }
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 10

                RowLayout {
                    objectName: "permissionGranted"
                    visible: page.onboarding.hasScreenPermission
                    spacing: 5

                    SymbolIcon {
                        name: "checkmark.circle.fill"
                        pixelSize: 12
                        color: page.green
                        Layout.alignment: Qt.AlignVCenter
                    }
                    Text {
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                        Accessible.ignored: !visible
                        objectName: "permissionGrantedText"
                        text: qsTr("Screen capture available — Optical Water-Ripple is ready!")
                        font.pointSize: Style.pt(12)
                        font.weight: Font.Medium
                        color: page.greenText
                        Layout.alignment: Qt.AlignVCenter
                    }
                }
                Text {
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                    Accessible.ignored: !visible
                    objectName: "captureUnavailableText"
                    visible: page.onboarding.captureUnavailable
                    text: qsTr("No screen capture in this session — the ripple fades instead.")
                    font.pointSize: Style.pt(12)
                    font.weight: Font.Medium
                    color: Style.secondary
                    Layout.alignment: Qt.AlignVCenter
                }
                // Where the desktop draws the ripple itself (GNOME Shell's extension).
                Text {
                    objectName: "extensionStatusText"
                    visible: page.onboarding.extension.text.length > 0
                    text: page.onboarding.extension.text
                    wrapMode: Text.Wrap
                    font.pointSize: Style.pt(12)
                    color: Style.secondary
                    Layout.fillWidth: true
                }
                OnboardingButton {
                    objectName: "enableExtensionButton"
                    visible: page.onboarding.extension.canEnable
                    small: true
                    text: qsTr("Turn On GNOME Shell Extension")
                    onClicked: page.onboarding.extension.enable()
                }
                OnboardingButton {
                    objectName: "enableButton"
                    visible: !page.onboarding.hasScreenPermission && !page.onboarding.captureUnavailable
                    prominent: true
                    small: true
                    text: qsTr("Enable Ripple & Allow Capture…")
                    onClicked: page.onboarding.requestPermission()
                }
                OnboardingButton {
                    objectName: "relaunchButton"
                    visible: page.onboarding.relaunchVisible
                    small: true
                    text: qsTr("Relaunch & Finish")
                    onClicked: page.onboarding.relaunchAndFinish()
                }
                Item { Layout.fillWidth: true }
            }
        }
    }
}
