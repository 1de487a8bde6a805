<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AutostartLoginItem</name>
    <message>
        <source>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</source>
        <translation>Aus · Halvoscope läuft aus seinem Build-Ordner; um es bei der Anmeldung zu starten, installieren Sie es (make install oder das Paket)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Display this help and exit.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Display the version and exit.</source>
        <translation>Die Version anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Die Voreinstellung mit dieser Kennung aktivieren, wie ein Klick auf ihre Zeile; startet Halvoscope, wenn es nicht läuft und ein Bildschirm da ist.</translation>
    </message>
    <message>
        <source>Open the popover; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Das Aufklappfenster öffnen; startet Halvoscope, wenn es nicht läuft und ein Bildschirm da ist.</translation>
    </message>
    <message>
        <source>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</source>
        <translation>Die Voreinstellungen der laufenden Instanz auflisten, eine pro Zeile: Kennung, Tabulator, Name; die aktive ist mit * markiert.</translation>
    </message>
    <message>
        <source>Quit the running instance, which restores every display first.</source>
        <translation>Die laufende Instanz beenden, die zuvor jeden Bildschirm wiederherstellt.</translation>
    </message>
    <message>
        <source>Display color presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</source>
        <translation>Farbvoreinstellungen für den Bildschirm, Rotlicht und Wachhalten aus dem Systembereich. Ein zweiter Start gibt seine Anfrage über D-Bus an die laufende Instanz weiter; --preset, --show, --list und --quit brauchen keinen Bildschirm, solange eine Instanz läuft.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument »%1«.</translation>
    </message>
    <message>
        <source>--list and --quit go alone, without --preset or --show.</source>
        <translation>--list und --quit stehen allein, ohne --preset oder --show.</translation>
    </message>
    <message>
        <source>Preset ids: %1</source>
        <translation>Kennungen der Voreinstellungen: %1</translation>
    </message>
    <message>
        <source>Try &apos;halvoscope --help&apos;.</source>
        <translation>Versuchen Sie »halvoscope --help«.</translation>
    </message>
</context>
<context>
    <name>DisplayColorEngine</name>
    <message>
        <source>Another program keeps changing the colors of %1. Halvoscope leaves them to it until the next preset change.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, HDMI-1&quot;).</extracomment>
        <translation>Ein anderes Programm ändert immer wieder die Farben von %1. Halvoscope überlässt sie ihm bis zum nächsten Wechsel der Voreinstellung.</translation>
    </message>
    <message>
        <source>every screen (no display server whose colors can be changed)</source>
        <translation>jeder Bildschirm (kein Display-Server, dessen Farben sich ändern lassen)</translation>
    </message>
</context>
<context>
    <name>DisplayProbe</name>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>kein Bildschirm (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).</translation>
    </message>
    <message>
        <source>the X display %1 does not answer.</source>
        <translation>der X-Bildschirm %1 antwortet nicht.</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set).</source>
        <translation>kein Wayland-Bildschirm (WAYLAND_DISPLAY ist nicht gesetzt).</translation>
    </message>
