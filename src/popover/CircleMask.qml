import QtQuick

// A round hit shape for a square button of the given side.
QtObject {
    property real side: 24

    function contains(point: point): bool {
        const r = side / 2
        const dx = point.x - r
        const dy = point.y - r
        return dx * dx + dy * dy <= r * r
    }
}
