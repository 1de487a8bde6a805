<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>AutostartLoginItem</name>
    <message>
        <source>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</source>
        <translation>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Display this help and exit.</source>
        <translation>Display this help and exit.</translation>
    </message>
    <message>
        <source>Display the version and exit.</source>
        <translation>Display the version and exit.</translation>
    </message>
    <message>
        <source>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</translation>
    </message>
    <message>
        <source>Open the popover; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Open the popover; starts Halvoscope when it is not running and a display is there.</translation>
    </message>
    <message>
        <source>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</source>
        <translation>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</translation>
    </message>
    <message>
        <source>Quit the running instance, which restores every display first.</source>
        <translation>Quit the running instance, which restores every display first.</translation>
    </message>
    <message>
        <source>Display color presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</source>
        <translation>Display colour presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unexpected argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--list and --quit go alone, without --preset or --show.</source>
        <translation>--list and --quit go alone, without --preset or --show.</translation>
    </message>
    <message>
        <source>Preset ids: %1</source>
        <translation>Preset ids: %1</translation>
    </message>
    <message>
        <source>Try &apos;halvoscope --help&apos;.</source>
        <translation>Try 'halvoscope --help'.</translation>
    </message>
</context>
<context>
    <name>DisplayColorEngine</name>
    <message>
        <source>Another program keeps changing the colors of %1. Halvoscope leaves them to it until the next preset change.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, HDMI-1&quot;).</extracomment>
        <translation>Another program keeps changing the colours of %1. Halvoscope leaves them to it until the next preset change.</translation>
    </message>
    <message>
        <source>every screen (no display server whose colors can be changed)</source>
        <translation>every screen (no display server whose colours can be changed)</translation>
    </message>
</context>
<context>
    <name>DisplayProbe</name>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</translation>
    </message>
    <message>
        <source>the X display %1 does not answer.</source>
        <translation>the X display %1 does not answer.</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set).</source>
        <translation>no Wayland display (WAYLAND_DISPLAY is not set).</translation>
    </message>
</context>
<context>
    <name>DrillDownHeader</name>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>HalvoApp</name>
    <message>
        <source>The display server offers no way to change the screen&apos;s colors (no XRandR). Presets still set brightness and Keep Awake.</source>
        <translation>The display server offers no way to change the screen&apos;s colours (no XRandR). Presets still set brightness and Keep Awake.</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors: %1</source>
        <translation>Halvoscope cannot change the screen&apos;s colours: %1</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors</source>
        <translation>Halvoscope cannot change the screen&apos;s colours</translation>
    </message>
    <message>
        <source>Halvoscope could not save its settings</source>
        <translation>Halvoscope could not save its settings</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>Writing %1 failed: %2</translation>
    </message>
    <message>
        <source>Halvoscope is running</source>
        <translation>Halvoscope is running</translation>
    </message>
    <message>
        <source>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</source>
        <translation>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</translation>
    </message>
    <message>
        <source>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</translation>
    </message>
    <message>
        <source>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</source>
        <translation>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</translation>
    </message>
    <message>
        <source>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</source>
        <translation>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</translation>
    </message>
    <message>
        <source>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</source>
        <translation>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</translation>
    </message>
    <message>
        <source>For an icon, add the system tray (notification area) to a panel.</source>
        <translation>For an icon, add the system tray (notification area) to a panel.</translation>
    </message>
    <message>
        <source>For an icon, run a panel with a system tray (for example trayer or stalonetray).</source>
        <translation>For an icon, run a panel with a system tray (for example trayer or stalonetray).</translation>
    </message>
</context>
<context>
    <name>HalvoBusService</name>
    <message>
        <source>%1 is chosen, but no screen shows it: %2.</source>
        <translation>%1 is chosen, but no screen shows it: %2.</translation>
    </message>
</context>
<context>
    <name>HalvoPreset</name>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Red Light</source>
        <translation>Red Light</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>Candle</translation>
    </message>
    <message>
        <source>Black &amp; White</source>
        <translation>Black &amp; White</translation>
    </message>
    <message>
        <source>Color Ink</source>
        <translation>Colour Ink</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vivid</translation>
    </message>
    <message>
        <source>Custom Preset</source>
        <translation>Custom Preset</translation>
    </message>