</context>
<context>
    <name>DrillDownHeader</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>HalvoApp</name>
    <message>
        <source>The display server offers no way to change the screen&apos;s colors (no XRandR). Presets still set brightness and Keep Awake.</source>
        <translation>Der Display-Server bietet keine Möglichkeit, die Bildschirmfarben zu ändern (kein XRandR). Voreinstellungen setzen weiterhin Helligkeit und Wachhalten.</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors: %1</source>
        <translation>Halvoscope kann die Bildschirmfarben nicht ändern: %1</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors</source>
        <translation>Halvoscope kann die Bildschirmfarben nicht ändern</translation>
    </message>
    <message>
        <source>Halvoscope could not save its settings</source>
        <translation>Halvoscope konnte seine Einstellungen nicht speichern</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>Schreiben von %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>Halvoscope is running</source>
        <translation>Halvoscope läuft</translation>
    </message>
    <message>
        <source>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</source>
        <translation>Keine Leiste zeigt sein Symbol. Um Halvoscope zu öffnen, starten Sie es erneut oder führen Sie »halvoscope --show« aus. %1</translation>
    </message>
    <message>
        <source>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>Für ein Symbol in der oberen Leiste aktivieren Sie die GNOME-Shell-Erweiterung von Halvoscope (gnome-extensions enable halvoscope@corvanta.com) oder die AppIndicator-Erweiterung (Paket gnome-shell-extension-appindicator).</translation>
    </message>
    <message>
        <source>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</source>
        <translation>Für ein Symbol fügen Sie einer Leiste das Miniprogramm »Systemabschnitt der Kontrollleiste« hinzu (Rechtsklick auf die Leiste, Miniprogramme hinzufügen).</translation>
    </message>
    <message>
        <source>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</source>
        <translation>Für ein Symbol fügen Sie einer Leiste die Erweiterung »Statusbenachrichtigungen« hinzu (Leiste, Neue Elemente hinzufügen).</translation>
    </message>
    <message>
        <source>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</source>
        <translation>Für ein Symbol geben Sie der Leiste einen Systembereich: tray_output von swaybar oder das tray-Modul von Waybar.</translation>
    </message>
    <message>
        <source>For an icon, add the system tray (notification area) to a panel.</source>
        <translation>Für ein Symbol fügen Sie einer Leiste den Systembereich (Benachrichtigungsfeld) hinzu.</translation>
    </message>
    <message>
        <source>For an icon, run a panel with a system tray (for example trayer or stalonetray).</source>
        <translation>Für ein Symbol starten Sie eine Leiste mit Systembereich (zum Beispiel trayer oder stalonetray).</translation>
    </message>
</context>
<context>
    <name>HalvoBusService</name>
    <message>
        <source>%1 is chosen, but no screen shows it: %2.</source>
        <translation>%1 ist gewählt, aber kein Bildschirm zeigt es: %2.</translation>
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
        <translation>Rotlicht</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>Kerze</translation>
    </message>
    <message>
        <source>Black &amp; White</source>
        <translation>Schwarzweiß</translation>
    </message>
    <message>
        <source>Color Ink</source>
        <translation>Farbtinte</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Lebhaft</translation>
    </message>
    <message>
        <source>Custom Preset</source>
        <translation>Eigene Voreinstellung</translation>
    </message>
</context>
<context>
    <name>HalvoStore</name>
    <message>
        <source>Unable to inhibit screen blanking to keep display awake.</source>
        <translation>Das Abschalten des Bildschirms kann nicht verhindert werden, um ihn wach zu halten.</translation>
    </message>
    <message>
        <source>No login-item service is available.</source>
        <translation>Es ist kein Dienst für den automatischen Start verfügbar.</translation>
    </message>
    <message>
        <source>Unable to update Launch at Login: %1</source>
        <extracomment>%1 is the reason the desktop&apos;s autostart gave.</extracomment>
        <translation>»Bei Anmeldung starten« kann nicht geändert werden: %1</translation>
    </message>
</context>
<context>
    <name>LocaleFormat</name>
    <message>
        <source>%1 K</source>
        <extracomment>A colour temperature; %1 is the number of kelvin with the locale&apos;s grouping.</extracomment>
        <translation>%1&#xa0;K</translation>
    </message>
    <message>
        <source>%1%</source>
        <extracomment>A saturation or brightness; %1 is the number.</extracomment>
        <translation>%1&#xa0;%</translation>
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
        <translation>Halvoscope bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</source>
        <translation>Halten Sie Halvoscope bei jeder Anmeldung im Systembereich bereit, damit Ihr Tagesplan und das abendliche Rotlicht automatisch laufen.</translation>
    </message>
    <message>
        <source>Open Halvoscope at Login</source>
        <translation>Halvoscope bei Anmeldung öffnen</translation>
    </message>
    <message>
        <source>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</source>
        <translation>Nutzt den üblichen Autostart der Arbeitsumgebung – keine zusätzlichen Berechtigungen nötig, und Sie können ihn jederzeit in den Einstellungen ausschalten.</translation>
    </message>
    <message>
        <source>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</source>
        <translation>Tipp: Halvoscope wartet still im Systembereich Ihrer Leiste. Ein Rechtsklick auf das Glühbirnensymbol bringt Sie jederzeit direkt zurück zu Standard.</translation>
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
        <translation>Wird angewendet …</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
