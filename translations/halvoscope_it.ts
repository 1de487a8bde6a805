<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>AutostartLoginItem</name>
    <message>
        <source>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</source>
        <translation>Disattivo · Halvoscope è in esecuzione dalla sua cartella di compilazione; per avviarlo all&apos;accesso, installalo (make install o il pacchetto)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Display this help and exit.</source>
        <translation>Mostra questo aiuto ed esce.</translation>
    </message>
    <message>
        <source>Display the version and exit.</source>
        <translation>Mostra la versione ed esce.</translation>
    </message>
    <message>
        <source>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Attiva la preimpostazione con questo identificativo, come un clic sulla sua riga; avvia Halvoscope se non è in esecuzione e c’è uno schermo.</translation>
    </message>
    <message>
        <source>Open the popover; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Apre il riquadro a comparsa; avvia Halvoscope se non è in esecuzione e c’è uno schermo.</translation>
    </message>
    <message>
        <source>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</source>
        <translation>Elenca le preimpostazioni dell&apos;istanza in esecuzione, una per riga: identificativo, tabulazione, nome; quella attiva è segnata con *.</translation>
    </message>
    <message>
        <source>Quit the running instance, which restores every display first.</source>
        <translation>Esce dall&apos;istanza in esecuzione, che prima ripristina ogni schermo.</translation>
    </message>
    <message>
        <source>Display color presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</source>
        <translation>Preimpostazioni di colore dello schermo, Luce rossa e Mantieni attivo dall&apos;area di notifica. Un secondo avvio passa la sua richiesta all&apos;istanza in esecuzione tramite D-Bus; --preset, --show, --list e --quit non richiedono uno schermo finché un&apos;istanza è attiva.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argomento inatteso «%1».</translation>
    </message>
    <message>
        <source>--list and --quit go alone, without --preset or --show.</source>
        <translation>--list e --quit vanno da soli, senza --preset né --show.</translation>
    </message>
    <message>
        <source>Preset ids: %1</source>
        <translation>Identificativi delle preimpostazioni: %1</translation>
    </message>
    <message>
        <source>Try &apos;halvoscope --help&apos;.</source>
        <translation>Provare «halvoscope --help».</translation>
    </message>
</context>
<context>
    <name>DisplayColorEngine</name>
    <message>
        <source>Another program keeps changing the colors of %1. Halvoscope leaves them to it until the next preset change.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, HDMI-1&quot;).</extracomment>
        <translation>Un altro programma continua a cambiare i colori di %1. Halvoscope glieli lascia fino al prossimo cambio di preimpostazione.</translation>
    </message>
    <message>
        <source>every screen (no display server whose colors can be changed)</source>
        <translation>ogni schermo (nessun server grafico di cui si possano cambiare i colori)</translation>
    </message>
</context>
<context>
    <name>DisplayProbe</name>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>nessuno schermo (né DISPLAY né WAYLAND_DISPLAY sono impostati).</translation>
    </message>
    <message>
        <source>the X display %1 does not answer.</source>
        <translation>lo schermo X %1 non risponde.</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set).</source>
        <translation>nessuno schermo Wayland (WAYLAND_DISPLAY non è impostato).</translation>
    </message>
</context>
<context>
    <name>DrillDownHeader</name>
    <message>
        <source>Back</source>
        <translation>Indietro</translation>
    </message>
