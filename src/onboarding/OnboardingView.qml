import QtQuick
import QtQuick.Layouts
import Halvoscope.Popover
import Halvoscope.Onboarding

// The onboarding window's content: a header with the page title and step
// counter, the current page, and a footer with Back, the step dots and the
// page's buttons. Return presses the primary button on every page.
Rectangle {
    id: root

    // Right-to-left languages mirror every row and anchor of the pages.
    LayoutMirroring.enabled: Qt.application.layoutDirection === Qt.RightToLeft
    LayoutMirroring.childrenInherit: true

    required property OnboardingModel onboarding

    implicitWidth: 520
    implicitHeight: 470
    color: Style.background
    focus: true

    Keys.onPressed: event => {
        if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
            event.accepted = true
            root.onboarding.primaryAction()
        }
    }

    // The whole background moves the window.
    DragHandler {
        target: null
        onActiveChanged: {
            if (active && root.Window.window)
                root.Window.window.startSystemMove()
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        Item {
            Layout.fillWidth: true
            implicitHeight: titleText.implicitHeight + 12 + 10

            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                id: titleText
                objectName: "titleText"
                anchors.horizontalCenter: parent.horizontalCenter
                y: 12
                text: root.onboarding.title
                font.pointSize: Style.pt(12)
                font.weight: Font.Medium
                color: Style.secondary
            }
            Text {
                Accessible.role: Accessible.StaticText
                Accessible.name: text
                Accessible.ignored: !visible
                objectName: "stepCounter"
                anchors.right: parent.right
                anchors.rightMargin: 18
                anchors.verticalCenter: titleText.verticalCenter
                text: root.onboarding.counterText
                font.pointSize: Style.pt(11.5)
                color: Style.tertiary
            }
        }

        Hairline {}

        // The pages are laid out for the designed window height; a window
        // kept smaller by the screen (a large scale factor) scrolls them
        // between the fixed header and footer.
        Flickable {
            id: pages

            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            contentWidth: width
            contentHeight: height + Math.max(0, root.implicitHeight - root.height)
            interactive: contentHeight > height
            boundsBehavior: Flickable.StopAtBounds

            Rectangle {
                objectName: "pageScrollIndicator"
                parent: pages
                visible: pages.interactive
                x: root.LayoutMirroring.enabled ? 2 : pages.width - width - 2
                y: pages.visibleArea.yPosition * pages.height
                width: 3
                height: pages.visibleArea.heightRatio * pages.height
                radius: 1.5
                color: Style.tertiary
            }

            // One page, inset in the page area; pages cross-fade as the step changes.
            component PageSlot: Item {
                id: slot

                property bool current: false
                default property alias page: slot.data

                anchors.fill: parent
                anchors.leftMargin: 26
                anchors.rightMargin: 26
                anchors.topMargin: 22
                anchors.bottomMargin: 22
                opacity: current ? 1 : 0
                visible: opacity > 0
                Behavior on opacity {
                    NumberAnimation {
                        duration: Motion.stepChange
                        easing.type: Easing.BezierSpline
                        easing.bezierCurve: Motion.easeInOut
                    }
                }
            }

            PageSlot {
                objectName: "welcomePage"
                current: root.onboarding.step === 0
                WelcomePage { width: parent.width }
            }
            PageSlot {
                objectName: "loginItemPage"
                current: root.onboarding.step === 1
                LoginItemPage { width: parent.width; onboarding: root.onboarding }
            }
            PageSlot {
                objectName: "ripplePage"
                current: root.onboarding.step === 2
                RipplePage { width: parent.width; onboarding: root.onboarding }
            }
        }

        Hairline {}

        RowLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 22
            Layout.rightMargin: 22
            Layout.topMargin: 14
            Layout.bottomMargin: 14
            spacing: 0

            TextButton {
                objectName: "backButton"
                text: qsTr("← Back")
                enabled: root.onboarding.backVisible
                opacity: root.onboarding.backVisible ? 1 : 0
                Behavior on opacity {
                    NumberAnimation {
                        duration: Motion.stepChange
                        easing.type: Easing.BezierSpline
                        easing.bezierCurve: Motion.easeInOut
                    }
                }
                onClicked: root.onboarding.back()
            }
            Item { Layout.fillWidth: true }
            StepDots {
                objectName: "stepDots"
                current: root.onboarding.step
                Layout.alignment: Qt.AlignVCenter
            }
            Item { Layout.fillWidth: true }
            RowLayout {
                spacing: 10

                TextButton {
                    objectName: "skipButton"
                    text: qsTr("Skip for Now")
                    visible: root.onboarding.skipVisible
                    onClicked: root.onboarding.skip()
                }
                OnboardingButton {
                    objectName: "primaryButton"
                    prominent: true
                    text: root.onboarding.primaryTitle
                    onClicked: root.onboarding.primaryAction()
                }
            }
        }
    }
}