</context>
<context>
    <name>MainPresetsView</name>
    <message>
        <source>Keep Awake</source>
        <translation>Wach halten</translation>
    </message>
    <message>
        <source>Halvoscope Settings…</source>
        <translation>Halvoscope-Einstellungen …</translation>
    </message>
    <message>
        <source>Quit Halvoscope</source>
        <translation>Halvoscope beenden</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <extracomment>The key that quits, as the keyboard labels it.</extracomment>
        <translation>Strg+Q</translation>
    </message>
</context>
<context>
    <name>NightLightStage</name>
    <message>
        <source>GNOME Night Light</source>
        <translation>GNOME-Nachtlicht</translation>
    </message>
    <message>
        <source>KDE Plasma Night Light</source>
        <translation>Nachtfarben von KDE Plasma</translation>
    </message>
    <message>
        <source>%1 can&apos;t show this preset: its settings are locked against changes.</source>
        <translation>%1 kann diese Voreinstellung nicht zeigen: Seine Einstellungen sind gegen Änderungen gesperrt.</translation>
    </message>
    <message>
        <source>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</source>
        <translation>%1 wurde außerhalb von Halvoscope geändert: Ihre Änderung bleibt, und die übrigen Nachtlicht-Einstellungen sind wieder, wie Sie sie hatten.</translation>
    </message>
    <message>
        <source>%1 could not be put back as you had it; Halvoscope will try again at its next start.</source>
        <translation>%1 konnte nicht wiederhergestellt werden; Halvoscope versucht es beim nächsten Start erneut.</translation>
    </message>
</context>
<context>
    <name>OnboardingModel</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Willkommen bei Halvoscope</translation>
    </message>
    <message>
        <source>Open at Login</source>
        <translation>Bei Anmeldung öffnen</translation>
    </message>
    <message>
        <source>Custom Ripple Animation</source>
        <translation>Eigene Wellenanimation</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The step counter: %1 is this step&apos;s number, %2 how many steps there are.</extracomment>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Get Started →</source>
        <translation>Los geht’s →</translation>
    </message>
    <message>
        <source>Continue →</source>
        <translation>Weiter →</translation>
    </message>
    <message>
        <source>Start Using Halvoscope</source>
        <translation>Halvoscope verwenden</translation>
    </message>
    <message>
        <source>Enabled · Launches quietly in your system tray</source>
        <translation>Aktiviert · Startet still im Systembereich</translation>
    </message>
    <message>
        <source>Off · Open Halvoscope manually from Applications</source>
        <translation>Aus · Halvoscope selbst aus den Anwendungen öffnen</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>← Back</source>
        <translation>← Zurück</translation>
    </message>
    <message>
        <source>Skip for Now</source>
        <translation>Vorerst überspringen</translation>
    </message>
</context>
<context>
    <name>PlatformFactory</name>
    <message>
        <source>The Wayland compositor offers no gamma control, so the screen&apos;s colors cannot be changed. Presets still set brightness and Keep Awake.</source>
        <translation>Der Wayland-Compositor bietet keine Gamma-Steuerung, daher können die Bildschirmfarben nicht geändert werden. Voreinstellungen setzen weiterhin Helligkeit und Wachhalten.</translation>
    </message>
</context>
<context>
    <name>PresetEditorModel</name>
    <message>
        <source>Preset</source>
        <translation>Voreinstellung</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Nicht verfügbar</translation>
    </message>
    <message>
        <source>Keep system display level</source>
        <translation>Helligkeit des Systems beibehalten</translation>
    </message>
    <message>
        <source>Unavailable on this display</source>
        <translation>Auf diesem Bildschirm nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>PresetEditorView</name>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>Name der Voreinstellung</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Farbtemperatur</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>Warm</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>Kalt</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Graustufen</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Lebhaft</translation>
    </message>
    <message>
        <source>Auto Brightness</source>
        <translation>Automatische Helligkeit</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Bildschirm</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Voreinstellung löschen</translation>
    </message>