</context>
<context>
    <name>HalvoApp</name>
    <message>
        <source>The display server offers no way to change the screen&apos;s colors (no XRandR). Presets still set brightness and Keep Awake.</source>
        <translation>Il server grafico non permette di cambiare i colori dello schermo (manca XRandR). Le preimpostazioni impostano comunque luminosità e Mantieni attivo.</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors: %1</source>
        <translation>Halvoscope non può cambiare i colori dello schermo: %1</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors</source>
        <translation>Halvoscope non può cambiare i colori dello schermo</translation>
    </message>
    <message>
        <source>Halvoscope could not save its settings</source>
        <translation>Halvoscope non è riuscito a salvare le impostazioni</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>Scrittura di %1 non riuscita: %2</translation>
    </message>
    <message>
        <source>Halvoscope is running</source>
        <translation>Halvoscope è in esecuzione</translation>
    </message>
    <message>
        <source>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</source>
        <translation>Nessun pannello mostra la sua icona. Per aprire Halvoscope, avviarlo di nuovo o eseguire «halvoscope --show». %1</translation>
    </message>
    <message>
        <source>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>Per un&apos;icona nella barra superiore, attiva l&apos;estensione GNOME Shell di Halvoscope (gnome-extensions enable halvoscope@corvanta.com) o l&apos;estensione AppIndicator (pacchetto gnome-shell-extension-appindicator).</translation>
    </message>
    <message>
        <source>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</source>
        <translation>Per un&apos;icona, aggiungi l&apos;oggetto Vassoio di sistema a un pannello (clic destro sul pannello, Aggiungi oggetti).</translation>
    </message>
    <message>
        <source>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</source>
        <translation>Per un&apos;icona, aggiungi il plugin Vassoio di stato a un pannello (Pannello, Aggiungi nuovi elementi).</translation>
    </message>
    <message>
        <source>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</source>
        <translation>Per un&apos;icona, dai alla barra un vassoio: tray_output di swaybar o il modulo tray di Waybar.</translation>
    </message>
    <message>
        <source>For an icon, add the system tray (notification area) to a panel.</source>
        <translation>Per un&apos;icona, aggiungi l&apos;area di notifica a un pannello.</translation>
    </message>
    <message>
        <source>For an icon, run a panel with a system tray (for example trayer or stalonetray).</source>
        <translation>Per un&apos;icona, avvia un pannello con area di notifica (per esempio trayer o stalonetray).</translation>
    </message>
</context>
<context>
    <name>HalvoBusService</name>
    <message>
        <source>%1 is chosen, but no screen shows it: %2.</source>
        <translation>%1 è scelto, ma nessuno schermo lo mostra: %2.</translation>
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
        <translation>Luce rossa</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>Candela</translation>
    </message>
    <message>
        <source>Black &amp; White</source>
        <translation>Bianco e nero</translation>
    </message>
    <message>
        <source>Color Ink</source>
        <translation>Inchiostro a colori</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vivace</translation>
    </message>
    <message>
        <source>Custom Preset</source>
        <translation>Preimpostazione personalizzata</translation>
    </message>
</context>
<context>
    <name>HalvoStore</name>
    <message>
        <source>Unable to inhibit screen blanking to keep display awake.</source>
        <translation>Impossibile impedire lo spegnimento dello schermo per mantenerlo attivo.</translation>
    </message>
    <message>
        <source>No login-item service is available.</source>
        <translation>Nessun servizio di avvio automatico disponibile.</translation>
    </message>
    <message>
        <source>Unable to update Launch at Login: %1</source>
        <extracomment>%1 is the reason the desktop&apos;s autostart gave.</extracomment>
        <translation>Impossibile modificare «Avvia all&apos;accesso»: %1</translation>
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
        <translation>Avvia Halvoscope all&apos;accesso</translation>
    </message>
    <message>
        <source>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</source>
        <translation>Tieni Halvoscope pronto nell&apos;area di notifica a ogni accesso, così la programmazione giornaliera e la Luce rossa serale partono da sole.</translation>
    </message>
    <message>
        <source>Open Halvoscope at Login</source>
        <translation>Apri Halvoscope all&apos;accesso</translation>
    </message>
    <message>
        <source>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</source>
        <translation>Usa l&apos;avvio automatico standard del desktop: nessun permesso aggiuntivo, e puoi disattivarlo quando vuoi nelle Impostazioni.</translation>
    </message>
    <message>
        <source>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</source>
        <translation>Suggerimento: Halvoscope resta discretamente nell&apos;area di notifica del pannello. Fai clic destro sull&apos;icona della lampadina per tornare subito a Standard.</translation>
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
        <translation>Applicazione…</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Attivo</translation>
    </message>
