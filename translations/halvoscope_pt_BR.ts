<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AutostartLoginItem</name>
    <message>
        <source>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</source>
        <translation>Desativado · O Halvoscope roda a partir da pasta de compilação; para iniciá-lo ao entrar na sessão, instale-o (make install ou o pacote)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Display this help and exit.</source>
        <translation>Mostra esta ajuda e sai.</translation>
    </message>
    <message>
        <source>Display the version and exit.</source>
        <translation>Mostra a versão e sai.</translation>
    </message>
    <message>
        <source>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Ativa a predefinição com este identificador, como um clique na sua linha; inicia o Halvoscope se ele não estiver em execução e houver uma tela.</translation>
    </message>
    <message>
        <source>Open the popover; starts Halvoscope when it is not running and a display is there.</source>
        <translation>Abre o painel suspenso; inicia o Halvoscope se ele não estiver em execução e houver uma tela.</translation>
    </message>
    <message>
        <source>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</source>
        <translation>Lista as predefinições da instância em execução, uma por linha: identificador, tabulação, nome; a ativa é marcada com *.</translation>
    </message>
    <message>
        <source>Quit the running instance, which restores every display first.</source>
        <translation>Encerra a instância em execução, que antes restaura todas as telas.</translation>
    </message>
    <message>
        <source>Display color presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</source>
        <translation>Predefinições de cor da tela, Luz vermelha e Manter ativo a partir da bandeja do sistema. Uma segunda execução passa o pedido para a instância em execução via D-Bus; --preset, --show, --list e --quit não precisam de tela enquanto houver uma instância.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>--list and --quit go alone, without --preset or --show.</source>
        <translation>--list e --quit vão sozinhos, sem --preset ou --show.</translation>
    </message>
    <message>
        <source>Preset ids: %1</source>
        <translation>Identificadores das predefinições: %1</translation>
    </message>
    <message>
        <source>Try &apos;halvoscope --help&apos;.</source>
        <translation>Tente “halvoscope --help”.</translation>
    </message>
</context>
<context>
    <name>DisplayColorEngine</name>
    <message>
        <source>Another program keeps changing the colors of %1. Halvoscope leaves them to it until the next preset change.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, HDMI-1&quot;).</extracomment>
        <translation>Outro programa continua mudando as cores de %1. O Halvoscope as deixa com ele até a próxima troca de predefinição.</translation>
    </message>
    <message>
        <source>every screen (no display server whose colors can be changed)</source>
        <translation>todas as telas (nenhum servidor gráfico cujas cores possam ser mudadas)</translation>
    </message>
</context>
<context>
    <name>DisplayProbe</name>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>nenhuma tela (nem DISPLAY nem WAYLAND_DISPLAY estão definidas).</translation>
    </message>
    <message>
        <source>the X display %1 does not answer.</source>
        <translation>a tela X %1 não responde.</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set).</source>
        <translation>nenhuma tela Wayland (WAYLAND_DISPLAY não está definida).</translation>
    </message>
</context>
<context>
    <name>DrillDownHeader</name>
    <message>
        <source>Back</source>
        <translation>Voltar</translation>
    </message>
</context>
<context>
    <name>HalvoApp</name>
    <message>
        <source>The display server offers no way to change the screen&apos;s colors (no XRandR). Presets still set brightness and Keep Awake.</source>
        <translation>O servidor gráfico não permite mudar as cores da tela (sem XRandR). As predefinições ainda ajustam o brilho e o Manter ativo.</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors: %1</source>
        <translation>O Halvoscope não pode mudar as cores da tela: %1</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors</source>
        <translation>O Halvoscope não pode mudar as cores da tela</translation>
    </message>
    <message>
        <source>Halvoscope could not save its settings</source>
        <translation>O Halvoscope não conseguiu salvar suas configurações</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>Falha ao gravar %1: %2</translation>
    </message>
    <message>
        <source>Halvoscope is running</source>
        <translation>O Halvoscope está em execução</translation>
    </message>
    <message>
        <source>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</source>
        <translation>Nenhum painel mostra o ícone. Para abrir o Halvoscope, inicie-o de novo ou execute &quot;halvoscope --show&quot;. %1</translation>
    </message>
    <message>
        <source>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>Para um ícone na barra superior, ative a extensão do GNOME Shell do Halvoscope (gnome-extensions enable halvoscope@corvanta.com) ou a extensão AppIndicator (pacote gnome-shell-extension-appindicator).</translation>
    </message>
    <message>
        <source>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</source>
        <translation>Para um ícone, adicione o widget Bandeja do sistema a um painel (clique com o botão direito no painel, Adicionar widgets).</translation>
    </message>
    <message>
        <source>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</source>
        <translation>Para um ícone, adicione o plugin Bandeja de status a um painel (Painel, Adicionar novos itens).</translation>
    </message>
    <message>
        <source>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</source>
        <translation>Para um ícone, dê uma bandeja à barra: tray_output do swaybar ou o módulo tray do Waybar.</translation>
    </message>
    <message>
        <source>For an icon, add the system tray (notification area) to a panel.</source>
        <translation>Para um ícone, adicione a bandeja do sistema (área de notificação) a um painel.</translation>
    </message>
    <message>
        <source>For an icon, run a panel with a system tray (for example trayer or stalonetray).</source>
        <translation>Para um ícone, execute um painel com bandeja do sistema (por exemplo trayer ou stalonetray).</translation>
    </message>
