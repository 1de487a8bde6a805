<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AutostartLoginItem</name>
    <message>
        <source>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</source>
        <translation>Desactivado · Halvoscope se ejecuta desde su carpeta de compilación; para abrirlo al iniciar sesión, instálelo (make install o el paquete)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Display this help and exit.</source>
        <translation>Mostrar esta ayuda y salir.</translation>
    </message>
    <message>
        <source>Display the version and exit.</source>
        <translation>Mostrar la versión y salir.</translation>
    </message>
    <message>
        <source>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Activar el ajuste con este identificador, como lo haría un clic en su fila; inicia Halvoscope si no está en ejecución y hay una pantalla.</translation>
    </message>
    <message>
        <source>Open the popover; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Abrir la ventana emergente; inicia Halvoscope si no está en ejecución y hay una pantalla.</translation>
    </message>
    <message>
        <source>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</source>
        <translation>Listar los ajustes de la instancia en ejecución, uno por línea: identificador, tabulador, nombre; el activo lleva un *.</translation>
    </message>
    <message>
        <source>Quit the running instance, which restores every display first.</source>
        <translation>Salir de la instancia en ejecución, que antes restablece todas las pantallas.</translation>
    </message>
    <message>
        <source>Display color presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</source>
        <translation>Ajustes de color de la pantalla, Luz roja y Mantener activo desde la bandeja del sistema. Un segundo inicio pasa su petición a la instancia en ejecución por D-Bus; --preset, --show, --list y --quit no necesitan pantalla mientras haya una instancia.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado «%1».</translation>
    </message>
    <message>
        <source>--list and --quit go alone, without --preset or --show.</source>
        <translation>--list y --quit van solos, sin --preset ni --show.</translation>
    </message>
    <message>
        <source>Preset ids: %1</source>
        <translation>Identificadores de ajustes: %1</translation>
    </message>
    <message>
        <source>Try &apos;halvoscope --help&apos;.</source>
        <translation>Pruebe «halvoscope --help».</translation>
    </message>
</context>
<context>
    <name>DisplayColorEngine</name>
    <message>
        <source>Another program keeps changing the colors of %1. Halvoscope leaves them to it until the next preset change.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, HDMI-1&quot;).</extracomment>
        <translation>Otro programa cambia una y otra vez los colores de %1. Halvoscope se los deja hasta el próximo cambio de ajuste.</translation>
    </message>
    <message>
        <source>every screen (no display server whose colors can be changed)</source>
        <translation>todas las pantallas (ningún servidor gráfico permite cambiar sus colores)</translation>
    </message>
</context>
<context>
    <name>DisplayProbe</name>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>no hay pantalla (no están definidas ni DISPLAY ni WAYLAND_DISPLAY).</translation>
    </message>
    <message>
        <source>the X display %1 does not answer.</source>
        <translation>la pantalla X %1 no responde.</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set).</source>
        <translation>no hay pantalla Wayland (WAYLAND_DISPLAY no está definida).</translation>
    </message>
</context>
<context>
    <name>DrillDownHeader</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
</context>
<context>
    <name>HalvoApp</name>
    <message>
        <source>The display server offers no way to change the screen&apos;s colors (no XRandR). Presets still set brightness and Keep Awake.</source>
        <translation>El servidor gráfico no permite cambiar los colores de la pantalla (no hay XRandR). Los ajustes siguen aplicando el brillo y Mantener activo.</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors: %1</source>
        <translation>Halvoscope no puede cambiar los colores de la pantalla: %1</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors</source>
        <translation>Halvoscope no puede cambiar los colores de la pantalla</translation>
    </message>
    <message>
        <source>Halvoscope could not save its settings</source>
        <translation>Halvoscope no ha podido guardar su configuración</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>No se ha podido escribir %1: %2</translation>
    </message>
    <message>
        <source>Halvoscope is running</source>
        <translation>Halvoscope se está ejecutando</translation>
    </message>
    <message>
        <source>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</source>
        <translation>Ningún panel muestra su icono. Para abrir Halvoscope, vuelva a iniciarlo o ejecute «halvoscope --show». %1</translation>
    </message>
    <message>
        <source>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>Para tener un icono en la barra superior, active la extensión de GNOME Shell de Halvoscope (gnome-extensions enable halvoscope@corvanta.com) o la extensión AppIndicator (paquete gnome-shell-extension-appindicator).</translation>
    </message>
    <message>
        <source>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</source>
        <translation>Para tener un icono, añada el elemento gráfico Bandeja del sistema a un panel (clic derecho en el panel, Añadir elementos gráficos).</translation>
    </message>
    <message>
        <source>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</source>
        <translation>Para tener un icono, añada el complemento Bandeja de estado a un panel (Panel, Añadir elementos nuevos).</translation>
    </message>
    <message>
        <source>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</source>
        <translation>Para tener un icono, dé una bandeja a la barra: tray_output de swaybar o el módulo tray de Waybar.</translation>
    </message>
    <message>
        <source>For an icon, add the system tray (notification area) to a panel.</source>
        <translation>Para tener un icono, añada la bandeja del sistema (área de notificación) a un panel.</translation>
    </message>
    <message>
        <source>For an icon, run a panel with a system tray (for example trayer or stalonetray).</source>
        <translation>Para tener un icono, ejecute un panel con bandeja del sistema (por ejemplo trayer o stalonetray).</translation>
    </message>
