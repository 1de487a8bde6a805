<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AutostartLoginItem</name>
    <message>
        <source>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</source>
        <translation>Désactivé · Halvoscope s’exécute depuis son dossier de compilation ; pour le lancer à la connexion, installez-le (make install ou le paquet)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Display this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Display the version and exit.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
    <message>
        <source>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Activer le préréglage portant cet identifiant, comme un clic sur sa ligne ; lance Halvoscope s’il n’est pas démarré et qu’un écran est présent.</translation>
    </message>
    <message>
        <source>Open the popover; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Ouvrir la fenêtre contextuelle ; lance Halvoscope s’il n’est pas démarré et qu’un écran est présent.</translation>
    </message>
    <message>
        <source>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</source>
        <translation>Lister les préréglages de l’instance en cours, un par ligne : identifiant, tabulation, nom ; l’actif est marqué d’un *.</translation>
    </message>
    <message>
        <source>Quit the running instance, which restores every display first.</source>
        <translation>Quitter l’instance en cours, qui rétablit d’abord chaque écran.</translation>
    </message>
    <message>
        <source>Display color presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</source>
        <translation>Préréglages de couleur de l’écran, Lumière rouge et Maintien en éveil depuis la zone de notification. Un second lancement transmet sa demande à l’instance en cours par D-Bus ; --preset, --show, --list et --quit n’ont pas besoin d’écran tant qu’une instance tourne.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu « %1 ».</translation>
    </message>
    <message>
        <source>--list and --quit go alone, without --preset or --show.</source>
        <translation>--list et --quit s’utilisent seuls, sans --preset ni --show.</translation>
    </message>
    <message>
        <source>Preset ids: %1</source>
        <translation>Identifiants des préréglages : %1</translation>
    </message>
    <message>
        <source>Try &apos;halvoscope --help&apos;.</source>
        <translation>Essayez « halvoscope --help ».</translation>
    </message>
</context>
<context>
    <name>DisplayColorEngine</name>
    <message>
        <source>Another program keeps changing the colors of %1. Halvoscope leaves them to it until the next preset change.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, HDMI-1&quot;).</extracomment>
        <translation>Un autre programme modifie sans cesse les couleurs de %1. Halvoscope les lui laisse jusqu’au prochain changement de préréglage.</translation>
    </message>
    <message>
        <source>every screen (no display server whose colors can be changed)</source>
        <translation>tous les écrans (aucun serveur d’affichage dont on puisse changer les couleurs)</translation>
    </message>
</context>
<context>
    <name>DisplayProbe</name>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>aucun affichage (ni DISPLAY ni WAYLAND_DISPLAY n’est défini).</translation>
    </message>
    <message>
        <source>the X display %1 does not answer.</source>
        <translation>l’affichage X %1 ne répond pas.</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set).</source>
        <translation>aucun affichage Wayland (WAYLAND_DISPLAY n’est pas défini).</translation>
    </message>
</context>
<context>
    <name>DrillDownHeader</name>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
