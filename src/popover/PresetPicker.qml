import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T

// A small pop-up list of presets. `model` has the roles presetID and name;
// `chosen` is asked to become a preset id through `picked`.
T.ComboBox {
    id: picker

    signal picked(string presetID)

    textRole: "name"
    valueRole: "presetID"
    hoverEnabled: true
    leftPadding: 8
    rightPadding: 22
    implicitWidth: 120
    implicitHeight: 22
    font.pointSize: Style.pt(12)
    Accessible.role: Accessible.ComboBox
    Accessible.name: displayText

    onActivated: index => picker.picked(picker.valueAt(index))

    background: Rectangle {
        radius: 5
        color: picker.down ? Style.primaryAlpha(0.16)
                           : picker.hovered ? Style.primaryAlpha(0.11) : Style.primaryAlpha(0.07)
        border.width: 1
        border.color: Style.primaryAlpha(0.14)
    }

    FocusRing {
        shown: picker.visualFocus
        controlRadius: 5
    }

    contentItem: Text {
        objectName: "pickerText"
        text: picker.displayText
        font: picker.font
        color: Style.primary
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    indicator: Canvas {
        x: picker.width - width - 6
        y: (picker.height - height) / 2
        width: 10
        height: 14
        property color tint: Style.secondary
        onTintChanged: requestPaint()
        onPaint: {
            const ctx = getContext("2d")
            ctx.reset()
            ctx.strokeStyle = tint
            ctx.lineWidth = 1.5
            ctx.beginPath()
            ctx.moveTo(2, 5); ctx.lineTo(5, 2); ctx.lineTo(8, 5)
            ctx.moveTo(2, 9); ctx.lineTo(5, 12); ctx.lineTo(8, 9)
            ctx.stroke()
        }
    }

    delegate: T.ItemDelegate {
        id: entry
        required property int index
        required property string name
        width: ListView.view ? ListView.view.width : implicitWidth
        implicitHeight: 22
        leftPadding: 8
        rightPadding: 8
        hoverEnabled: true
        highlighted: picker.highlightedIndex === index
        contentItem: Text {
            text: entry.name
            font: picker.font
            color: entry.highlighted ? Style.white : Style.primary
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        background: Rectangle {
            radius: 4
            color: entry.highlighted ? Style.accent : "transparent"
        }
    }

    popup: T.Popup {
        y: picker.height + 2
        width: Math.max(picker.width, 140)
        implicitHeight: Math.min(contentItem.implicitHeight + topPadding + bottomPadding, 200)
        padding: 4
        margins: 4

        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: picker.popup.visible ? picker.delegateModel : null
            currentIndex: picker.highlightedIndex
            boundsBehavior: Flickable.StopAtBounds
        }
        background: Rectangle {
            radius: 6
            color: Style.background
            border.width: 1
            border.color: Style.primaryAlpha(0.2)
        }
    }
}