</context>
<context>
    <name>HalvoBusService</name>
    <message>
        <source>%1 is chosen, but no screen shows it: %2.</source>
        <translation>%1 está elegido, pero ninguna pantalla lo muestra: %2.</translation>
    </message>
</context>
<context>
    <name>HalvoPreset</name>
    <message>
        <source>Standard</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>Red Light</source>
        <translation>Luz roja</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>Vela</translation>
    </message>
    <message>
        <source>Black &amp; White</source>
        <translation>Blanco y negro</translation>
    </message>
    <message>
        <source>Color Ink</source>
        <translation>Tinta de color</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vívido</translation>
    </message>
    <message>
        <source>Custom Preset</source>
        <translation>Ajuste personalizado</translation>
    </message>
</context>
<context>
    <name>HalvoStore</name>
    <message>
        <source>Unable to inhibit screen blanking to keep display awake.</source>
        <translation>No se puede impedir que la pantalla se apague para mantenerla activa.</translation>
    </message>
    <message>
        <source>No login-item service is available.</source>
        <translation>No hay ningún servicio de inicio automático disponible.</translation>
    </message>
    <message>
        <source>Unable to update Launch at Login: %1</source>
        <extracomment>%1 is the reason the desktop&apos;s autostart gave.</extracomment>
        <translation>No se puede cambiar «Abrir al iniciar sesión»: %1</translation>
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
        <translation>Abrir Halvoscope al iniciar sesión</translation>
    </message>
    <message>
        <source>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</source>
        <translation>Tenga Halvoscope listo en la bandeja del sistema cada vez que inicie sesión, para que su programación diaria y la Luz roja de la noche se apliquen automáticamente.</translation>
    </message>
    <message>
        <source>Open Halvoscope at Login</source>
        <translation>Abrir Halvoscope al iniciar sesión</translation>
    </message>
    <message>
        <source>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</source>
        <translation>Usa el inicio automático estándar del escritorio: no necesita permisos adicionales y puede desactivarlo cuando quiera en Configuración.</translation>
    </message>
    <message>
        <source>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</source>
        <translation>Consejo: Halvoscope espera discretamente en la bandeja del sistema de su panel. Haga clic derecho en el icono de la bombilla en cualquier momento para volver directamente a Estándar.</translation>
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
        <translation>Aplicando…</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activado</translation>
    </message>
</context>
<context>
    <name>MainPresetsView</name>
    <message>
        <source>Keep Awake</source>
        <translation>Mantener activo</translation>
    </message>
    <message>
        <source>Halvoscope Settings…</source>
        <translation>Configuración de Halvoscope…</translation>
    </message>
    <message>
        <source>Quit Halvoscope</source>
        <translation>Salir de Halvoscope</translation>
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
        <translation>la luz nocturna de GNOME</translation>
    </message>
    <message>
        <source>KDE Plasma Night Light</source>
        <translation>el color nocturno de KDE Plasma</translation>
    </message>
    <message>
        <source>%1 can&apos;t show this preset: its settings are locked against changes.</source>
        <translation>%1 no puede mostrar este ajuste: su configuración está bloqueada.</translation>
    </message>
    <message>
        <source>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</source>
        <translation>Se ha cambiado %1 fuera de Halvoscope: se conserva su cambio y el resto de la configuración de la luz nocturna vuelve a estar como la tenía.</translation>
    </message>
    <message>
        <source>%1 could not be put back as you had it; Halvoscope will try again at its next start.</source>
        <translation>No se ha podido restablecer %1 como lo tenía; Halvoscope lo volverá a intentar en su próximo inicio.</translation>
    </message>