</context>
<context>
    <name>HalvoApp</name>
    <message>
        <source>The display server offers no way to change the screen&apos;s colors (no XRandR). Presets still set brightness and Keep Awake.</source>
        <translation>Le serveur d’affichage ne permet pas de modifier les couleurs de l’écran (pas de XRandR). Les préréglages règlent toujours la luminosité et le maintien en éveil.</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors: %1</source>
        <translation>Halvoscope ne peut pas modifier les couleurs de l’écran&#xa0;: %1</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors</source>
        <translation>Halvoscope ne peut pas modifier les couleurs de l’écran</translation>
    </message>
    <message>
        <source>Halvoscope could not save its settings</source>
        <translation>Halvoscope n’a pas pu enregistrer ses réglages</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>L’écriture de %1 a échoué&#xa0;: %2</translation>
    </message>
    <message>
        <source>Halvoscope is running</source>
        <translation>Halvoscope est lancé</translation>
    </message>
    <message>
        <source>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</source>
        <translation>Aucun tableau de bord n’affiche son icône. Pour ouvrir Halvoscope, relancez-le ou exécutez « halvoscope --show ». %1</translation>
    </message>
    <message>
        <source>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>Pour une icône dans la barre supérieure, activez l’extension GNOME Shell de Halvoscope (gnome-extensions enable halvoscope@corvanta.com) ou l’extension AppIndicator (paquet gnome-shell-extension-appindicator).</translation>
    </message>
    <message>
        <source>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</source>
        <translation>Pour une icône, ajoutez le composant graphique Boîte à miniatures à un tableau de bord (clic droit sur le tableau de bord, Ajouter des composants graphiques).</translation>
    </message>
    <message>
        <source>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</source>
        <translation>Pour une icône, ajoutez le greffon Zone de notification d’état à un tableau de bord (Tableau de bord, Ajouter de nouveaux éléments).</translation>
    </message>
    <message>
        <source>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</source>
        <translation>Pour une icône, donnez une zone de notification à la barre : tray_output de swaybar, ou le module tray de Waybar.</translation>
    </message>
    <message>
        <source>For an icon, add the system tray (notification area) to a panel.</source>
        <translation>Pour une icône, ajoutez la zone de notification à un tableau de bord.</translation>
    </message>
    <message>
        <source>For an icon, run a panel with a system tray (for example trayer or stalonetray).</source>
        <translation>Pour une icône, lancez un tableau de bord avec une zone de notification (par exemple trayer ou stalonetray).</translation>
    </message>
</context>
<context>
    <name>HalvoBusService</name>
    <message>
        <source>%1 is chosen, but no screen shows it: %2.</source>
        <translation>%1 est choisi, mais aucun écran ne l’affiche : %2.</translation>
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
        <translation>Lumière rouge</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>Bougie</translation>
    </message>
    <message>
        <source>Black &amp; White</source>
        <translation>Noir et blanc</translation>
    </message>
    <message>
        <source>Color Ink</source>
        <translation>Encre couleur</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Éclatant</translation>
    </message>
    <message>
        <source>Custom Preset</source>
        <translation>Préréglage personnalisé</translation>
    </message>
</context>
<context>
    <name>HalvoStore</name>
    <message>
        <source>Unable to inhibit screen blanking to keep display awake.</source>
        <translation>Impossible d’empêcher la mise en veille de l’écran pour le garder allumé.</translation>
    </message>
    <message>
        <source>No login-item service is available.</source>
        <translation>Aucun service de démarrage automatique n’est disponible.</translation>
    </message>
    <message>
        <source>Unable to update Launch at Login: %1</source>
        <extracomment>%1 is the reason the desktop&apos;s autostart gave.</extracomment>
        <translation>Impossible de modifier «&#xa0;Lancer à la connexion&#xa0;»&#xa0;: %1</translation>
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
        <translation>%1&#x202f;%</translation>
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
        <translation>Lancer Halvoscope à la connexion</translation>
    </message>
    <message>
        <source>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</source>
        <translation>Gardez Halvoscope prêt dans la zone de notification à chaque connexion, pour que votre programmation quotidienne et la Lumière rouge du soir s’appliquent automatiquement.</translation>
    </message>
    <message>
        <source>Open Halvoscope at Login</source>
        <translation>Ouvrir Halvoscope à la connexion</translation>
    </message>
    <message>
        <source>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</source>
        <translation>Utilise le démarrage automatique standard du bureau — aucune autorisation supplémentaire, et vous pouvez le désactiver à tout moment dans les Réglages.</translation>
    </message>
    <message>
        <source>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</source>
        <translation>Astuce&#xa0;: Halvoscope se tient discrètement dans la zone de notification de votre tableau de bord. Un clic droit sur l’icône d’ampoule vous ramène à tout moment à Standard.</translation>
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
        <translation>Application…</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