</context>
<context>
    <name>PresetRow</name>
    <message>
        <source>Adjust %1</source>
        <translation>%1 anpassen</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running Halvoscope can be reached.</source>
        <translation>Hier gibt es keinen D-Bus-Sitzungsbus (DBUS_SESSION_BUS_ADDRESS), daher ist kein laufendes Halvoscope erreichbar.</translation>
    </message>
    <message>
        <source>Halvoscope is not running on this session bus.</source>
        <translation>Halvoscope läuft nicht auf diesem Sitzungsbus.</translation>
    </message>
    <message>
        <source>Halvoscope is running but did not answer: %1</source>
        <translation>Halvoscope läuft, hat aber nicht geantwortet: %1</translation>
    </message>
    <message>
        <source>No preset with id “%1”. Valid ids: %2</source>
        <translation>Keine Voreinstellung mit der Kennung „%1“. Gültige Kennungen: %2</translation>
    </message>
</context>
<context>
    <name>RipplePage</name>
    <message>
        <source>Optical Water-Ripple Animation</source>
        <translation>Optische Wasserwellen-Animation</translation>
    </message>
    <message>
        <source>Active ✓</source>
        <translation>Aktiv ✓</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Optional</translation>
    </message>
    <message>
        <source>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.</source>
        <translation>Beim Wechsel der Voreinstellung kann Halvoscope statt einer einfachen Farbüberblendung eine live auf der GPU berechnete Wasserwelle über Ihren Bildschirm laufen lassen.</translation>
    </message>
    <message>
        <source>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</source>
        <translation>Warum Halvoscope den Bildschirm aufnimmt: um während des 3-sekündigen Übergangs die aktuellen Bildschirmpixel zu brechen. Nichts wird jemals aufgezeichnet, gespeichert oder von Ihrem Rechner gesendet.</translation>
    </message>
    <message>
        <source>Screen capture available — Optical Water-Ripple is ready!</source>
        <translation>Bildschirmaufnahme verfügbar – die optische Wasserwelle ist bereit!</translation>
    </message>
    <message>
        <source>No screen capture in this session — the ripple fades instead.</source>
        <translation>Keine Bildschirmaufnahme in dieser Sitzung – die Welle wird stattdessen überblendet.</translation>
    </message>
    <message>
        <source>Enable Ripple &amp; Allow Capture…</source>
        <translation>Welle aktivieren und Aufnahme erlauben …</translation>
    </message>
    <message>
        <source>Relaunch &amp; Finish</source>
        <translation>Neu starten und abschließen</translation>
    </message>
    <message>
        <source>Turn On GNOME Shell Extension</source>
        <translation>GNOME-Shell-Erweiterung einschalten</translation>
    </message>
</context>
<context>
    <name>RipplePreview</name>
    <message>
        <source>Click preview to test ripple</source>
        <translation>Zum Testen der Welle auf die Vorschau klicken</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Optische Brechung</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Daily Schedule</source>
        <translation>Tagesplan</translation>
    </message>
    <message>
        <source>Automatic Switching</source>
        <translation>Automatisch wechseln</translation>
    </message>
    <message>
        <source>First Switch</source>
        <translation>Erster Wechsel</translation>
    </message>
    <message>
        <source>Second Switch</source>
        <translation>Zweiter Wechsel</translation>
    </message>
    <message>
        <source>Applies once per scheduled period and won&apos;t override manual changes.</source>
        <translation>Greift einmal pro Zeitraum und überschreibt keine manuellen Änderungen.</translation>
    </message>
    <message>
        <source>Save Schedule</source>
        <translation>Plan speichern</translation>
    </message>
    <message>
        <source>Not saved yet: Back leaves the schedule as it was.</source>
        <translation>Noch nicht gespeichert: Mit »Zurück« bleibt der Plan, wie er war.</translation>
    </message>