</context>
<context>
    <name>OnboardingModel</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Bienvenido a Halvoscope</translation>
    </message>
    <message>
        <source>Open at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Custom Ripple Animation</source>
        <translation>Animación de onda</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The step counter: %1 is this step&apos;s number, %2 how many steps there are.</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Get Started →</source>
        <translation>Empezar →</translation>
    </message>
    <message>
        <source>Continue →</source>
        <translation>Continuar →</translation>
    </message>
    <message>
        <source>Start Using Halvoscope</source>
        <translation>Empezar a usar Halvoscope</translation>
    </message>
    <message>
        <source>Enabled · Launches quietly in your system tray</source>
        <translation>Activado · Se abre discretamente en la bandeja del sistema</translation>
    </message>
    <message>
        <source>Off · Open Halvoscope manually from Applications</source>
        <translation>Desactivado · Abra Halvoscope usted mismo desde Aplicaciones</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>← Back</source>
        <translation>← Atrás</translation>
    </message>
    <message>
        <source>Skip for Now</source>
        <translation>Omitir por ahora</translation>
    </message>
</context>
<context>
    <name>PlatformFactory</name>
    <message>
        <source>The Wayland compositor offers no gamma control, so the screen&apos;s colors cannot be changed. Presets still set brightness and Keep Awake.</source>
        <translation>El compositor de Wayland no ofrece control de gamma, así que no se pueden cambiar los colores de la pantalla. Los ajustes siguen aplicando el brillo y Mantener activo.</translation>
    </message>
</context>
<context>
    <name>PresetEditorModel</name>
    <message>
        <source>Preset</source>
        <translation>Ajuste</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>No disponible</translation>
    </message>
    <message>
        <source>Keep system display level</source>
        <translation>Mantener el brillo del sistema</translation>
    </message>
    <message>
        <source>Unavailable on this display</source>
        <translation>No disponible en esta pantalla</translation>
    </message>
</context>
<context>
    <name>PresetEditorView</name>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>Nombre del ajuste</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Nombre del ajuste</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Temperatura de color</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>Cálido</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>Frío</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturación</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Escala de grises</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vívido</translation>
    </message>
    <message>
        <source>Auto Brightness</source>
        <translation>Brillo automático</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Pantalla</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Eliminar ajuste</translation>
    </message>
</context>
<context>
    <name>PresetRow</name>
    <message>
        <source>Adjust %1</source>
        <translation>Ajustar %1</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running Halvoscope can be reached.</source>
        <translation>Aquí no hay bus de sesión D-Bus (DBUS_SESSION_BUS_ADDRESS), así que no se puede llegar a ningún Halvoscope en ejecución.</translation>
    </message>
    <message>
        <source>Halvoscope is not running on this session bus.</source>
        <translation>Halvoscope no se está ejecutando en este bus de sesión.</translation>
    </message>
    <message>
        <source>Halvoscope is running but did not answer: %1</source>
        <translation>Halvoscope se está ejecutando pero no ha respondido: %1</translation>
    </message>
    <message>
        <source>No preset with id “%1”. Valid ids: %2</source>
        <translation>No hay ningún ajuste con el identificador «%1». Identificadores válidos: %2</translation>
    </message>
</context>
<context>
    <name>RipplePage</name>
    <message>
        <source>Optical Water-Ripple Animation</source>
        <translation>Animación de onda óptica</translation>
    </message>
    <message>
        <source>Active ✓</source>
        <translation>Activa ✓</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Opcional</translation>
    </message>
    <message>
        <source>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.</source>
        <translation>Al cambiar de ajuste, Halvoscope puede recorrer su escritorio con una onda de agua calculada en directo por la GPU en lugar de un simple fundido de color.</translation>
    </message>
    <message>
        <source>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</source>
        <translation>Por qué Halvoscope captura la pantalla: para refractar los píxeles en pantalla durante la transición de 3 segundos. Nunca se graba, guarda ni envía nada fuera de su equipo.</translation>
    </message>
    <message>
        <source>Screen capture available — Optical Water-Ripple is ready!</source>
        <translation>Captura de pantalla disponible: ¡la onda óptica está lista!</translation>
    </message>
    <message>
        <source>No screen capture in this session — the ripple fades instead.</source>
        <translation>No hay captura de pantalla en esta sesión: la onda se convierte en un fundido.</translation>
    </message>
    <message>
        <source>Enable Ripple &amp; Allow Capture…</source>
        <translation>Activar la onda y permitir la captura…</translation>
    </message>
    <message>
        <source>Relaunch &amp; Finish</source>
        <translation>Reiniciar y terminar</translation>
    </message>
    <message>
        <source>Turn On GNOME Shell Extension</source>
        <translation>Activar la extensión de GNOME Shell</translation>
    </message>