</context>
<context>
    <name>MainPresetsView</name>
    <message>
        <source>Keep Awake</source>
        <translation>Mantieni attivo</translation>
    </message>
    <message>
        <source>Halvoscope Settings…</source>
        <translation>Impostazioni di Halvoscope…</translation>
    </message>
    <message>
        <source>Quit Halvoscope</source>
        <translation>Esci da Halvoscope</translation>
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
        <translation>la luce notturna di GNOME</translation>
    </message>
    <message>
        <source>KDE Plasma Night Light</source>
        <translation>il colore notturno di KDE Plasma</translation>
    </message>
    <message>
        <source>%1 can&apos;t show this preset: its settings are locked against changes.</source>
        <translation>%1 non può mostrare questa preimpostazione: le sue impostazioni sono bloccate.</translation>
    </message>
    <message>
        <source>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</source>
        <translation>%1 è stata modificata fuori da Halvoscope: la tua modifica resta, e le altre impostazioni della luce notturna sono tornate come le avevi.</translation>
    </message>
    <message>
        <source>%1 could not be put back as you had it; Halvoscope will try again at its next start.</source>
        <translation>Impossibile ripristinare %1 com&apos;era; Halvoscope riproverà al prossimo avvio.</translation>
    </message>
</context>
<context>
    <name>OnboardingModel</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Benvenuto in Halvoscope</translation>
    </message>
    <message>
        <source>Open at Login</source>
        <translation>Apri all&apos;accesso</translation>
    </message>
    <message>
        <source>Custom Ripple Animation</source>
        <translation>Animazione a onda</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The step counter: %1 is this step&apos;s number, %2 how many steps there are.</extracomment>
        <translation>%1 di %2</translation>
    </message>
    <message>
        <source>Get Started →</source>
        <translation>Inizia →</translation>
    </message>
    <message>
        <source>Continue →</source>
        <translation>Continua →</translation>
    </message>
    <message>
        <source>Start Using Halvoscope</source>
        <translation>Inizia a usare Halvoscope</translation>
    </message>
    <message>
        <source>Enabled · Launches quietly in your system tray</source>
        <translation>Attivo · Si avvia discretamente nell&apos;area di notifica</translation>
    </message>
    <message>
        <source>Off · Open Halvoscope manually from Applications</source>
        <translation>Disattivo · Apri Halvoscope da solo dalle Applicazioni</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>← Back</source>
        <translation>← Indietro</translation>
    </message>
    <message>
        <source>Skip for Now</source>
        <translation>Salta per ora</translation>
    </message>
</context>
<context>
    <name>PlatformFactory</name>
    <message>
        <source>The Wayland compositor offers no gamma control, so the screen&apos;s colors cannot be changed. Presets still set brightness and Keep Awake.</source>
        <translation>Il compositor Wayland non offre il controllo della gamma, quindi i colori dello schermo non possono cambiare. Le preimpostazioni impostano comunque luminosità e Mantieni attivo.</translation>
    </message>
</context>
<context>
    <name>PresetEditorModel</name>
    <message>
        <source>Preset</source>
        <translation>Preimpostazione</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Non disponibile</translation>
    </message>
    <message>
        <source>Keep system display level</source>
        <translation>Mantieni la luminosità di sistema</translation>
    </message>
    <message>
        <source>Unavailable on this display</source>
        <translation>Non disponibile su questo schermo</translation>
    </message>
</context>
<context>
    <name>PresetEditorView</name>
    <message>
        <source>Reset</source>
        <translation>Ripristina</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>Nome della preimpostazione</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Nome della preimpostazione</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Temperatura colore</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>Calda</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>Fredda</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturazione</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Scala di grigi</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vivace</translation>
    </message>
    <message>
        <source>Auto Brightness</source>
        <translation>Luminosità automatica</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Schermo</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Elimina preimpostazione</translation>
    </message>