</context>
<context>
    <name>HalvoBusService</name>
    <message>
        <source>%1 is chosen, but no screen shows it: %2.</source>
        <translation>%1 está escolhido, mas nenhuma tela o mostra: %2.</translation>
    </message>
</context>
<context>
    <name>HalvoPreset</name>
    <message>
        <source>Standard</source>
        <translation>Padrão</translation>
    </message>
    <message>
        <source>Red Light</source>
        <translation>Luz vermelha</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>Vela</translation>
    </message>
    <message>
        <source>Black &amp; White</source>
        <translation>Preto e branco</translation>
    </message>
    <message>
        <source>Color Ink</source>
        <translation>Tinta colorida</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vívido</translation>
    </message>
    <message>
        <source>Custom Preset</source>
        <translation>Predefinição personalizada</translation>
    </message>
</context>
<context>
    <name>HalvoStore</name>
    <message>
        <source>Unable to inhibit screen blanking to keep display awake.</source>
        <translation>Não foi possível impedir o apagamento da tela para mantê-la ativa.</translation>
    </message>
    <message>
        <source>No login-item service is available.</source>
        <translation>Nenhum serviço de inicialização automática está disponível.</translation>
    </message>
    <message>
        <source>Unable to update Launch at Login: %1</source>
        <extracomment>%1 is the reason the desktop&apos;s autostart gave.</extracomment>
        <translation>Não foi possível alterar &quot;Abrir ao iniciar sessão&quot;: %1</translation>
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
        <translation>Iniciar o Halvoscope ao iniciar sessão</translation>
    </message>
    <message>
        <source>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</source>
        <translation>Deixe o Halvoscope pronto na bandeja do sistema sempre que iniciar a sessão, para que o agendamento diário e a Luz vermelha da noite funcionem automaticamente.</translation>
    </message>
    <message>
        <source>Open Halvoscope at Login</source>
        <translation>Abrir o Halvoscope ao iniciar sessão</translation>
    </message>
    <message>
        <source>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</source>
        <translation>Usa a inicialização automática padrão do ambiente — sem permissões extras, e você pode desativá-la a qualquer momento nas Configurações.</translation>
    </message>
    <message>
        <source>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</source>
        <translation>Dica: o Halvoscope fica discretamente na bandeja do sistema do painel. Clique com o botão direito no ícone da lâmpada a qualquer momento para voltar direto ao Padrão.</translation>
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
        <translation>Ativado</translation>
    </message>
</context>
<context>
    <name>MainPresetsView</name>
    <message>
        <source>Keep Awake</source>
        <translation>Manter ativo</translation>
    </message>
    <message>
        <source>Halvoscope Settings…</source>
        <translation>Configurações do Halvoscope…</translation>
    </message>
    <message>
        <source>Quit Halvoscope</source>
        <translation>Sair do Halvoscope</translation>
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
        <translation>a luz noturna do GNOME</translation>
    </message>
    <message>
        <source>KDE Plasma Night Light</source>
        <translation>a cor noturna do KDE Plasma</translation>
    </message>
    <message>
        <source>%1 can&apos;t show this preset: its settings are locked against changes.</source>
        <translation>%1 não pode mostrar esta predefinição: suas configurações estão bloqueadas.</translation>
    </message>
    <message>
        <source>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</source>
        <translation>%1 foi alterada fora do Halvoscope: sua alteração foi mantida, e as demais configurações da luz noturna voltaram a ser como você as tinha.</translation>
    </message>
    <message>
        <source>%1 could not be put back as you had it; Halvoscope will try again at its next start.</source>
        <translation>Não foi possível restaurar %1 como você tinha; o Halvoscope tentará de novo na próxima inicialização.</translation>
    </message>