</context>
<context>
    <name>HalvoStore</name>
    <message>
        <source>Unable to inhibit screen blanking to keep display awake.</source>
        <translation>Unable to inhibit screen blanking to keep display awake.</translation>
    </message>
    <message>
        <source>No login-item service is available.</source>
        <translation>No login-item service is available.</translation>
    </message>
    <message>
        <source>Unable to update Launch at Login: %1</source>
        <extracomment>%1 is the reason the desktop&apos;s autostart gave.</extracomment>
        <translation>Unable to update Launch at Login: %1</translation>
    </message>
</context>
<context>
    <name>LocaleFormat</name>
    <message>
        <source>%1 K</source>
        <extracomment>A colour temperature; %1 is the number of kelvin with the locale&apos;s grouping.</extracomment>
        <translation>%1 K</translation>
    </message>
    <message>
        <source>%1%</source>
        <extracomment>A saturation or brightness; %1 is the number.</extracomment>
        <translation>%1%</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <extracomment>%1 is a preset&apos;s name, %2 its colour temperature (&quot;1,000 K&quot;).</extracomment>
        <translation>%1 · %2</translation>
    </message>
</context>
<context>
    <name>LoginItemPage</name>
    <message>
        <source>Start Halvoscope at Login</source>
        <translation>Start Halvoscope at Login</translation>
    </message>
    <message>
        <source>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</source>
        <translation>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</translation>
    </message>
    <message>
        <source>Open Halvoscope at Login</source>
        <translation>Open Halvoscope at Login</translation>
    </message>
    <message>
        <source>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</source>
        <translation>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</translation>
    </message>
    <message>
        <source>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</source>
        <translation>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</translation>
    </message>
</context>
<context>
    <name>MainPresetsModel</name>
    <message>
        <source>%1 · %2</source>
        <extracomment>%1 is the colour temperature (&quot;6,500 K&quot;), %2 the saturation (&quot;100%&quot;).</extracomment>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>Applying…</source>
        <translation>Applying…</translation>
    </message>
    <message>
        <source>On</source>
        <translation>On</translation>
    </message>
</context>
<context>
    <name>MainPresetsView</name>
    <message>
        <source>Keep Awake</source>
        <translation>Keep Awake</translation>
    </message>
    <message>
        <source>Halvoscope Settings…</source>
        <translation>Halvoscope Settings…</translation>
    </message>
    <message>
        <source>Quit Halvoscope</source>
        <translation>Quit Halvoscope</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <extracomment>The key that quits, as the keyboard labels it.</extracomment>
        <translation>Ctrl+Q</translation>
    </message>
</context>
<context>
    <name>NightLightStage</name>
    <message>
        <source>GNOME Night Light</source>
        <translation>GNOME Night Light</translation>
    </message>
    <message>
        <source>KDE Plasma Night Light</source>
        <translation>KDE Plasma Night Light</translation>
    </message>
    <message>
        <source>%1 can&apos;t show this preset: its settings are locked against changes.</source>
        <translation>%1 can&apos;t show this preset: its settings are locked against changes.</translation>
    </message>
    <message>
        <source>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</source>
        <translation>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</translation>
    </message>
    <message>
        <source>%1 could not be put back as you had it; Halvoscope will try again at its next start.</source>
        <translation>%1 could not be put back as you had it; Halvoscope will try again at its next start.</translation>
    </message>
</context>
<context>
    <name>OnboardingModel</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Welcome to Halvoscope</translation>
    </message>
    <message>
        <source>Open at Login</source>
        <translation>Open at Login</translation>
    </message>
    <message>
        <source>Custom Ripple Animation</source>
        <translation>Custom Ripple Animation</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The step counter: %1 is this step&apos;s number, %2 how many steps there are.</extracomment>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Get Started →</source>
        <translation>Get Started →</translation>
    </message>
    <message>
        <source>Continue →</source>
        <translation>Continue →</translation>
    </message>
    <message>
        <source>Start Using Halvoscope</source>
        <translation>Start Using Halvoscope</translation>
    </message>
    <message>
        <source>Enabled · Launches quietly in your system tray</source>
        <translation>Enabled · Launches quietly in your system tray</translation>
    </message>
    <message>
        <source>Off · Open Halvoscope manually from Applications</source>
        <translation>Off · Open Halvoscope manually from Applications</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>← Back</source>
        <translation>← Back</translation>
    </message>
    <message>
        <source>Skip for Now</source>
        <translation>Skip for Now</translation>
    </message>
