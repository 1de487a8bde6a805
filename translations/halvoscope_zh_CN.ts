<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AutostartLoginItem</name>
    <message>
        <source>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</source>
        <translation>关 · Halvoscope 正从其构建目录运行；要在登录时启动，请安装它（make install 或软件包）</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Display this help and exit.</source>
        <translation>显示此帮助并退出。</translation>
    </message>
    <message>
        <source>Display the version and exit.</source>
        <translation>显示版本并退出。</translation>
    </message>
    <message>
        <source>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</source>
        <translation>应用此 ID 的预设，效果与点击其所在行相同；若 Halvoscope 未运行且有显示器，则启动它。</translation>
    </message>
    <message>
        <source>Open the popover; starts Halvoscope when it is not running and a display is there.</source>
        <translation>打开弹出面板；若 Halvoscope 未运行且有显示器，则启动它。</translation>
    </message>
    <message>
        <source>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</source>
        <translation>列出正在运行的实例的预设，每行一个：ID、制表符、名称；当前预设以 * 标记。</translation>
    </message>
    <message>
        <source>Quit the running instance, which restores every display first.</source>
        <translation>退出正在运行的实例，它会先恢复每块屏幕。</translation>
    </message>
    <message>
        <source>Display color presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</source>
        <translation>从系统托盘设置屏幕颜色预设、红光和保持唤醒。再次启动时会通过 D-Bus 把请求交给正在运行的实例；实例运行时，--preset、--show、--list 和 --quit 不需要显示器。</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>意外的参数“%1”。</translation>
    </message>
    <message>
        <source>--list and --quit go alone, without --preset or --show.</source>
        <translation>--list 和 --quit 需单独使用，不能与 --preset 或 --show 同用。</translation>
    </message>
    <message>
        <source>Preset ids: %1</source>
        <translation>预设 ID：%1</translation>
    </message>
    <message>
        <source>Try &apos;halvoscope --help&apos;.</source>
        <translation>请尝试“halvoscope --help”。</translation>
    </message>
</context>
<context>
    <name>DisplayColorEngine</name>
    <message>
        <source>Another program keeps changing the colors of %1. Halvoscope leaves them to it until the next preset change.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, HDMI-1&quot;).</extracomment>
        <translation>另一个程序在不断更改 %1 的颜色。在下次切换预设之前，Halvoscope 将交由该程序控制。</translation>
    </message>
    <message>
        <source>every screen (no display server whose colors can be changed)</source>
        <translation>所有屏幕（没有可更改颜色的显示服务器）</translation>
    </message>
</context>
<context>
    <name>DisplayProbe</name>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>没有显示器（DISPLAY 和 WAYLAND_DISPLAY 均未设置）。</translation>
    </message>
    <message>
        <source>the X display %1 does not answer.</source>
        <translation>X 显示器 %1 没有响应。</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set).</source>
        <translation>没有 Wayland 显示器（未设置 WAYLAND_DISPLAY）。</translation>
    </message>
</context>
<context>
    <name>DrillDownHeader</name>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
</context>
<context>
    <name>HalvoApp</name>
    <message>
        <source>The display server offers no way to change the screen&apos;s colors (no XRandR). Presets still set brightness and Keep Awake.</source>
        <translation>显示服务器不支持更改屏幕颜色（没有 XRandR）。预设仍会设置亮度和保持唤醒。</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors: %1</source>
        <translation>Halvoscope 无法更改屏幕颜色：%1</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors</source>
        <translation>Halvoscope 无法更改屏幕颜色</translation>
    </message>
    <message>
        <source>Halvoscope could not save its settings</source>
        <translation>Halvoscope 无法保存设置</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>写入 %1 失败：%2</translation>
    </message>
    <message>
        <source>Halvoscope is running</source>
        <translation>Halvoscope 正在运行</translation>
    </message>
    <message>
        <source>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</source>
        <translation>没有面板显示其图标。要打开 Halvoscope，请再次启动它或运行“halvoscope --show”。%1</translation>
    </message>
    <message>
        <source>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>要在顶栏显示图标，请启用 Halvoscope 的 GNOME Shell 扩展（gnome-extensions enable halvoscope@corvanta.com）或 AppIndicator 扩展（软件包 gnome-shell-extension-appindicator）。</translation>
    </message>
    <message>
        <source>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</source>
        <translation>要显示图标，请向面板添加“系统托盘”小部件（右键点击面板，添加小部件）。</translation>
    </message>
    <message>
        <source>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</source>
        <translation>要显示图标，请向面板添加“状态托盘”插件（面板，添加新项目）。</translation>
    </message>
    <message>
        <source>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</source>
        <translation>要显示图标，请为栏添加托盘：swaybar 的 tray_output，或 Waybar 的 tray 模块。</translation>
    </message>
    <message>
        <source>For an icon, add the system tray (notification area) to a panel.</source>
        <translation>要显示图标，请向面板添加系统托盘（通知区域）。</translation>
    </message>
    <message>
        <source>For an icon, run a panel with a system tray (for example trayer or stalonetray).</source>
        <translation>要显示图标，请运行带系统托盘的面板（例如 trayer 或 stalonetray）。</translation>
    </message>