</context>
<context>
    <name>MainPresetsView</name>
    <message>
        <source>Keep Awake</source>
        <translation>Maintenir éveillé</translation>
    </message>
    <message>
        <source>Halvoscope Settings…</source>
        <translation>Réglages de Halvoscope…</translation>
    </message>
    <message>
        <source>Quit Halvoscope</source>
        <translation>Quitter Halvoscope</translation>
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
        <translation>l’éclairage nocturne de GNOME</translation>
    </message>
    <message>
        <source>KDE Plasma Night Light</source>
        <translation>la couleur de nuit de KDE Plasma</translation>
    </message>
    <message>
        <source>%1 can&apos;t show this preset: its settings are locked against changes.</source>
        <translation>%1 ne peut pas afficher ce préréglage&#xa0;: ses réglages sont verrouillés.</translation>
    </message>
    <message>
        <source>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</source>
        <translation>%1 a été modifié hors de Halvoscope&#xa0;: votre changement est conservé, et les autres réglages de l’éclairage nocturne sont revenus tels que vous les aviez.</translation>
    </message>
    <message>
        <source>%1 could not be put back as you had it; Halvoscope will try again at its next start.</source>
        <translation>%1 n’a pas pu être rétabli comme vous l’aviez&#x202f;; Halvoscope réessaiera à son prochain démarrage.</translation>
    </message>
</context>
<context>
    <name>OnboardingModel</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Bienvenue dans Halvoscope</translation>
    </message>
    <message>
        <source>Open at Login</source>
        <translation>Ouvrir à la connexion</translation>
    </message>
    <message>
        <source>Custom Ripple Animation</source>
        <translation>Animation d’ondulation</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The step counter: %1 is this step&apos;s number, %2 how many steps there are.</extracomment>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Get Started →</source>
        <translation>Commencer →</translation>
    </message>
    <message>
        <source>Continue →</source>
        <translation>Continuer →</translation>
    </message>
    <message>
        <source>Start Using Halvoscope</source>
        <translation>Utiliser Halvoscope</translation>
    </message>
    <message>
        <source>Enabled · Launches quietly in your system tray</source>
        <translation>Activé · Se lance discrètement dans la zone de notification</translation>
    </message>
    <message>
        <source>Off · Open Halvoscope manually from Applications</source>
        <translation>Désactivé · Ouvrez Halvoscope vous-même depuis les Applications</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>← Back</source>
        <translation>← Retour</translation>
    </message>
    <message>
        <source>Skip for Now</source>
        <translation>Passer pour l’instant</translation>
    </message>
</context>
<context>
    <name>PlatformFactory</name>
    <message>
        <source>The Wayland compositor offers no gamma control, so the screen&apos;s colors cannot be changed. Presets still set brightness and Keep Awake.</source>
        <translation>Le compositeur Wayland n’offre pas de contrôle du gamma&#x202f;; les couleurs de l’écran ne peuvent donc pas être modifiées. Les préréglages règlent toujours la luminosité et le maintien en éveil.</translation>
    </message>
</context>
<context>
    <name>PresetEditorModel</name>
    <message>
        <source>Preset</source>
        <translation>Préréglage</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Indisponible</translation>
    </message>
    <message>
        <source>Keep system display level</source>
        <translation>Garder la luminosité du système</translation>
    </message>
    <message>
        <source>Unavailable on this display</source>
        <translation>Indisponible sur cet écran</translation>
    </message>
</context>
<context>
    <name>PresetEditorView</name>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>Nom du préréglage</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Nom du préréglage</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Température de couleur</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>Chaud</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>Froid</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Niveaux de gris</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Éclatant</translation>
    </message>
    <message>
        <source>Auto Brightness</source>
        <translation>Luminosité automatique</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Écran</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Supprimer le préréglage</translation>
    </message>
