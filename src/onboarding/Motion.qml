pragma Singleton
import QtQuick

// The onboarding's animation curves and timings: the standard ease-in-out and
// ease-out cubic curves, and the step dots' spring.
QtObject {
    readonly property var easeInOut: [0.42, 0, 0.58, 1, 1, 1]
    readonly property var easeOut: [0, 0, 0.58, 1, 1, 1]
    readonly property int stepChange: 180
    readonly property int lookChange: 650

    // SpringAnimation advances in 16 ms steps (v += spring·Δ − damping·v),
    // so a spring of response R and damping fraction ζ maps to
    // spring = (2π/R)²·0.016 and damping = 2ζ(2π/R)·0.016. R 0.28 s, ζ 0.8.
    readonly property real dotSpring: Math.pow(2 * Math.PI / 0.28, 2) * 0.016
    readonly property real dotDamping: 2 * 0.8 * (2 * Math.PI / 0.28) * 0.016
}