</context>
<context>
    <name>RipplePreview</name>
    <message>
        <source>Click preview to test ripple</source>
        <translation>Haga clic en la vista previa para probar la onda</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Refracción óptica</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Daily Schedule</source>
        <translation>Programación diaria</translation>
    </message>
    <message>
        <source>Automatic Switching</source>
        <translation>Cambio automático</translation>
    </message>
    <message>
        <source>First Switch</source>
        <translation>Primer cambio</translation>
    </message>
    <message>
        <source>Second Switch</source>
        <translation>Segundo cambio</translation>
    </message>
    <message>
        <source>Applies once per scheduled period and won&apos;t override manual changes.</source>
        <translation>Se aplica una vez por periodo programado y no anula los cambios manuales.</translation>
    </message>
    <message>
        <source>Save Schedule</source>
        <translation>Guardar programación</translation>
    </message>
    <message>
        <source>Not saved yet: Back leaves the schedule as it was.</source>
        <translation>Aún sin guardar: Atrás deja la programación como estaba.</translation>
    </message>
</context>
<context>
    <name>ScreenCapabilityText</name>
    <message>
        <source>Saturation isn&apos;t available with %1: it shows the temperature only.</source>
        <extracomment>%1 is the desktop&apos;s night light (&quot;GNOME Night Light&quot;).</extracomment>
        <translation>La saturación no está disponible con %1: solo se aplica la temperatura.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1: it shows the temperature only.</source>
        <extracomment>%1 is a screen&apos;s name (&quot;DP-1&quot;).</extracomment>
        <translation>La saturación no está disponible en %1: solo se aplica la temperatura.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, DP-2&quot;), %2 the last screen.</extracomment>
        <translation>La saturación no está disponible en %1 y %2: solo se aplica la temperatura.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 — color matrix</source>
        <extracomment>%1 is a screen&apos;s name.</extracomment>
        <translation>%1: matriz de color</translation>
    </message>
    <message>
        <source>%1 — gamma (temperature only)</source>
        <translation>%1: gamma (solo temperatura)</translation>
    </message>
    <message>
        <source>%1 — compositor gamma (temperature only)</source>
        <translation>%1: gamma del compositor (solo temperatura)</translation>
    </message>
    <message>
        <source>%1 (temperature only)</source>
        <translation>%1 (solo temperatura)</translation>
    </message>
    <message>
        <source>Halvoscope can&apos;t change the screens&apos; colors here. Presets still set brightness and Keep Awake.</source>
        <translation>Halvoscope no puede cambiar aquí los colores de las pantallas. Los ajustes siguen aplicando el brillo y Mantener activo.</translation>
    </message>
    <message>
        <source>%1 — color filter</source>
        <translation>%1: filtro de color</translation>
    </message>
    <message>
        <source>%1 — does not accept color changes (no color tables, or another program holds them)</source>
        <translation>%1: no acepta cambios de color (sin tablas de color, u otro programa las tiene)</translation>
    </message>
    <message>
        <source>%1 — colors controlled by another program</source>
        <translation>%1: colores controlados por otro programa</translation>
    </message>
    <message>
        <source>Full color on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</source>
        <translation>El color completo en GNOME necesita la extensión de GNOME Shell de Halvoscope, que no está instalada.</translation>
    </message>
    <message>
        <source>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</source>
        <translation>Cierre la sesión y vuelva a entrar una vez: GNOME Shell encuentra la nueva extensión de Halvoscope al iniciar sesión.</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension for full color and an icon in the top bar.</source>
        <translation>Active la extensión de GNOME Shell para tener color completo y un icono en la barra superior.</translation>
    </message>
    <message>
        <source>GNOME Shell extension: on</source>
        <translation>Extensión de GNOME Shell: activada</translation>
    </message>
    <message>
        <source>The GNOME Shell extension could not start: %1</source>
        <extracomment>%1 is what GNOME Shell reported.</extracomment>
        <translation>No se ha podido iniciar la extensión de GNOME Shell: %1</translation>
    </message>
    <message>
        <source>GNOME Shell extensions are switched off. Turn them on for full color.</source>
        <translation>Las extensiones de GNOME Shell están desactivadas. Actívelas para tener color completo.</translation>
    </message>
    <message>
        <source>%1 (temperature only: KWin refused Halvoscope&apos;s color filter)</source>
        <translation>%1 (solo temperatura: KWin ha rechazado el filtro de color de Halvoscope)</translation>
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
        <translation>Activado</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Comprobando…</translation>
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
        <translation>Configuración</translation>
    </message>
    <message>
        <source>New Custom Preset</source>
        <translation>Nuevo ajuste personalizado</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Nombre del ajuste</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Tray Menu Presets</source>
        <translation>Ajustes del menú</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Daily Schedule</source>
        <translation>Programación diaria</translation>
    </message>
    <message>
        <source>Setup Guide…</source>
        <translation>Guía de configuración…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Ripple Animation</source>
        <translation>Animación de onda</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Refracción óptica</translation>
    </message>
    <message>
        <source>Water-ripple distortion active</source>
        <translation>Distorsión de onda activa</translation>
    </message>
    <message>
        <source>No screen capture — the ripple fades</source>
        <translation>Sin captura de pantalla: la onda se convierte en un fundido</translation>
    </message>
    <message>
        <source>Grant Screen Capture…</source>
        <translation>Permitir la captura de pantalla…</translation>
    </message>
    <message>
        <source>Relaunch</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>Editar %1</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>Activar</translation>
    </message>