</context>
<context>
    <name>PlatformFactory</name>
    <message>
        <source>The Wayland compositor offers no gamma control, so the screen&apos;s colors cannot be changed. Presets still set brightness and Keep Awake.</source>
        <translation>The Wayland compositor offers no gamma control, so the screen&apos;s colours cannot be changed. Presets still set brightness and Keep Awake.</translation>
    </message>
</context>
<context>
    <name>PresetEditorModel</name>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Unavailable</translation>
    </message>
    <message>
        <source>Keep system display level</source>
        <translation>Keep system display level</translation>
    </message>
    <message>
        <source>Unavailable on this display</source>
        <translation>Unavailable on this display</translation>
    </message>
</context>
<context>
    <name>PresetEditorView</name>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>Preset Name</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Preset name</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Colour Temperature</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>Warm</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>Cool</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Greyscale</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vivid</translation>
    </message>
    <message>
        <source>Auto Brightness</source>
        <translation>Auto Brightness</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Delete Preset</translation>
    </message>
</context>
<context>
    <name>PresetRow</name>
    <message>
        <source>Adjust %1</source>
        <translation>Adjust %1</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running Halvoscope can be reached.</source>
        <translation>There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running Halvoscope can be reached.</translation>
    </message>
    <message>
        <source>Halvoscope is not running on this session bus.</source>
        <translation>Halvoscope is not running on this session bus.</translation>
    </message>
    <message>
        <source>Halvoscope is running but did not answer: %1</source>
        <translation>Halvoscope is running but did not answer: %1</translation>
    </message>
    <message>
        <source>No preset with id “%1”. Valid ids: %2</source>
        <translation>No preset with id “%1”. Valid ids: %2</translation>
    </message>
</context>
<context>
    <name>RipplePage</name>
    <message>
        <source>Optical Water-Ripple Animation</source>
        <translation>Optical Water-Ripple Animation</translation>
    </message>
    <message>
        <source>Active ✓</source>
        <translation>Active ✓</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Optional</translation>
    </message>
    <message>
        <source>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.</source>
        <translation>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard colour fade.</translation>
    </message>
    <message>
        <source>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</source>
        <translation>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</translation>
    </message>
    <message>
        <source>Screen capture available — Optical Water-Ripple is ready!</source>
        <translation>Screen capture available — Optical Water-Ripple is ready!</translation>
    </message>
    <message>
        <source>No screen capture in this session — the ripple fades instead.</source>
        <translation>No screen capture in this session — the ripple fades instead.</translation>
    </message>
    <message>
        <source>Enable Ripple &amp; Allow Capture…</source>
        <translation>Enable Ripple &amp; Allow Capture…</translation>
    </message>
    <message>
        <source>Relaunch &amp; Finish</source>
        <translation>Relaunch &amp; Finish</translation>
    </message>
    <message>
        <source>Turn On GNOME Shell Extension</source>
        <translation>Turn On GNOME Shell Extension</translation>
    </message>
</context>
<context>
    <name>RipplePreview</name>
    <message>
        <source>Click preview to test ripple</source>
        <translation>Click preview to test ripple</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Optical Refraction</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Daily Schedule</source>
        <translation>Daily Schedule</translation>
    </message>
    <message>
        <source>Automatic Switching</source>
        <translation>Automatic Switching</translation>
    </message>
    <message>
        <source>First Switch</source>
        <translation>First Switch</translation>
    </message>
    <message>
        <source>Second Switch</source>
        <translation>Second Switch</translation>
    </message>
    <message>
        <source>Applies once per scheduled period and won&apos;t override manual changes.</source>
        <translation>Applies once per scheduled period and won&apos;t override manual changes.</translation>
    </message>
    <message>
        <source>Save Schedule</source>
        <translation>Save Schedule</translation>
    </message>
    <message>
        <source>Not saved yet: Back leaves the schedule as it was.</source>
        <translation>Not saved yet: Back leaves the schedule as it was.</translation>
    </message>