</context>
<context>
    <name>PresetRow</name>
    <message>
        <source>Adjust %1</source>
        <translation>Ajuster %1</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running Halvoscope can be reached.</source>
        <translation>Il n’y a pas de bus de session D-Bus ici (DBUS_SESSION_BUS_ADDRESS) : aucun Halvoscope en cours ne peut être joint.</translation>
    </message>
    <message>
        <source>Halvoscope is not running on this session bus.</source>
        <translation>Halvoscope n’est pas lancé sur ce bus de session.</translation>
    </message>
    <message>
        <source>Halvoscope is running but did not answer: %1</source>
        <translation>Halvoscope est lancé mais n’a pas répondu : %1</translation>
    </message>
    <message>
        <source>No preset with id “%1”. Valid ids: %2</source>
        <translation>Aucun préréglage avec l’identifiant « %1 ». Identifiants valides : %2</translation>
    </message>
</context>
<context>
    <name>RipplePage</name>
    <message>
        <source>Optical Water-Ripple Animation</source>
        <translation>Animation d’ondulation optique</translation>
    </message>
    <message>
        <source>Active ✓</source>
        <translation>Active ✓</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Facultatif</translation>
    </message>
    <message>
        <source>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.</source>
        <translation>Lorsque vous changez de préréglage, Halvoscope peut faire passer sur votre bureau une ondulation calculée en direct par le GPU, au lieu d’un simple fondu de couleur.</translation>
    </message>
    <message>
        <source>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</source>
        <translation>Pourquoi Halvoscope capture l’écran&#xa0;: pour réfracter les pixels affichés pendant la transition de 3&#xa0;secondes. Rien n’est jamais enregistré, conservé ni envoyé hors de votre ordinateur.</translation>
    </message>
    <message>
        <source>Screen capture available — Optical Water-Ripple is ready!</source>
        <translation>Capture d’écran disponible — l’ondulation optique est prête&#x202f;!</translation>
    </message>
    <message>
        <source>No screen capture in this session — the ripple fades instead.</source>
        <translation>Pas de capture d’écran dans cette session — l’ondulation devient un fondu.</translation>
    </message>
    <message>
        <source>Enable Ripple &amp; Allow Capture…</source>
        <translation>Activer l’ondulation et autoriser la capture…</translation>
    </message>
    <message>
        <source>Relaunch &amp; Finish</source>
        <translation>Relancer et terminer</translation>
    </message>
    <message>
        <source>Turn On GNOME Shell Extension</source>
        <translation>Activer l’extension GNOME Shell</translation>
    </message>
</context>
<context>
    <name>RipplePreview</name>
    <message>
        <source>Click preview to test ripple</source>
        <translation>Cliquez sur l’aperçu pour tester l’ondulation</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Réfraction optique</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Daily Schedule</source>
        <translation>Programmation quotidienne</translation>
    </message>
    <message>
        <source>Automatic Switching</source>
        <translation>Changement automatique</translation>
    </message>
    <message>
        <source>First Switch</source>
        <translation>Premier changement</translation>
    </message>
    <message>
        <source>Second Switch</source>
        <translation>Second changement</translation>
    </message>
    <message>
        <source>Applies once per scheduled period and won&apos;t override manual changes.</source>
        <translation>S’applique une fois par période programmée et n’écrase pas les changements manuels.</translation>
    </message>
    <message>
        <source>Save Schedule</source>
        <translation>Enregistrer la programmation</translation>
    </message>
    <message>
        <source>Not saved yet: Back leaves the schedule as it was.</source>
        <translation>Pas encore enregistré&#xa0;: Retour laisse la programmation telle qu’elle était.</translation>
    </message>