</context>
<context>
    <name>PresetRow</name>
    <message>
        <source>Adjust %1</source>
        <translation>Regola %1</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running Halvoscope can be reached.</source>
        <translation>Qui non c’è un bus di sessione D-Bus (DBUS_SESSION_BUS_ADDRESS), quindi nessun Halvoscope in esecuzione è raggiungibile.</translation>
    </message>
    <message>
        <source>Halvoscope is not running on this session bus.</source>
        <translation>Halvoscope non è in esecuzione su questo bus di sessione.</translation>
    </message>
    <message>
        <source>Halvoscope is running but did not answer: %1</source>
        <translation>Halvoscope è in esecuzione ma non ha risposto: %1</translation>
    </message>
    <message>
        <source>No preset with id “%1”. Valid ids: %2</source>
        <translation>Nessuna preimpostazione con identificativo «%1». Identificativi validi: %2</translation>
    </message>
</context>
<context>
    <name>RipplePage</name>
    <message>
        <source>Optical Water-Ripple Animation</source>
        <translation>Animazione a onda ottica</translation>
    </message>
    <message>
        <source>Active ✓</source>
        <translation>Attiva ✓</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Facoltativa</translation>
    </message>
    <message>
        <source>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.</source>
        <translation>Quando cambi preimpostazione, Halvoscope può far scorrere sul desktop un&apos;onda d&apos;acqua calcolata in tempo reale dalla GPU invece di una semplice dissolvenza di colore.</translation>
    </message>
    <message>
        <source>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</source>
        <translation>Perché Halvoscope cattura lo schermo: per rifrangere i pixel visualizzati durante la transizione di 3 secondi. Nulla viene mai registrato, salvato o inviato fuori dal computer.</translation>
    </message>
    <message>
        <source>Screen capture available — Optical Water-Ripple is ready!</source>
        <translation>Cattura dello schermo disponibile: l&apos;onda ottica è pronta!</translation>
    </message>
    <message>
        <source>No screen capture in this session — the ripple fades instead.</source>
        <translation>Nessuna cattura dello schermo in questa sessione: l&apos;onda diventa una dissolvenza.</translation>
    </message>
    <message>
        <source>Enable Ripple &amp; Allow Capture…</source>
        <translation>Attiva l&apos;onda e consenti la cattura…</translation>
    </message>
    <message>
        <source>Relaunch &amp; Finish</source>
        <translation>Riavvia e termina</translation>
    </message>
    <message>
        <source>Turn On GNOME Shell Extension</source>
        <translation>Attiva l&apos;estensione GNOME Shell</translation>
    </message>
</context>
<context>
    <name>RipplePreview</name>
    <message>
        <source>Click preview to test ripple</source>
        <translation>Fai clic sull&apos;anteprima per provare l&apos;onda</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Rifrazione ottica</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Daily Schedule</source>
        <translation>Programmazione giornaliera</translation>
    </message>
    <message>
        <source>Automatic Switching</source>
        <translation>Cambio automatico</translation>
    </message>
    <message>
        <source>First Switch</source>
        <translation>Primo cambio</translation>
    </message>
    <message>
        <source>Second Switch</source>
        <translation>Secondo cambio</translation>
    </message>
    <message>
        <source>Applies once per scheduled period and won&apos;t override manual changes.</source>
        <translation>Si applica una volta per periodo programmato e non annulla le modifiche manuali.</translation>
    </message>
    <message>
        <source>Save Schedule</source>
        <translation>Salva programmazione</translation>
    </message>
    <message>
        <source>Not saved yet: Back leaves the schedule as it was.</source>
        <translation>Non ancora salvata: Indietro lascia la programmazione com&apos;era.</translation>
    </message>