</context>
<context>
    <name>ScreenCapabilityText</name>
    <message>
        <source>Saturation isn&apos;t available with %1: it shows the temperature only.</source>
        <extracomment>%1 is the desktop&apos;s night light (&quot;GNOME Night Light&quot;).</extracomment>
        <translation>Saturation isn&apos;t available with %1: it shows the temperature only.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1: it shows the temperature only.</source>
        <extracomment>%1 is a screen&apos;s name (&quot;DP-1&quot;).</extracomment>
        <translation>Saturation isn&apos;t available on %1: it shows the temperature only.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, DP-2&quot;), %2 the last screen.</extracomment>
        <translation>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 — color matrix</source>
        <extracomment>%1 is a screen&apos;s name.</extracomment>
        <translation>%1 — colour matrix</translation>
    </message>
    <message>
        <source>%1 — gamma (temperature only)</source>
        <translation>%1 — gamma (temperature only)</translation>
    </message>
    <message>
        <source>%1 — compositor gamma (temperature only)</source>
        <translation>%1 — compositor gamma (temperature only)</translation>
    </message>
    <message>
        <source>%1 (temperature only)</source>
        <translation>%1 (temperature only)</translation>
    </message>
    <message>
        <source>Halvoscope can&apos;t change the screens&apos; colors here. Presets still set brightness and Keep Awake.</source>
        <translation>Halvoscope can&apos;t change the screens&apos; colours here. Presets still set brightness and Keep Awake.</translation>
    </message>
    <message>
        <source>%1 — color filter</source>
        <translation>%1 — colour filter</translation>
    </message>
    <message>
        <source>%1 — does not accept color changes (no color tables, or another program holds them)</source>
        <translation>%1 — does not accept colour changes (no colour tables, or another program holds them)</translation>
    </message>
    <message>
        <source>%1 — colors controlled by another program</source>
        <translation>%1 — colours controlled by another program</translation>
    </message>
    <message>
        <source>Full color on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</source>
        <translation>Full colour on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</translation>
    </message>
    <message>
        <source>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</source>
        <translation>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension for full color and an icon in the top bar.</source>
        <translation>Turn on the GNOME Shell extension for full colour and an icon in the top bar.</translation>
    </message>
    <message>
        <source>GNOME Shell extension: on</source>
        <translation>GNOME Shell extension: on</translation>
    </message>
    <message>
        <source>The GNOME Shell extension could not start: %1</source>
        <extracomment>%1 is what GNOME Shell reported.</extracomment>
        <translation>The GNOME Shell extension could not start: %1</translation>
    </message>
    <message>
        <source>GNOME Shell extensions are switched off. Turn them on for full color.</source>
        <translation>GNOME Shell extensions are switched off. Turn them on for full colour.</translation>
    </message>
    <message>
        <source>%1 (temperature only: KWin refused Halvoscope&apos;s color filter)</source>
        <translation>%1 (temperature only: KWin refused Halvoscope&apos;s colour filter)</translation>
    </message>
</context>
<context>
    <name>ScreenColorPath</name>
    <message>
        <source>GNOME Shell</source>
        <translation>GNOME Shell</translation>
    </message>