</context>
<context>
    <name>ScreenCapabilityText</name>
    <message>
        <source>Saturation isn&apos;t available with %1: it shows the temperature only.</source>
        <extracomment>%1 is the desktop&apos;s night light (&quot;GNOME Night Light&quot;).</extracomment>
        <translation>Sättigung ist mit %1 nicht verfügbar: Nur die Farbtemperatur wird angezeigt.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1: it shows the temperature only.</source>
        <extracomment>%1 is a screen&apos;s name (&quot;DP-1&quot;).</extracomment>
        <translation>Sättigung ist auf %1 nicht verfügbar: Nur die Farbtemperatur wird angezeigt.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, DP-2&quot;), %2 the last screen.</extracomment>
        <translation>Sättigung ist auf %1 und %2 nicht verfügbar: Nur die Farbtemperatur wird angezeigt.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 — color matrix</source>
        <extracomment>%1 is a screen&apos;s name.</extracomment>
        <translation>%1 – Farbmatrix</translation>
    </message>
    <message>
        <source>%1 — gamma (temperature only)</source>
        <translation>%1 – Gamma (nur Farbtemperatur)</translation>
    </message>
    <message>
        <source>%1 — compositor gamma (temperature only)</source>
        <translation>%1 – Compositor-Gamma (nur Farbtemperatur)</translation>
    </message>
    <message>
        <source>%1 (temperature only)</source>
        <translation>%1 (nur Farbtemperatur)</translation>
    </message>
    <message>
        <source>Halvoscope can&apos;t change the screens&apos; colors here. Presets still set brightness and Keep Awake.</source>
        <translation>Halvoscope kann die Bildschirmfarben hier nicht ändern. Voreinstellungen setzen weiterhin Helligkeit und Wachhalten.</translation>
    </message>
    <message>
        <source>%1 — color filter</source>
        <translation>%1 – Farbfilter</translation>
    </message>
    <message>
        <source>%1 — does not accept color changes (no color tables, or another program holds them)</source>
        <translation>%1 – nimmt keine Farbänderungen an (keine Farbtabellen, oder ein anderes Programm hält sie)</translation>
    </message>
    <message>
        <source>%1 — colors controlled by another program</source>
        <translation>%1 – Farben von einem anderen Programm gesteuert</translation>
    </message>
    <message>
        <source>Full color on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</source>
        <translation>Volle Farben unter GNOME brauchen die GNOME-Shell-Erweiterung von Halvoscope, die nicht installiert ist.</translation>
    </message>
    <message>
        <source>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</source>
        <translation>Einmal ab- und wieder anmelden: GNOME Shell findet die neue Halvoscope-Erweiterung bei der Anmeldung.</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension for full color and an icon in the top bar.</source>
        <translation>Schalten Sie die GNOME-Shell-Erweiterung ein, für volle Farben und ein Symbol in der oberen Leiste.</translation>
    </message>
    <message>
        <source>GNOME Shell extension: on</source>
        <translation>GNOME-Shell-Erweiterung: ein</translation>
    </message>
    <message>
        <source>The GNOME Shell extension could not start: %1</source>
        <extracomment>%1 is what GNOME Shell reported.</extracomment>
        <translation>Die GNOME-Shell-Erweiterung konnte nicht starten: %1</translation>
    </message>
    <message>
        <source>GNOME Shell extensions are switched off. Turn them on for full color.</source>
        <translation>GNOME-Shell-Erweiterungen sind ausgeschaltet. Schalten Sie sie für volle Farben ein.</translation>
    </message>
    <message>
        <source>%1 (temperature only: KWin refused Halvoscope&apos;s color filter)</source>
        <translation>%1 (nur Farbtemperatur: KWin hat den Farbfilter von Halvoscope abgelehnt)</translation>
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
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft …</translation>
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
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>New Custom Preset</source>
        <translation>Neue eigene Voreinstellung</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Tray Menu Presets</source>
        <translation>Voreinstellungen im Menü</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Daily Schedule</source>
        <translation>Tagesplan</translation>
    </message>
    <message>
        <source>Setup Guide…</source>
        <translation>Einrichtungsassistent …</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Ripple Animation</source>
        <translation>Wellenanimation</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Optische Brechung</translation>
    </message>
    <message>
        <source>Water-ripple distortion active</source>
        <translation>Wasserwellen-Verzerrung aktiv</translation>
    </message>
    <message>
        <source>No screen capture — the ripple fades</source>
        <translation>Keine Bildschirmaufnahme – die Welle wird überblendet</translation>
    </message>
    <message>
        <source>Grant Screen Capture…</source>
        <translation>Bildschirmaufnahme erlauben …</translation>
    </message>
    <message>
        <source>Relaunch</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Bei Anmeldung starten</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 bearbeiten</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>Einschalten</translation>
    </message>
