import QtQuick
import QtQuick.Layouts
import Halvoscope.Popover

// Step 0: the application, in one sentence and two feature cards.
ColumnLayout {
    id: page

    spacing: 18

    RowLayout {
        Layout.fillWidth: true
        spacing: 16

        Image {
            objectName: "appIcon"
            Layout.preferredWidth: 64
            Layout.preferredHeight: 64
            Layout.alignment: Qt.AlignVCenter
            source: "icons/appicon.svg"
            sourceSize: Qt.size(128, 128)
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 4

            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                Layout.fillWidth: true
                text: qsTr("Welcome to Halvoscope")
                font.pointSize: Style.pt(19)
                font.weight: Font.DemiBold
                color: Style.primary
                wrapMode: Text.WordWrap
            }
            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                Layout.fillWidth: true
                text: qsTr("Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.")
                font.pointSize: Style.pt(13)
                color: Style.secondary
                wrapMode: Text.WordWrap
            }
        }
    }

    ColumnLayout {
        objectName: "featureList"
        Layout.fillWidth: true
        spacing: 10

        FeatureCard {
            symbol: "sparkles"
            tint: Style.tint("red")
            title: qsTr("One-Click Moods & Custom Presets")
            body: qsTr("Switch between Warm, Red Light, Black & White focus mode, or build your own.")
        }
        FeatureCard {
            symbol: "clock.fill"
            tint: Style.tint("blue")
            title: qsTr("Daily Schedule & Keep Awake")
            body: qsTr("Warm your screen at the times you choose and prevent sleep with one switch.")
        }
    }
}