</context>
<context>
    <name>SettingsModel</name>
    <message>
        <source>On</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Checking…</translation>
    </message>
    <message>
        <source>v%1</source>
        <extracomment>%1 is the version number.</extracomment>
        <translation>v%1</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>New Custom Preset</source>
        <translation>New Custom Preset</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Preset name</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Tray Menu Presets</source>
        <translation>Tray Menu Presets</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Daily Schedule</source>
        <translation>Daily Schedule</translation>
    </message>
    <message>
        <source>Setup Guide…</source>
        <translation>Setup Guide…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Check for Updates…</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Ripple Animation</source>
        <translation>Ripple Animation</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Optical Refraction</translation>
    </message>
    <message>
        <source>Water-ripple distortion active</source>
        <translation>Water-ripple distortion active</translation>
    </message>
    <message>
        <source>No screen capture — the ripple fades</source>
        <translation>No screen capture — the ripple fades</translation>
    </message>
    <message>
        <source>Grant Screen Capture…</source>
        <translation>Grant Screen Capture…</translation>
    </message>
    <message>
        <source>Relaunch</source>
        <translation>Relaunch</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Launch at Login</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>Edit %1</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>Turn On</translation>
    </message>
</context>
<context>
    <name>StatePersistence</name>
    <message>
        <source>Could not create the folder &quot;%1&quot;</source>
        <translation>Could not create the folder &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>StatusIcon</name>
    <message>
        <source>Keeping Awake</source>
        <translation>Keeping Awake</translation>
    </message>
    <message>
        <source>Right-click to return to Standard</source>
        <translation>Right-click to return to Standard</translation>
    </message>
</context>
<context>
    <name>TimeStepperField</name>
    <message>
        <source>Increment</source>
        <translation>Increment</translation>
    </message>
    <message>
        <source>Decrement</source>
        <translation>Decrement</translation>
    </message>
    <message>
        <source>%1, hour</source>
        <translation>%1, hour</translation>
    </message>
    <message>
        <source>%1, minute</source>
        <translation>%1, minute</translation>
    </message>
    <message>
        <source>%1, AM or PM</source>
        <translation>%1, AM or PM</translation>
    </message>
</context>
<context>
    <name>UpdateAlert</name>
    <message>
        <source>Halvoscope %1 is Available</source>
        <extracomment>%1 is the new version number.</extracomment>
        <translation>Halvoscope %1 is Available</translation>
    </message>
    <message>
        <source>You are currently running Halvoscope %1.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>You are currently running Halvoscope %1.</translation>
    </message>
    <message>
        <source>What&apos;s new:</source>
        <translation>What&apos;s new:</translation>
    </message>
    <message>
        <source>Download Update</source>
        <translation>Download Update</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>You&apos;re Up to Date</source>
        <translation>You&apos;re Up to Date</translation>
    </message>
    <message>
        <source>Halvoscope %1 is currently the newest version available.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Halvoscope %1 is currently the newest version available.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Couldn&apos;t Check for Updates</source>
        <translation>Couldn&apos;t Check for Updates</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Unable to reach %1. Check your internet connection and try again.</source>
        <extracomment>%1 is the update server&apos;s host name.</extracomment>
        <translation>Unable to reach %1. Check your internet connection and try again.</translation>
    </message>
</context>
<context>
    <name>WaylandColorStage</name>
    <message>
        <source>Another program controls the colors of %1, so Halvoscope cannot change them.</source>
        <translation>Another program controls the colours of %1, so Halvoscope cannot change them.</translation>
    </message>
    <message>
        <source>%1 does not accept color changes: it takes no color tables, or another program holds them.</source>
        <translation>%1 does not accept colour changes: it takes no colour tables, or another program holds them.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Welcome to Halvoscope</translation>
    </message>
    <message>
        <source>Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.</source>
        <translation>Instant display colour presets, late-night Red Light, and Keep Awake — right from your desktop panel.</translation>
    </message>
    <message>
        <source>One-Click Moods &amp; Custom Presets</source>
        <translation>One-Click Moods &amp; Custom Presets</translation>
    </message>
    <message>
        <source>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</source>
        <translation>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</translation>
    </message>
    <message>
        <source>Daily Schedule &amp; Keep Awake</source>
        <translation>Daily Schedule &amp; Keep Awake</translation>
    </message>
    <message>
        <source>Warm your screen at the times you choose and prevent sleep with one switch.</source>
        <translation>Warm your screen at the times you choose and prevent sleep with one switch.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Halvoscope is not running, and cannot start here: %1</source>
        <translation>Halvoscope is not running, and cannot start here: %1</translation>
    </message>
</context>
</TS>
