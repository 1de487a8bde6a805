import QtQuick
import QtQuick.Layouts
import Halvoscope.Popover
import Halvoscope.Onboarding

// A small stand-in for the desktop: a gradient backdrop with a mock window,
// and the ring that a click (or the page itself) sends across it.
Item {
    id: preview

    required property OnboardingModel onboarding

    // 0 for the cool look, 1 for the warm one.
    property real warmth: onboarding.previewWarm ? 1 : 0
    Behavior on warmth {
        NumberAnimation {
            duration: Motion.lookChange
            easing.type: Easing.BezierSpline
            easing.bezierCurve: Motion.easeInOut
        }
    }

    // What the ring shows now; the model holds where it is heading.
    property real ringScale: 0.1
    property real ringOpacity: 0

    objectName: "ripplePreview"
    implicitHeight: 128
    // Space plays it from the keyboard; Return stays with the window, which
    // gives it to the primary button.
    activeFocusOnTab: true
    Accessible.role: Accessible.Button
    Accessible.name: qsTr("Click preview to test ripple")
    Accessible.onPressAction: onboarding.playPreviewRipple()
    Accessible.ignored: !visible
    Keys.onSpacePressed: onboarding.playPreviewRipple()

    Component.onCompleted: {
        ringScale = onboarding.rippleScale
        ringOpacity = onboarding.rippleOpacity
    }

    PreviewBackdrop {
        anchors.fill: parent
        radius: 12
        warmth: preview.warmth
    }

    Rectangle {
        id: mockWindow

        x: 12
        width: parent.width - 24
        anchors.verticalCenter: parent.verticalCenter
        height: mockColumn.implicitHeight + 24
        radius: 9
        color: Qt.rgba(1, 1, 1, 0.09)
        border.width: 0.75
        border.color: Qt.rgba(1, 1, 1, 0.16)

        ColumnLayout {
            id: mockColumn

            x: 12
            y: 12
            width: parent.width - 24
            spacing: 8

            RowLayout {
                spacing: 5

                Repeater {
                    model: 3
                    delegate: Rectangle {
                        implicitWidth: 7
                        implicitHeight: 7
                        radius: 3.5
                        color: Qt.rgba(1, 1, 1, 0.4)
                    }
                }
                // The two labels cross-fade with the look.
                Item {
                    implicitWidth: Math.max(coolLabel.implicitWidth, warmLabel.implicitWidth)
                    implicitHeight: coolLabel.implicitHeight

                    Text {
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                        Accessible.ignored: !visible
                        id: coolLabel
                        text: preview.onboarding.coolPreviewLabel
                        opacity: 1 - preview.warmth
                        font.pointSize: Style.pt(11)
                        font.weight: Font.Medium
                        color: Qt.rgba(1, 1, 1, 0.88)
                    }
                    Text {
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                        Accessible.ignored: !visible
                        id: warmLabel
                        text: preview.onboarding.warmPreviewLabel
                        opacity: preview.warmth
                        font.pointSize: Style.pt(11)
                        font.weight: Font.Medium
                        color: Qt.rgba(1, 1, 1, 0.88)
                    }
                }
            }
            Rectangle {
                implicitWidth: 190
                implicitHeight: 7
                radius: 3
                color: Qt.rgba(1, 1, 1, 0.28)
            }
            Rectangle {
                implicitWidth: 130
                implicitHeight: 7
                radius: 3
                color: Qt.rgba(1, 1, 1, 0.18)
            }
            RowLayout {
                Layout.fillWidth: true
                spacing: 8

                Text {
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                    Accessible.ignored: !visible
                    text: qsTr("Click preview to test ripple")
                    font.pointSize: Style.pt(11)
                    color: Qt.rgba(1, 1, 1, 0.7)
                }
                Item { Layout.fillWidth: true }
                Rectangle {
                    implicitWidth: chipLabel.implicitWidth + 16
                    implicitHeight: chipLabel.implicitHeight + 4
                    radius: height / 2
                    color: Qt.rgba(1, 1, 1, 0.16)

                    Text {
                        Accessible.role: Accessible.StaticText
                        Accessible.name: text
                        Accessible.ignored: !visible
                        id: chipLabel
                        anchors.centerIn: parent
                        text: qsTr("Optical Refraction")
                        font.pointSize: Style.pt(10.5)
                        font.weight: Font.Medium
                        color: Qt.rgba(1, 1, 1, 0.9)
                    }
                }
            }
        }
    }

    PreviewRing {
        objectName: "previewRing"
        anchors.fill: parent
        radius: 12
        ringScale: preview.ringScale
        ringOpacity: preview.ringOpacity
        borderColor: Style.primaryAlpha(0.14)
    }

    // Only Tab focuses it (a tap does not), so focus here is keyboard focus.
    FocusRing {
        shown: preview.activeFocus
        controlRadius: 12
    }

    TapHandler {
        onTapped: preview.onboarding.playPreviewRipple()
    }

    ParallelAnimation {
        id: ringAnimation

        NumberAnimation {
            target: preview
            property: "ringScale"
            to: preview.onboarding.rippleScale
            duration: preview.onboarding.rippleDuration
            easing.type: Easing.BezierSpline
            easing.bezierCurve: Motion.easeOut
        }
        NumberAnimation {
            target: preview
            property: "ringOpacity"
            to: preview.onboarding.rippleOpacity
            duration: preview.onboarding.rippleDuration
            easing.type: Easing.BezierSpline
            easing.bezierCurve: Motion.easeOut
        }
    }

    Connections {
        target: preview.onboarding
        function onPreviewRipplePlayed(fromScale, fromOpacity) {
            ringAnimation.stop()
            preview.ringScale = fromScale
            preview.ringOpacity = fromOpacity
            ringAnimation.start()
        }
    }
}
