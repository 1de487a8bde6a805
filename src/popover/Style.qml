pragma Singleton
import QtQuick

// Colours, sizes and fonts of the popover in one place. Colours follow the
// system palette, so light and dark desktops both look right.
QtObject {
    id: style

    readonly property SystemPalette systemPalette: SystemPalette {
        colorGroup: SystemPalette.Active
    }
    readonly property bool dark: systemPalette.window.hslLightness < 0.5

    readonly property color background: systemPalette.window
    readonly property color primary: systemPalette.windowText
    readonly property color secondary: primaryAlpha(0.55)
    readonly property color tertiary: primaryAlpha(0.30)
    readonly property color accent: systemPalette.highlight
    readonly property color white: "#ffffff"
    // Text in the designed hues, in shades that keep a contrast of at least
    // 4.5:1 against the popover's and the guide's backgrounds and buttons.
    readonly property color red: dark ? "#ff7b73" : "#b3261e"
    readonly property color linkText: dark ? Qt.lighter(accent, 1.45) : Qt.darker(accent, 1.5)
    function textTint(role) {
        switch (role) {
        case "green": return dark ? "#30d158" : "#17702f"
        default: return tint(role)
        }
    }
    readonly property color darkGray: "#555555"
    readonly property color divider: primaryAlpha(0.12)

    function primaryAlpha(alpha) {
        return Qt.rgba(primary.r, primary.g, primary.b, alpha)
    }
    function withAlpha(colour, alpha) {
        return Qt.rgba(colour.r, colour.g, colour.b, alpha)
    }

    // The tint roles of the presets as real colours, light and dark variants.
    function tint(role) {
        switch (role) {
        case "blue": return dark ? "#0a84ff" : "#007aff"
        case "red": return dark ? "#ff453a" : "#ff3b30"
        case "orange": return dark ? "#ff9f0a" : "#ff9500"
        case "gray": return dark ? "#98989d" : "#8e8e93"
        case "purple": return dark ? "#bf5af2" : "#af52de"
        case "green": return dark ? "#30d158" : "#34c759"
        default: return dark ? "#5e5ce6" : "#5856d6"
        }
    }

    // A symbol image tinted with a colour (see SymbolImageProvider).
    function symbol(name, colour) {
        return "image://symbol/" + name + "/" + String(colour).substring(1)
    }

    // Text sizes are given in pixels of the layout; Qt takes fractional sizes
    // in points only, so convert through the primary screen's logical DPI.
    readonly property real pointsPerPixel: {
        const screens = Qt.application.screens
        const dpi = screens.length > 0 ? Math.round(screens[0].logicalPixelDensity * 25.4) : 96
        return 72 / (dpi > 0 ? dpi : 96)
    }
    function pt(pixels) {
        return pixels * pointsPerPixel
    }

    // Symbols are drawn in a square a little taller than text of the same size.
    function symbolSide(pixels) {
        return Math.round(pixels * 1.3)
    }

    // The colour-temperature track, warm at the left and cool at the right.
    readonly property Gradient temperatureGradient: Gradient {
        orientation: Gradient.Horizontal
        GradientStop { position: 0.0; color: Qt.rgba(1.0, 0.42, 0.10, 1) }
        GradientStop { position: 1 / 3; color: Qt.rgba(1.0, 0.70, 0.36, 1) }
        GradientStop { position: 2 / 3; color: Qt.rgba(1.0, 0.90, 0.76, 1) }
        GradientStop { position: 1.0; color: Qt.rgba(0.80, 0.90, 1.00, 1) }
    }

    readonly property int popoverWidth: 280
    readonly property int pageInset: 10
    readonly property int rowIconSize: 28
    readonly property int rowRadius: 8
    readonly property int footerRadius: 6
}