</context>
<context>
    <name>ScreenCapabilityText</name>
    <message>
        <source>Saturation isn&apos;t available with %1: it shows the temperature only.</source>
        <extracomment>%1 is the desktop&apos;s night light (&quot;GNOME Night Light&quot;).</extracomment>
        <translation>La saturation n’est pas disponible avec %1&#xa0;: seule la température est appliquée.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1: it shows the temperature only.</source>
        <extracomment>%1 is a screen&apos;s name (&quot;DP-1&quot;).</extracomment>
        <translation>La saturation n’est pas disponible sur %1&#xa0;: seule la température est appliquée.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, DP-2&quot;), %2 the last screen.</extracomment>
        <translation>La saturation n’est pas disponible sur %1 et %2&#xa0;: seule la température est appliquée.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 — color matrix</source>
        <extracomment>%1 is a screen&apos;s name.</extracomment>
        <translation>%1 — matrice de couleur</translation>
    </message>
    <message>
        <source>%1 — gamma (temperature only)</source>
        <translation>%1 — gamma (température seulement)</translation>
    </message>
    <message>
        <source>%1 — compositor gamma (temperature only)</source>
        <translation>%1 — gamma du compositeur (température seulement)</translation>
    </message>
    <message>
        <source>%1 (temperature only)</source>
        <translation>%1 (température seulement)</translation>
    </message>
    <message>
        <source>Halvoscope can&apos;t change the screens&apos; colors here. Presets still set brightness and Keep Awake.</source>
        <translation>Halvoscope ne peut pas modifier les couleurs des écrans ici. Les préréglages règlent toujours la luminosité et le maintien en éveil.</translation>
    </message>
    <message>
        <source>%1 — color filter</source>
        <translation>%1 — filtre de couleur</translation>
    </message>
    <message>
        <source>%1 — does not accept color changes (no color tables, or another program holds them)</source>
        <translation>%1 — n’accepte pas de changement de couleur (pas de tables de couleur, ou un autre programme les détient)</translation>
    </message>
    <message>
        <source>%1 — colors controlled by another program</source>
        <translation>%1 — couleurs contrôlées par un autre programme</translation>
    </message>
    <message>
        <source>Full color on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</source>
        <translation>Les couleurs complètes sous GNOME demandent l’extension GNOME Shell de Halvoscope, qui n’est pas installée.</translation>
    </message>
    <message>
        <source>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</source>
        <translation>Déconnectez-vous puis reconnectez-vous une fois&#xa0;: GNOME Shell trouve la nouvelle extension de Halvoscope à la connexion.</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension for full color and an icon in the top bar.</source>
        <translation>Activez l’extension GNOME Shell pour les couleurs complètes et une icône dans la barre supérieure.</translation>
    </message>
    <message>
        <source>GNOME Shell extension: on</source>
        <translation>Extension GNOME Shell&#xa0;: activée</translation>
    </message>
    <message>
        <source>The GNOME Shell extension could not start: %1</source>
        <extracomment>%1 is what GNOME Shell reported.</extracomment>
        <translation>L’extension GNOME Shell n’a pas pu démarrer&#xa0;: %1</translation>
    </message>
    <message>
        <source>GNOME Shell extensions are switched off. Turn them on for full color.</source>
        <translation>Les extensions GNOME Shell sont désactivées. Activez-les pour les couleurs complètes.</translation>
    </message>
    <message>
        <source>%1 (temperature only: KWin refused Halvoscope&apos;s color filter)</source>
        <translation>%1 (température seulement : KWin a refusé le filtre de couleur de Halvoscope)</translation>
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
        <translation>Activé</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Vérification…</translation>
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
        <translation>Réglages</translation>
    </message>
    <message>
        <source>New Custom Preset</source>
        <translation>Nouveau préréglage</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Nom du préréglage</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Tray Menu Presets</source>
        <translation>Préréglages du menu</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Daily Schedule</source>
        <translation>Programmation quotidienne</translation>
    </message>
    <message>
        <source>Setup Guide…</source>
        <translation>Guide de configuration…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Ripple Animation</source>
        <translation>Animation d’ondulation</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Réfraction optique</translation>
    </message>
    <message>
        <source>Water-ripple distortion active</source>
        <translation>Déformation par ondulation active</translation>
    </message>
    <message>
        <source>No screen capture — the ripple fades</source>
        <translation>Pas de capture d’écran — l’ondulation devient un fondu</translation>
    </message>
    <message>
        <source>Grant Screen Capture…</source>
        <translation>Autoriser la capture d’écran…</translation>
    </message>
    <message>
        <source>Relaunch</source>
        <translation>Relancer</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Lancer à la connexion</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>Modifier %1</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>Activer</translation>
    </message>