</context>
<context>
    <name>HalvoBusService</name>
    <message>
        <source>%1 is chosen, but no screen shows it: %2.</source>
        <translation>已选择 %1，但没有屏幕显示它：%2。</translation>
    </message>
</context>
<context>
    <name>HalvoPreset</name>
    <message>
        <source>Standard</source>
        <translation>标准</translation>
    </message>
    <message>
        <source>Red Light</source>
        <translation>红光</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>烛光</translation>
    </message>
    <message>
        <source>Black &amp; White</source>
        <translation>黑白</translation>
    </message>
    <message>
        <source>Color Ink</source>
        <translation>彩墨</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>鲜艳</translation>
    </message>
    <message>
        <source>Custom Preset</source>
        <translation>自定义预设</translation>
    </message>
</context>
<context>
    <name>HalvoStore</name>
    <message>
        <source>Unable to inhibit screen blanking to keep display awake.</source>
        <translation>无法阻止屏幕关闭，无法保持显示器唤醒。</translation>
    </message>
    <message>
        <source>No login-item service is available.</source>
        <translation>没有可用的自动启动服务。</translation>
    </message>
    <message>
        <source>Unable to update Launch at Login: %1</source>
        <extracomment>%1 is the reason the desktop&apos;s autostart gave.</extracomment>
        <translation>无法更改“登录时启动”：%1</translation>
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
        <translation>登录时启动 Halvoscope</translation>
    </message>
    <message>
        <source>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</source>
        <translation>每次登录时都让 Halvoscope 在系统托盘中待命，使每日计划和夜间红光预设自动运行。</translation>
    </message>
    <message>
        <source>Open Halvoscope at Login</source>
        <translation>登录时打开 Halvoscope</translation>
    </message>
    <message>
        <source>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</source>
        <translation>使用桌面标准的自动启动——无需额外权限，并且可以随时在设置中关闭。</translation>
    </message>
    <message>
        <source>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</source>
        <translation>提示：Halvoscope 安静地待在面板的系统托盘中。随时右键点击灯泡图标即可直接回到标准。</translation>
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
        <translation>正在应用…</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
</context>
<context>
    <name>MainPresetsView</name>
    <message>
        <source>Keep Awake</source>
        <translation>保持唤醒</translation>
    </message>
    <message>
        <source>Halvoscope Settings…</source>
        <translation>Halvoscope 设置…</translation>
    </message>
    <message>
        <source>Quit Halvoscope</source>
        <translation>退出 Halvoscope</translation>
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
        <translation>GNOME 夜灯</translation>
    </message>
    <message>
        <source>KDE Plasma Night Light</source>
        <translation>KDE Plasma 夜间颜色</translation>
    </message>
    <message>
        <source>%1 can&apos;t show this preset: its settings are locked against changes.</source>
        <translation>%1 无法显示此预设：其设置已被锁定，无法更改。</translation>
    </message>
    <message>
        <source>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</source>
        <translation>%1 在 Halvoscope 之外被更改：您的更改已保留，其他夜灯设置已恢复为您原来的样子。</translation>
    </message>
    <message>
        <source>%1 could not be put back as you had it; Halvoscope will try again at its next start.</source>
        <translation>无法将 %1 恢复原状；Halvoscope 会在下次启动时重试。</translation>
    </message>