</context>
<context>
    <name>StatePersistence</name>
    <message>
        <source>Could not create the folder &quot;%1&quot;</source>
        <translation>Der Ordner „%1“ konnte nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>StatusIcon</name>
    <message>
        <source>Keeping Awake</source>
        <translation>Wird wach gehalten</translation>
    </message>
    <message>
        <source>Right-click to return to Standard</source>
        <translation>Rechtsklick für die Rückkehr zu Standard</translation>
    </message>
</context>
<context>
    <name>TimeStepperField</name>
    <message>
        <source>Increment</source>
        <translation>Erhöhen</translation>
    </message>
    <message>
        <source>Decrement</source>
        <translation>Verringern</translation>
    </message>
    <message>
        <source>%1, hour</source>
        <translation>%1, Stunde</translation>
    </message>
    <message>
        <source>%1, minute</source>
        <translation>%1, Minute</translation>
    </message>
    <message>
        <source>%1, AM or PM</source>
        <translation>%1, vormittags oder nachmittags</translation>
    </message>
</context>
<context>
    <name>UpdateAlert</name>
    <message>
        <source>Halvoscope %1 is Available</source>
        <extracomment>%1 is the new version number.</extracomment>
        <translation>Halvoscope %1 ist verfügbar</translation>
    </message>
    <message>
        <source>You are currently running Halvoscope %1.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Sie verwenden derzeit Halvoscope %1.</translation>
    </message>
    <message>
        <source>What&apos;s new:</source>
        <translation>Neuerungen:</translation>
    </message>
    <message>
        <source>Download Update</source>
        <translation>Aktualisierung herunterladen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>You&apos;re Up to Date</source>
        <translation>Sie sind auf dem neuesten Stand</translation>
    </message>
    <message>
        <source>Halvoscope %1 is currently the newest version available.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Halvoscope %1 ist derzeit die neueste verfügbare Version.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Couldn&apos;t Check for Updates</source>
        <translation>Suche nach Aktualisierungen fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Unable to reach %1. Check your internet connection and try again.</source>
        <extracomment>%1 is the update server&apos;s host name.</extracomment>
        <translation>%1 ist nicht erreichbar. Prüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>WaylandColorStage</name>
    <message>
        <source>Another program controls the colors of %1, so Halvoscope cannot change them.</source>
        <translation>Ein anderes Programm steuert die Farben von %1, daher kann Halvoscope sie nicht ändern.</translation>
    </message>
    <message>
        <source>%1 does not accept color changes: it takes no color tables, or another program holds them.</source>
        <translation>%1 nimmt keine Farbänderungen an: Es nimmt keine Farbtabellen, oder ein anderes Programm hält sie.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Willkommen bei Halvoscope</translation>
    </message>
    <message>
        <source>Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.</source>
        <translation>Sofortige Farbvoreinstellungen für den Bildschirm, Rotlicht für späte Stunden und Wachhalten – direkt aus Ihrer Leiste.</translation>
    </message>
    <message>
        <source>One-Click Moods &amp; Custom Presets</source>
        <translation>Stimmungen per Klick und eigene Voreinstellungen</translation>
    </message>
    <message>
        <source>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</source>
        <translation>Wechseln Sie zwischen Warm, Rotlicht, Schwarzweiß für konzentriertes Arbeiten, oder erstellen Sie Ihre eigenen.</translation>
    </message>
    <message>
        <source>Daily Schedule &amp; Keep Awake</source>
        <translation>Tagesplan und Wachhalten</translation>
    </message>
    <message>
        <source>Warm your screen at the times you choose and prevent sleep with one switch.</source>
        <translation>Machen Sie Ihren Bildschirm zu den gewählten Zeiten wärmer und verhindern Sie den Ruhezustand mit einem Schalter.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Halvoscope is not running, and cannot start here: %1</source>
        <translation>Halvoscope läuft nicht und kann hier nicht starten: %1</translation>
    </message>
</context>
</TS>
