import QtQuick

// The keyboard focus ring: an accent outline laid over its parent, `outset`
// pixels outside its edge, with the parent's corner radius grown to match.
// The default leaves a pixel of background between the two, so the ring
// stands apart from a control of the accent colour (a switch that is on).
// It is an overlay only, so showing it moves nothing.
Rectangle {
    property bool shown: false
    property real controlRadius: 0
    property real outset: 3

    objectName: "focusRing"
    x: -outset
    y: -outset
    width: parent ? parent.width + 2 * outset : 0
    height: parent ? parent.height + 2 * outset : 0
    z: 1
    radius: controlRadius > 0 ? controlRadius + outset : 0
    color: "transparent"
    border.width: 2
    border.color: Style.accent
    visible: shown
}