</context>
<context>
    <name>OnboardingModel</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>欢迎使用 Halvoscope</translation>
    </message>
    <message>
        <source>Open at Login</source>
        <translation>登录时打开</translation>
    </message>
    <message>
        <source>Custom Ripple Animation</source>
        <translation>涟漪动画</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The step counter: %1 is this step&apos;s number, %2 how many steps there are.</extracomment>
        <translation>第 %1 步，共 %2 步</translation>
    </message>
    <message>
        <source>Get Started →</source>
        <translation>开始 →</translation>
    </message>
    <message>
        <source>Continue →</source>
        <translation>继续 →</translation>
    </message>
    <message>
        <source>Start Using Halvoscope</source>
        <translation>开始使用 Halvoscope</translation>
    </message>
    <message>
        <source>Enabled · Launches quietly in your system tray</source>
        <translation>已启用 · 在系统托盘中安静启动</translation>
    </message>
    <message>
        <source>Off · Open Halvoscope manually from Applications</source>
        <translation>关 · 请从应用程序中手动打开 Halvoscope</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>← Back</source>
        <translation>← 返回</translation>
    </message>
    <message>
        <source>Skip for Now</source>
        <translation>暂时跳过</translation>
    </message>
</context>
<context>
    <name>PlatformFactory</name>
    <message>
        <source>The Wayland compositor offers no gamma control, so the screen&apos;s colors cannot be changed. Presets still set brightness and Keep Awake.</source>
        <translation>Wayland 合成器不提供伽马控制，因此无法更改屏幕颜色。预设仍会设置亮度和保持唤醒。</translation>
    </message>
</context>
<context>
    <name>PresetEditorModel</name>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>不可用</translation>
    </message>
    <message>
        <source>Keep system display level</source>
        <translation>保持系统亮度</translation>
    </message>
    <message>
        <source>Unavailable on this display</source>
        <translation>此显示器不可用</translation>
    </message>
</context>
<context>
    <name>PresetEditorView</name>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>预设名称</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>预设名称</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>色温</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>暖</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>冷</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>灰度</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>鲜艳</translation>
    </message>
    <message>
        <source>Auto Brightness</source>
        <translation>自动亮度</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>显示器</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>删除预设</translation>
    </message>
</context>
<context>
    <name>PresetRow</name>
    <message>
        <source>Adjust %1</source>
        <translation>调整%1</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running Halvoscope can be reached.</source>
        <translation>这里没有 D-Bus 会话总线（DBUS_SESSION_BUS_ADDRESS），因此无法连接到正在运行的 Halvoscope。</translation>
    </message>
    <message>
        <source>Halvoscope is not running on this session bus.</source>
        <translation>Halvoscope 未在此会话总线上运行。</translation>
    </message>
    <message>
        <source>Halvoscope is running but did not answer: %1</source>
        <translation>Halvoscope 正在运行，但没有响应：%1</translation>
    </message>
    <message>
        <source>No preset with id “%1”. Valid ids: %2</source>
        <translation>没有 ID 为“%1”的预设。有效的 ID：%2</translation>
    </message>
</context>
<context>
    <name>RipplePage</name>
    <message>
        <source>Optical Water-Ripple Animation</source>
        <translation>光学水波动画</translation>
    </message>
    <message>
        <source>Active ✓</source>
        <translation>已启用 ✓</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>可选</translation>
    </message>
    <message>
        <source>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.</source>
        <translation>切换预设时，Halvoscope 可以用 GPU 实时绘制的水波划过桌面，取代普通的颜色渐变。</translation>
    </message>
    <message>
        <source>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</source>
        <translation>Halvoscope 为何使用屏幕捕获：为了在 3 秒的过渡中折射屏幕上的实时像素。不会录制、保存或向计算机外发送任何内容。</translation>
    </message>
    <message>
        <source>Screen capture available — Optical Water-Ripple is ready!</source>
        <translation>屏幕捕获可用——光学水波已就绪！</translation>
    </message>
    <message>
        <source>No screen capture in this session — the ripple fades instead.</source>
        <translation>此会话无法捕获屏幕——涟漪将改为渐变。</translation>
    </message>
    <message>
        <source>Enable Ripple &amp; Allow Capture…</source>
        <translation>启用涟漪并允许捕获…</translation>
    </message>
    <message>
        <source>Relaunch &amp; Finish</source>
        <translation>重新启动并完成</translation>
    </message>
    <message>
        <source>Turn On GNOME Shell Extension</source>
        <translation>打开 GNOME Shell 扩展</translation>
    </message>