</context>
<context>
    <name>ScreenCapabilityText</name>
    <message>
        <source>Saturation isn&apos;t available with %1: it shows the temperature only.</source>
        <extracomment>%1 is the desktop&apos;s night light (&quot;GNOME Night Light&quot;).</extracomment>
        <translation>La saturazione non è disponibile con %1: viene applicata solo la temperatura.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1: it shows the temperature only.</source>
        <extracomment>%1 is a screen&apos;s name (&quot;DP-1&quot;).</extracomment>
        <translation>La saturazione non è disponibile su %1: viene applicata solo la temperatura.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, DP-2&quot;), %2 the last screen.</extracomment>
        <translation>La saturazione non è disponibile su %1 e %2: viene applicata solo la temperatura.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 — color matrix</source>
        <extracomment>%1 is a screen&apos;s name.</extracomment>
        <translation>%1 — matrice di colore</translation>
    </message>
    <message>
        <source>%1 — gamma (temperature only)</source>
        <translation>%1 — gamma (solo temperatura)</translation>
    </message>
    <message>
        <source>%1 — compositor gamma (temperature only)</source>
        <translation>%1 — gamma del compositor (solo temperatura)</translation>
    </message>
    <message>
        <source>%1 (temperature only)</source>
        <translation>%1 (solo temperatura)</translation>
    </message>
    <message>
        <source>Halvoscope can&apos;t change the screens&apos; colors here. Presets still set brightness and Keep Awake.</source>
        <translation>Qui Halvoscope non può cambiare i colori degli schermi. Le preimpostazioni impostano comunque luminosità e Mantieni attivo.</translation>
    </message>
    <message>
        <source>%1 — color filter</source>
        <translation>%1 — filtro colore</translation>
    </message>
    <message>
        <source>%1 — does not accept color changes (no color tables, or another program holds them)</source>
        <translation>%1 — non accetta modifiche del colore (nessuna tabella colori, o un altro programma le detiene)</translation>
    </message>
    <message>
        <source>%1 — colors controlled by another program</source>
        <translation>%1 — colori controllati da un altro programma</translation>
    </message>
    <message>
        <source>Full color on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</source>
        <translation>I colori completi su GNOME richiedono l&apos;estensione GNOME Shell di Halvoscope, che non è installata.</translation>
    </message>
    <message>
        <source>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</source>
        <translation>Esci e rientra una volta: GNOME Shell trova la nuova estensione di Halvoscope all&apos;accesso.</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension for full color and an icon in the top bar.</source>
        <translation>Attiva l&apos;estensione GNOME Shell per i colori completi e un&apos;icona nella barra superiore.</translation>
    </message>
    <message>
        <source>GNOME Shell extension: on</source>
        <translation>Estensione GNOME Shell: attiva</translation>
    </message>
    <message>
        <source>The GNOME Shell extension could not start: %1</source>
        <extracomment>%1 is what GNOME Shell reported.</extracomment>
        <translation>Impossibile avviare l&apos;estensione GNOME Shell: %1</translation>
    </message>
    <message>
        <source>GNOME Shell extensions are switched off. Turn them on for full color.</source>
        <translation>Le estensioni di GNOME Shell sono disattivate. Attivale per i colori completi.</translation>
    </message>
    <message>
        <source>%1 (temperature only: KWin refused Halvoscope&apos;s color filter)</source>
        <translation>%1 (solo temperatura: KWin ha rifiutato il filtro colore di Halvoscope)</translation>
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
        <translation>Attivo</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Disattivo</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Verifica…</translation>
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
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>New Custom Preset</source>
        <translation>Nuova preimpostazione</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Nome della preimpostazione</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Tray Menu Presets</source>
        <translation>Preimpostazioni nel menu</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifica</translation>
    </message>
    <message>
        <source>Daily Schedule</source>
        <translation>Programmazione giornaliera</translation>
    </message>
    <message>
        <source>Setup Guide…</source>
        <translation>Guida alla configurazione…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Controlla aggiornamenti…</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versione</translation>
    </message>
    <message>
        <source>Ripple Animation</source>
        <translation>Animazione a onda</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Rifrazione ottica</translation>
    </message>
    <message>
        <source>Water-ripple distortion active</source>
        <translation>Distorsione a onda attiva</translation>
    </message>
    <message>
        <source>No screen capture — the ripple fades</source>
        <translation>Nessuna cattura dello schermo: l&apos;onda diventa una dissolvenza</translation>
    </message>
    <message>
        <source>Grant Screen Capture…</source>
        <translation>Consenti la cattura dello schermo…</translation>
    </message>
    <message>
        <source>Relaunch</source>
        <translation>Riavvia</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Avvia all&apos;accesso</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>Modifica %1</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>Attiva</translation>
    </message>