</context>
<context>
    <name>OnboardingModel</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Bem-vindo ao Halvoscope</translation>
    </message>
    <message>
        <source>Open at Login</source>
        <translation>Abrir ao iniciar sessão</translation>
    </message>
    <message>
        <source>Custom Ripple Animation</source>
        <translation>Animação de ondulação</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The step counter: %1 is this step&apos;s number, %2 how many steps there are.</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Get Started →</source>
        <translation>Começar →</translation>
    </message>
    <message>
        <source>Continue →</source>
        <translation>Continuar →</translation>
    </message>
    <message>
        <source>Start Using Halvoscope</source>
        <translation>Começar a usar o Halvoscope</translation>
    </message>
    <message>
        <source>Enabled · Launches quietly in your system tray</source>
        <translation>Ativado · Abre discretamente na bandeja do sistema</translation>
    </message>
    <message>
        <source>Off · Open Halvoscope manually from Applications</source>
        <translation>Desativado · Abra o Halvoscope manualmente em Aplicativos</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>← Back</source>
        <translation>← Voltar</translation>
    </message>
    <message>
        <source>Skip for Now</source>
        <translation>Pular por enquanto</translation>
    </message>
</context>
<context>
    <name>PlatformFactory</name>
    <message>
        <source>The Wayland compositor offers no gamma control, so the screen&apos;s colors cannot be changed. Presets still set brightness and Keep Awake.</source>
        <translation>O compositor Wayland não oferece controle de gama, então as cores da tela não podem ser mudadas. As predefinições ainda ajustam o brilho e o Manter ativo.</translation>
    </message>
</context>
<context>
    <name>PresetEditorModel</name>
    <message>
        <source>Preset</source>
        <translation>Predefinição</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Indisponível</translation>
    </message>
    <message>
        <source>Keep system display level</source>
        <translation>Manter o brilho do sistema</translation>
    </message>
    <message>
        <source>Unavailable on this display</source>
        <translation>Indisponível nesta tela</translation>
    </message>
</context>
<context>
    <name>PresetEditorView</name>
    <message>
        <source>Reset</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>Nome da predefinição</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Nome da predefinição</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Temperatura de cor</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>Quente</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>Fria</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturação</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Tons de cinza</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>Vívido</translation>
    </message>
    <message>
        <source>Auto Brightness</source>
        <translation>Brilho automático</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Tela</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>Excluir predefinição</translation>
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
        <translation>Não há barramento de sessão D-Bus aqui (DBUS_SESSION_BUS_ADDRESS), então nenhum Halvoscope em execução pode ser acessado.</translation>
    </message>
    <message>
        <source>Halvoscope is not running on this session bus.</source>
        <translation>O Halvoscope não está em execução neste barramento de sessão.</translation>
    </message>
    <message>
        <source>Halvoscope is running but did not answer: %1</source>
        <translation>O Halvoscope está em execução, mas não respondeu: %1</translation>
    </message>
    <message>
        <source>No preset with id “%1”. Valid ids: %2</source>
        <translation>Nenhuma predefinição com o identificador “%1”. Identificadores válidos: %2</translation>
    </message>
</context>
<context>
    <name>RipplePage</name>
    <message>
        <source>Optical Water-Ripple Animation</source>
        <translation>Animação de ondulação óptica</translation>
    </message>
    <message>
        <source>Active ✓</source>
        <translation>Ativa ✓</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>Opcional</translation>
    </message>
    <message>
        <source>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.</source>
        <translation>Ao trocar de predefinição, o Halvoscope pode passar pela sua área de trabalho uma ondulação de água calculada ao vivo pela GPU, em vez de um simples esmaecimento de cor.</translation>
    </message>
    <message>
        <source>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</source>
        <translation>Por que o Halvoscope captura a tela: para refratar os pixels exibidos durante a transição de 3 segundos. Nada é gravado, armazenado ou enviado para fora do seu computador.</translation>
    </message>
    <message>
        <source>Screen capture available — Optical Water-Ripple is ready!</source>
        <translation>Captura de tela disponível — a ondulação óptica está pronta!</translation>
    </message>
    <message>
        <source>No screen capture in this session — the ripple fades instead.</source>
        <translation>Sem captura de tela nesta sessão — a ondulação vira um esmaecimento.</translation>
    </message>
    <message>
        <source>Enable Ripple &amp; Allow Capture…</source>
        <translation>Ativar ondulação e permitir captura…</translation>
    </message>
    <message>
        <source>Relaunch &amp; Finish</source>
        <translation>Reiniciar e concluir</translation>
    </message>
    <message>
        <source>Turn On GNOME Shell Extension</source>
        <translation>Ativar a extensão do GNOME Shell</translation>
    </message>