</context>
<context>
    <name>RipplePreview</name>
    <message>
        <source>Click preview to test ripple</source>
        <translation>点击预览以测试涟漪</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>光学折射</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Daily Schedule</source>
        <translation>每日计划</translation>
    </message>
    <message>
        <source>Automatic Switching</source>
        <translation>自动切换</translation>
    </message>
    <message>
        <source>First Switch</source>
        <translation>第一次切换</translation>
    </message>
    <message>
        <source>Second Switch</source>
        <translation>第二次切换</translation>
    </message>
    <message>
        <source>Applies once per scheduled period and won&apos;t override manual changes.</source>
        <translation>每个计划时段只应用一次，不会覆盖手动更改。</translation>
    </message>
    <message>
        <source>Save Schedule</source>
        <translation>保存计划</translation>
    </message>
    <message>
        <source>Not saved yet: Back leaves the schedule as it was.</source>
        <translation>尚未保存：点“返回”将保持原来的计划。</translation>
    </message>
</context>
<context>
    <name>ScreenCapabilityText</name>
    <message>
        <source>Saturation isn&apos;t available with %1: it shows the temperature only.</source>
        <extracomment>%1 is the desktop&apos;s night light (&quot;GNOME Night Light&quot;).</extracomment>
        <translation>使用%1时无法调整饱和度：仅应用色温。</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1: it shows the temperature only.</source>
        <extracomment>%1 is a screen&apos;s name (&quot;DP-1&quot;).</extracomment>
        <translation>%1 无法调整饱和度：仅应用色温。</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, DP-2&quot;), %2 the last screen.</extracomment>
        <translation>%1 和 %2 无法调整饱和度：仅应用色温。</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>%1 — color matrix</source>
        <extracomment>%1 is a screen&apos;s name.</extracomment>
        <translation>%1 — 颜色矩阵</translation>
    </message>
    <message>
        <source>%1 — gamma (temperature only)</source>
        <translation>%1 — 伽马（仅色温）</translation>
    </message>
    <message>
        <source>%1 — compositor gamma (temperature only)</source>
        <translation>%1 — 合成器伽马（仅色温）</translation>
    </message>
    <message>
        <source>%1 (temperature only)</source>
        <translation>%1（仅色温）</translation>
    </message>
    <message>
        <source>Halvoscope can&apos;t change the screens&apos; colors here. Presets still set brightness and Keep Awake.</source>
        <translation>Halvoscope 在此无法更改屏幕颜色。预设仍会设置亮度和保持唤醒。</translation>
    </message>
    <message>
        <source>%1 — color filter</source>
        <translation>%1 — 颜色滤镜</translation>
    </message>
    <message>
        <source>%1 — does not accept color changes (no color tables, or another program holds them)</source>
        <translation>%1 — 不接受颜色更改（没有颜色表，或另一个程序占用了它们）</translation>
    </message>
    <message>
        <source>%1 — colors controlled by another program</source>
        <translation>%1 — 颜色由另一个程序控制</translation>
    </message>
    <message>
        <source>Full color on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</source>
        <translation>在 GNOME 上使用全彩需要 Halvoscope 的 GNOME Shell 扩展，但它尚未安装。</translation>
    </message>
    <message>
        <source>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</source>
        <translation>请注销并重新登录一次：GNOME Shell 会在登录时找到新的 Halvoscope 扩展。</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension for full color and an icon in the top bar.</source>
        <translation>打开 GNOME Shell 扩展即可使用全彩，并在顶栏显示图标。</translation>
    </message>
    <message>
        <source>GNOME Shell extension: on</source>
        <translation>GNOME Shell 扩展：开</translation>
    </message>
    <message>
        <source>The GNOME Shell extension could not start: %1</source>
        <extracomment>%1 is what GNOME Shell reported.</extracomment>
        <translation>GNOME Shell 扩展无法启动：%1</translation>
    </message>
    <message>
        <source>GNOME Shell extensions are switched off. Turn them on for full color.</source>
        <translation>GNOME Shell 扩展已关闭。请打开它们以使用全彩。</translation>
    </message>
    <message>
        <source>%1 (temperature only: KWin refused Halvoscope&apos;s color filter)</source>
        <translation>%1（仅色温：KWin 拒绝了 Halvoscope 的颜色滤镜）</translation>
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
        <translation>开</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>正在检查…</translation>
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
        <translation>设置</translation>
    </message>
    <message>
        <source>New Custom Preset</source>
        <translation>新建自定义预设</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>预设名称</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Tray Menu Presets</source>
        <translation>菜单中的预设</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Daily Schedule</source>
        <translation>每日计划</translation>
    </message>
    <message>
        <source>Setup Guide…</source>
        <translation>设置向导…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>检查更新…</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Ripple Animation</source>
        <translation>涟漪动画</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>光学折射</translation>
    </message>
    <message>
        <source>Water-ripple distortion active</source>
        <translation>水波扭曲已启用</translation>
    </message>
    <message>
        <source>No screen capture — the ripple fades</source>
        <translation>无屏幕捕获——涟漪改为渐变</translation>
    </message>
    <message>
        <source>Grant Screen Capture…</source>
        <translation>允许屏幕捕获…</translation>
    </message>
    <message>
        <source>Relaunch</source>
        <translation>重新启动</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>登录时启动</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>编辑%1</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>打开</translation>
    </message>