</context>
<context>
    <name>StatePersistence</name>
    <message>
        <source>Could not create the folder &quot;%1&quot;</source>
        <translation>Impossibile creare la cartella «%1»</translation>
    </message>
</context>
<context>
    <name>StatusIcon</name>
    <message>
        <source>Keeping Awake</source>
        <translation>Mantiene attivo</translation>
    </message>
    <message>
        <source>Right-click to return to Standard</source>
        <translation>Clic destro per tornare a Standard</translation>
    </message>
</context>
<context>
    <name>TimeStepperField</name>
    <message>
        <source>Increment</source>
        <translation>Aumenta</translation>
    </message>
    <message>
        <source>Decrement</source>
        <translation>Diminuisci</translation>
    </message>
    <message>
        <source>%1, hour</source>
        <translation>%1, ora</translation>
    </message>
    <message>
        <source>%1, minute</source>
        <translation>%1, minuti</translation>
    </message>
    <message>
        <source>%1, AM or PM</source>
        <translation>%1, AM o PM</translation>
    </message>
</context>
<context>
    <name>UpdateAlert</name>
    <message>
        <source>Halvoscope %1 is Available</source>
        <extracomment>%1 is the new version number.</extracomment>
        <translation>È disponibile Halvoscope %1</translation>
    </message>
    <message>
        <source>You are currently running Halvoscope %1.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Al momento usi Halvoscope %1.</translation>
    </message>
    <message>
        <source>What&apos;s new:</source>
        <translation>Novità:</translation>
    </message>
    <message>
        <source>Download Update</source>
        <translation>Scarica aggiornamento</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Più tardi</translation>
    </message>
    <message>
        <source>You&apos;re Up to Date</source>
        <translation>Sei aggiornato</translation>
    </message>
    <message>
        <source>Halvoscope %1 is currently the newest version available.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Halvoscope %1 è al momento la versione più recente.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Couldn&apos;t Check for Updates</source>
        <translation>Impossibile controllare gli aggiornamenti</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Unable to reach %1. Check your internet connection and try again.</source>
        <extracomment>%1 is the update server&apos;s host name.</extracomment>
        <translation>Impossibile raggiungere %1. Controlla la connessione a Internet e riprova.</translation>
    </message>
</context>
<context>
    <name>WaylandColorStage</name>
    <message>
        <source>Another program controls the colors of %1, so Halvoscope cannot change them.</source>
        <translation>Un altro programma controlla i colori di %1, quindi Halvoscope non può cambiarli.</translation>
    </message>
    <message>
        <source>%1 does not accept color changes: it takes no color tables, or another program holds them.</source>
        <translation>%1 non accetta modifiche del colore: non accetta tabelle colori, o un altro programma le detiene.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Benvenuto in Halvoscope</translation>
    </message>
    <message>
        <source>Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.</source>
        <translation>Preimpostazioni di colore immediate, Luce rossa per la notte e Mantieni attivo, direttamente dal pannello del desktop.</translation>
    </message>
    <message>
        <source>One-Click Moods &amp; Custom Presets</source>
        <translation>Atmosfere con un clic e preimpostazioni personalizzate</translation>
    </message>
    <message>
        <source>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</source>
        <translation>Passa da Calda a Luce rossa o alla modalità concentrazione Bianco e nero, oppure crea le tue.</translation>
    </message>
    <message>
        <source>Daily Schedule &amp; Keep Awake</source>
        <translation>Programmazione giornaliera e Mantieni attivo</translation>
    </message>
    <message>
        <source>Warm your screen at the times you choose and prevent sleep with one switch.</source>
        <translation>Riscalda lo schermo agli orari che scegli ed evita la sospensione con un solo interruttore.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Halvoscope is not running, and cannot start here: %1</source>
        <translation>Halvoscope non è in esecuzione e non può avviarsi qui: %1</translation>
    </message>
</context>
</TS>
