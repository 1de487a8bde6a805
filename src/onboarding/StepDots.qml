import QtQuick
import Halvoscope.Popover
import Halvoscope.Onboarding

// Three capsules, the current step's long and in the accent colour; they
// change size and colour with a short spring.
Row {
    id: dots

    property int current: 0

    spacing: 6

    Repeater {
        model: 3
        delegate: Rectangle {
            id: dot

            required property int index
            // 0 for a plain dot, 1 for the current one; the spring may
            // overshoot a little, as springs do.
            property real emphasis: index === dots.current ? 1 : 0
            Behavior on emphasis {
                SpringAnimation {
                    spring: Motion.dotSpring
                    damping: Motion.dotDamping
                    epsilon: 0.002
                }
            }

            objectName: "stepDot" + index
            readonly property real blend: Math.max(0, Math.min(1, emphasis))
            width: 7 + 11 * emphasis
            height: 7
            radius: 3.5
            color: {
                const plain = Style.primaryAlpha(0.18)
                const accent = Style.accent
                return Qt.rgba(plain.r + (accent.r - plain.r) * blend,
                               plain.g + (accent.g - plain.g) * blend,
                               plain.b + (accent.b - plain.b) * blend,
                               plain.a + (accent.a - plain.a) * blend)
            }
        }
    }
}