</context>
<context>
    <name>StatePersistence</name>
    <message>
        <source>Could not create the folder &quot;%1&quot;</source>
        <translation>无法创建文件夹“%1”</translation>
    </message>
</context>
<context>
    <name>StatusIcon</name>
    <message>
        <source>Keeping Awake</source>
        <translation>保持唤醒中</translation>
    </message>
    <message>
        <source>Right-click to return to Standard</source>
        <translation>右键点击以回到标准</translation>
    </message>
</context>
<context>
    <name>TimeStepperField</name>
    <message>
        <source>Increment</source>
        <translation>增加</translation>
    </message>
    <message>
        <source>Decrement</source>
        <translation>减少</translation>
    </message>
    <message>
        <source>%1, hour</source>
        <translation>%1，小时</translation>
    </message>
    <message>
        <source>%1, minute</source>
        <translation>%1，分钟</translation>
    </message>
    <message>
        <source>%1, AM or PM</source>
        <translation>%1，上午或下午</translation>
    </message>
</context>
<context>
    <name>UpdateAlert</name>
    <message>
        <source>Halvoscope %1 is Available</source>
        <extracomment>%1 is the new version number.</extracomment>
        <translation>Halvoscope %1 已发布</translation>
    </message>
    <message>
        <source>You are currently running Halvoscope %1.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>您当前使用的是 Halvoscope %1。</translation>
    </message>
    <message>
        <source>What&apos;s new:</source>
        <translation>新功能：</translation>
    </message>
    <message>
        <source>Download Update</source>
        <translation>下载更新</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>稍后</translation>
    </message>
    <message>
        <source>You&apos;re Up to Date</source>
        <translation>已是最新版本</translation>
    </message>
    <message>
        <source>Halvoscope %1 is currently the newest version available.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Halvoscope %1 是目前可用的最新版本。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Couldn&apos;t Check for Updates</source>
        <translation>无法检查更新</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Unable to reach %1. Check your internet connection and try again.</source>
        <extracomment>%1 is the update server&apos;s host name.</extracomment>
        <translation>无法连接到 %1。请检查网络连接后重试。</translation>
    </message>
</context>
<context>
    <name>WaylandColorStage</name>
    <message>
        <source>Another program controls the colors of %1, so Halvoscope cannot change them.</source>
        <translation>另一个程序正在控制 %1 的颜色，因此 Halvoscope 无法更改。</translation>
    </message>
    <message>
        <source>%1 does not accept color changes: it takes no color tables, or another program holds them.</source>
        <translation>%1 不接受颜色更改：它不接受颜色表，或另一个程序占用了它们。</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>欢迎使用 Halvoscope</translation>
    </message>
    <message>
        <source>Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.</source>
        <translation>即时的屏幕颜色预设、深夜红光和保持唤醒——直接在桌面面板中使用。</translation>
    </message>
    <message>
        <source>One-Click Moods &amp; Custom Presets</source>
        <translation>一键切换氛围与自定义预设</translation>
    </message>
    <message>
        <source>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</source>
        <translation>在暖色、红光和黑白专注模式之间切换，或创建您自己的预设。</translation>
    </message>
    <message>
        <source>Daily Schedule &amp; Keep Awake</source>
        <translation>每日计划与保持唤醒</translation>
    </message>
    <message>
        <source>Warm your screen at the times you choose and prevent sleep with one switch.</source>
        <translation>在您选择的时间让屏幕变暖，一个开关即可防止休眠。</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Halvoscope is not running, and cannot start here: %1</source>
        <translation>Halvoscope 未运行，且无法在此启动：%1</translation>
    </message>
</context>
</TS>