</context>
<context>
    <name>StatePersistence</name>
    <message>
        <source>Could not create the folder &quot;%1&quot;</source>
        <translation>Impossible de créer le dossier «&#xa0;%1&#xa0;»</translation>
    </message>
</context>
<context>
    <name>StatusIcon</name>
    <message>
        <source>Keeping Awake</source>
        <translation>Maintien en éveil</translation>
    </message>
    <message>
        <source>Right-click to return to Standard</source>
        <translation>Clic droit pour revenir à Standard</translation>
    </message>
</context>
<context>
    <name>TimeStepperField</name>
    <message>
        <source>Increment</source>
        <translation>Augmenter</translation>
    </message>
    <message>
        <source>Decrement</source>
        <translation>Diminuer</translation>
    </message>
    <message>
        <source>%1, hour</source>
        <translation>%1, heure</translation>
    </message>
    <message>
        <source>%1, minute</source>
        <translation>%1, minute</translation>
    </message>
    <message>
        <source>%1, AM or PM</source>
        <translation>%1, matin ou après-midi</translation>
    </message>
</context>
<context>
    <name>UpdateAlert</name>
    <message>
        <source>Halvoscope %1 is Available</source>
        <extracomment>%1 is the new version number.</extracomment>
        <translation>Halvoscope %1 est disponible</translation>
    </message>
    <message>
        <source>You are currently running Halvoscope %1.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Vous utilisez actuellement Halvoscope %1.</translation>
    </message>
    <message>
        <source>What&apos;s new:</source>
        <translation>Nouveautés&#xa0;:</translation>
    </message>
    <message>
        <source>Download Update</source>
        <translation>Télécharger la mise à jour</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>You&apos;re Up to Date</source>
        <translation>Vous êtes à jour</translation>
    </message>
    <message>
        <source>Halvoscope %1 is currently the newest version available.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Halvoscope %1 est actuellement la version la plus récente.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Couldn&apos;t Check for Updates</source>
        <translation>Impossible de rechercher des mises à jour</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Unable to reach %1. Check your internet connection and try again.</source>
        <extracomment>%1 is the update server&apos;s host name.</extracomment>
        <translation>Impossible de joindre %1. Vérifiez votre connexion à Internet et réessayez.</translation>
    </message>
</context>
<context>
    <name>WaylandColorStage</name>
    <message>
        <source>Another program controls the colors of %1, so Halvoscope cannot change them.</source>
        <translation>Un autre programme contrôle les couleurs de %1&#x202f;; Halvoscope ne peut donc pas les modifier.</translation>
    </message>
    <message>
        <source>%1 does not accept color changes: it takes no color tables, or another program holds them.</source>
        <translation>%1 n’accepte pas de changement de couleur&#xa0;: il ne prend pas de tables de couleur, ou un autre programme les détient.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Bienvenue dans Halvoscope</translation>
    </message>
    <message>
        <source>Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.</source>
        <translation>Des préréglages de couleur instantanés, la Lumière rouge pour les soirées tardives et le maintien en éveil — directement depuis votre tableau de bord.</translation>
    </message>
    <message>
        <source>One-Click Moods &amp; Custom Presets</source>
        <translation>Ambiances en un clic et préréglages personnalisés</translation>
    </message>
    <message>
        <source>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</source>
        <translation>Passez de Chaud à Lumière rouge ou au mode concentration Noir et blanc, ou créez les vôtres.</translation>
    </message>
    <message>
        <source>Daily Schedule &amp; Keep Awake</source>
        <translation>Programmation quotidienne et maintien en éveil</translation>
    </message>
    <message>
        <source>Warm your screen at the times you choose and prevent sleep with one switch.</source>
        <translation>Réchauffez votre écran aux heures de votre choix et empêchez la mise en veille d’un seul interrupteur.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Halvoscope is not running, and cannot start here: %1</source>
        <translation>Halvoscope n’est pas lancé et ne peut pas démarrer ici : %1</translation>
    </message>
</context>
</TS>