</context>
<context>
    <name>RipplePreview</name>
    <message>
        <source>Click preview to test ripple</source>
        <translation>Clique na prévia para testar a ondulação</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Refração óptica</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Daily Schedule</source>
        <translation>Agendamento diário</translation>
    </message>
    <message>
        <source>Automatic Switching</source>
        <translation>Troca automática</translation>
    </message>
    <message>
        <source>First Switch</source>
        <translation>Primeira troca</translation>
    </message>
    <message>
        <source>Second Switch</source>
        <translation>Segunda troca</translation>
    </message>
    <message>
        <source>Applies once per scheduled period and won&apos;t override manual changes.</source>
        <translation>Aplica-se uma vez por período agendado e não substitui alterações manuais.</translation>
    </message>
    <message>
        <source>Save Schedule</source>
        <translation>Salvar agendamento</translation>
    </message>
    <message>
        <source>Not saved yet: Back leaves the schedule as it was.</source>
        <translation>Ainda não salvo: Voltar deixa o agendamento como estava.</translation>
    </message>
</context>
<context>
    <name>ScreenCapabilityText</name>
    <message>
        <source>Saturation isn&apos;t available with %1: it shows the temperature only.</source>
        <extracomment>%1 is the desktop&apos;s night light (&quot;GNOME Night Light&quot;).</extracomment>
        <translation>A saturação não está disponível com %1: só a temperatura é aplicada.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1: it shows the temperature only.</source>
        <extracomment>%1 is a screen&apos;s name (&quot;DP-1&quot;).</extracomment>
        <translation>A saturação não está disponível em %1: só a temperatura é aplicada.</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, DP-2&quot;), %2 the last screen.</extracomment>
        <translation>A saturação não está disponível em %1 e %2: só a temperatura é aplicada.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 — color matrix</source>
        <extracomment>%1 is a screen&apos;s name.</extracomment>
        <translation>%1 — matriz de cor</translation>
    </message>
    <message>
        <source>%1 — gamma (temperature only)</source>
        <translation>%1 — gama (somente temperatura)</translation>
    </message>
    <message>
        <source>%1 — compositor gamma (temperature only)</source>
        <translation>%1 — gama do compositor (somente temperatura)</translation>
    </message>
    <message>
        <source>%1 (temperature only)</source>
        <translation>%1 (somente temperatura)</translation>
    </message>
    <message>
        <source>Halvoscope can&apos;t change the screens&apos; colors here. Presets still set brightness and Keep Awake.</source>
        <translation>O Halvoscope não pode mudar as cores das telas aqui. As predefinições ainda ajustam o brilho e o Manter ativo.</translation>
    </message>
    <message>
        <source>%1 — color filter</source>
        <translation>%1 — filtro de cor</translation>
    </message>
    <message>
        <source>%1 — does not accept color changes (no color tables, or another program holds them)</source>
        <translation>%1 — não aceita mudanças de cor (sem tabelas de cor, ou outro programa as controla)</translation>
    </message>
    <message>
        <source>%1 — colors controlled by another program</source>
        <translation>%1 — cores controladas por outro programa</translation>
    </message>
    <message>
        <source>Full color on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</source>
        <translation>Cores completas no GNOME precisam da extensão do GNOME Shell do Halvoscope, que não está instalada.</translation>
    </message>
    <message>
        <source>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</source>
        <translation>Saia e entre na sessão uma vez: o GNOME Shell encontra a nova extensão do Halvoscope ao iniciar a sessão.</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension for full color and an icon in the top bar.</source>
        <translation>Ative a extensão do GNOME Shell para ter cores completas e um ícone na barra superior.</translation>
    </message>
    <message>
        <source>GNOME Shell extension: on</source>
        <translation>Extensão do GNOME Shell: ativada</translation>
    </message>
    <message>
        <source>The GNOME Shell extension could not start: %1</source>
        <extracomment>%1 is what GNOME Shell reported.</extracomment>
        <translation>Não foi possível iniciar a extensão do GNOME Shell: %1</translation>
    </message>
    <message>
        <source>GNOME Shell extensions are switched off. Turn them on for full color.</source>
        <translation>As extensões do GNOME Shell estão desativadas. Ative-as para ter cores completas.</translation>
    </message>
    <message>
        <source>%1 (temperature only: KWin refused Halvoscope&apos;s color filter)</source>
        <translation>%1 (somente temperatura: o KWin recusou o filtro de cor do Halvoscope)</translation>
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
        <translation>Ativado</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Desativado</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Verificando…</translation>
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
        <translation>Configurações</translation>
    </message>
    <message>
        <source>New Custom Preset</source>
        <translation>Nova predefinição personalizada</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>Nome da predefinição</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <source>Tray Menu Presets</source>
        <translation>Predefinições do menu</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Daily Schedule</source>
        <translation>Agendamento diário</translation>
    </message>
    <message>
        <source>Setup Guide…</source>
        <translation>Guia de configuração…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Verificar atualizações…</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versão</translation>
    </message>
    <message>
        <source>Ripple Animation</source>
        <translation>Animação de ondulação</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>Refração óptica</translation>
    </message>
    <message>
        <source>Water-ripple distortion active</source>
        <translation>Distorção de ondulação ativa</translation>
    </message>
    <message>
        <source>No screen capture — the ripple fades</source>
        <translation>Sem captura de tela — a ondulação vira um esmaecimento</translation>
    </message>
    <message>
        <source>Grant Screen Capture…</source>
        <translation>Permitir captura de tela…</translation>
    </message>
    <message>
        <source>Relaunch</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir ao iniciar sessão</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>Editar %1</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>Ativar</translation>
    </message>