</context>
<context>
    <name>StatePersistence</name>
    <message>
        <source>Could not create the folder &quot;%1&quot;</source>
        <translation>No se ha podido crear la carpeta «%1»</translation>
    </message>
</context>
<context>
    <name>StatusIcon</name>
    <message>
        <source>Keeping Awake</source>
        <translation>Manteniendo activo</translation>
    </message>
    <message>
        <source>Right-click to return to Standard</source>
        <translation>Clic derecho para volver a Estándar</translation>
    </message>
</context>
<context>
    <name>TimeStepperField</name>
    <message>
        <source>Increment</source>
        <translation>Aumentar</translation>
    </message>
    <message>
        <source>Decrement</source>
        <translation>Disminuir</translation>
    </message>
    <message>
        <source>%1, hour</source>
        <translation>%1, hora</translation>
    </message>
    <message>
        <source>%1, minute</source>
        <translation>%1, minuto</translation>
    </message>
    <message>
        <source>%1, AM or PM</source>
        <translation>%1, a. m. o p. m.</translation>
    </message>
</context>
<context>
    <name>UpdateAlert</name>
    <message>
        <source>Halvoscope %1 is Available</source>
        <extracomment>%1 is the new version number.</extracomment>
        <translation>Halvoscope %1 está disponible</translation>
    </message>
    <message>
        <source>You are currently running Halvoscope %1.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Actualmente usa Halvoscope %1.</translation>
    </message>
    <message>
        <source>What&apos;s new:</source>
        <translation>Novedades:</translation>
    </message>
    <message>
        <source>Download Update</source>
        <translation>Descargar actualización</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
    <message>
        <source>You&apos;re Up to Date</source>
        <translation>Está al día</translation>
    </message>
    <message>
        <source>Halvoscope %1 is currently the newest version available.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Halvoscope %1 es actualmente la versión más reciente.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Couldn&apos;t Check for Updates</source>
        <translation>No se han podido buscar actualizaciones</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Unable to reach %1. Check your internet connection and try again.</source>
        <extracomment>%1 is the update server&apos;s host name.</extracomment>
        <translation>No se puede conectar con %1. Compruebe su conexión a Internet e inténtelo de nuevo.</translation>
    </message>
</context>
<context>
    <name>WaylandColorStage</name>
    <message>
        <source>Another program controls the colors of %1, so Halvoscope cannot change them.</source>
        <translation>Otro programa controla los colores de %1, así que Halvoscope no puede cambiarlos.</translation>
    </message>
    <message>
        <source>%1 does not accept color changes: it takes no color tables, or another program holds them.</source>
        <translation>%1 no acepta cambios de color: no admite tablas de color, u otro programa las tiene.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Bienvenido a Halvoscope</translation>
    </message>
    <message>
        <source>Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.</source>
        <translation>Ajustes de color instantáneos, Luz roja para la noche y Mantener activo, directamente desde el panel de su escritorio.</translation>
    </message>
    <message>
        <source>One-Click Moods &amp; Custom Presets</source>
        <translation>Ambientes con un clic y ajustes personalizados</translation>
    </message>
    <message>
        <source>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</source>
        <translation>Cambie entre Cálido, Luz roja y el modo de concentración Blanco y negro, o cree los suyos.</translation>
    </message>
    <message>
        <source>Daily Schedule &amp; Keep Awake</source>
        <translation>Programación diaria y Mantener activo</translation>
    </message>
    <message>
        <source>Warm your screen at the times you choose and prevent sleep with one switch.</source>
        <translation>Haga más cálida su pantalla a las horas que elija y evite la suspensión con un solo interruptor.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Halvoscope is not running, and cannot start here: %1</source>
        <translation>Halvoscope no se está ejecutando y no puede iniciarse aquí: %1</translation>
    </message>
</context>
</TS>