</context>
<context>
    <name>StatePersistence</name>
    <message>
        <source>Could not create the folder &quot;%1&quot;</source>
        <translation>Não foi possível criar a pasta &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>StatusIcon</name>
    <message>
        <source>Keeping Awake</source>
        <translation>Mantendo ativo</translation>
    </message>
    <message>
        <source>Right-click to return to Standard</source>
        <translation>Clique com o botão direito para voltar ao Padrão</translation>
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
        <translation>Diminuir</translation>
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
        <translation>%1, AM ou PM</translation>
    </message>
</context>
<context>
    <name>UpdateAlert</name>
    <message>
        <source>Halvoscope %1 is Available</source>
        <extracomment>%1 is the new version number.</extracomment>
        <translation>O Halvoscope %1 está disponível</translation>
    </message>
    <message>
        <source>You are currently running Halvoscope %1.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Você está usando o Halvoscope %1.</translation>
    </message>
    <message>
        <source>What&apos;s new:</source>
        <translation>Novidades:</translation>
    </message>
    <message>
        <source>Download Update</source>
        <translation>Baixar atualização</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Mais tarde</translation>
    </message>
    <message>
        <source>You&apos;re Up to Date</source>
        <translation>Você está atualizado</translation>
    </message>
    <message>
        <source>Halvoscope %1 is currently the newest version available.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>O Halvoscope %1 é a versão mais recente disponível.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Couldn&apos;t Check for Updates</source>
        <translation>Não foi possível verificar atualizações</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Unable to reach %1. Check your internet connection and try again.</source>
        <extracomment>%1 is the update server&apos;s host name.</extracomment>
        <translation>Não foi possível acessar %1. Verifique sua conexão com a Internet e tente de novo.</translation>
    </message>
</context>
<context>
    <name>WaylandColorStage</name>
    <message>
        <source>Another program controls the colors of %1, so Halvoscope cannot change them.</source>
        <translation>Outro programa controla as cores de %1, então o Halvoscope não pode mudá-las.</translation>
    </message>
    <message>
        <source>%1 does not accept color changes: it takes no color tables, or another program holds them.</source>
        <translation>%1 não aceita mudanças de cor: não recebe tabelas de cor, ou outro programa as controla.</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Bem-vindo ao Halvoscope</translation>
    </message>
    <message>
        <source>Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.</source>
        <translation>Predefinições de cor instantâneas, Luz vermelha para a madrugada e Manter ativo — direto do painel da sua área de trabalho.</translation>
    </message>
    <message>
        <source>One-Click Moods &amp; Custom Presets</source>
        <translation>Climas com um clique e predefinições personalizadas</translation>
    </message>
    <message>
        <source>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</source>
        <translation>Alterne entre Quente, Luz vermelha e o modo de foco Preto e branco, ou crie as suas.</translation>
    </message>
    <message>
        <source>Daily Schedule &amp; Keep Awake</source>
        <translation>Agendamento diário e Manter ativo</translation>
    </message>
    <message>
        <source>Warm your screen at the times you choose and prevent sleep with one switch.</source>
        <translation>Deixe a tela mais quente nos horários que escolher e evite a suspensão com um só botão.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Halvoscope is not running, and cannot start here: %1</source>
        <translation>O Halvoscope não está em execução e não pode iniciar aqui: %1</translation>
    </message>
</context>
</TS>
