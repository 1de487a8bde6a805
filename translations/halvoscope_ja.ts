<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AutostartLoginItem</name>
    <message>
        <source>Off · Halvoscope runs from its build folder; to start it at login, install it (make install or the package)</source>
        <translation>オフ · Halvoscope はビルドフォルダーから実行されています。ログイン時に起動するには、インストールしてください (make install またはパッケージ)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Display this help and exit.</source>
        <translation>このヘルプを表示して終了します。</translation>
    </message>
    <message>
        <source>Display the version and exit.</source>
        <translation>バージョンを表示して終了します。</translation>
    </message>
    <message>
        <source>Activate the preset with this id, as a click on its row would; starts Halvoscope when it is not running and a display is there.</source>
        <translation>この ID のプリセットを、その行をクリックしたときと同じように適用します。Halvoscope が起動しておらず、ディスプレイがあれば起動します。</translation>
    </message>
    <message>
        <source>Open the popover; starts Halvoscope when it is not running and a display is there.</source>
        <translation>ポップオーバーを開きます。Halvoscope が起動しておらず、ディスプレイがあれば起動します。</translation>
    </message>
    <message>
        <source>List the presets of the running instance, one a line: id, a tab, name; the active one is marked with *.</source>
        <translation>実行中のインスタンスのプリセットを 1 行に 1 つずつ一覧表示します: ID、タブ、名前。適用中のものには * が付きます。</translation>
    </message>
    <message>
        <source>Quit the running instance, which restores every display first.</source>
        <translation>実行中のインスタンスを終了します。終了前にすべての画面を元に戻します。</translation>
    </message>
    <message>
        <source>Display color presets, Red Light and Keep Awake from the tray. A second start hands its request to the running instance over D-Bus; --preset, --show, --list and --quit need no display while an instance runs.</source>
        <translation>システムトレイから画面のカラープリセット、赤色ライト、スリープ防止を操作します。2 回目の起動は D-Bus 経由で実行中のインスタンスに要求を渡します。インスタンスの実行中は --preset、--show、--list、--quit にディスプレイは不要です。</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>予期しない引数「%1」。</translation>
    </message>
    <message>
        <source>--list and --quit go alone, without --preset or --show.</source>
        <translation>--list と --quit は単独で使います (--preset や --show と併用できません)。</translation>
    </message>
    <message>
        <source>Preset ids: %1</source>
        <translation>プリセットの ID: %1</translation>
    </message>
    <message>
        <source>Try &apos;halvoscope --help&apos;.</source>
        <translation>「halvoscope --help」を試してください。</translation>
    </message>
</context>
<context>
    <name>DisplayColorEngine</name>
    <message>
        <source>Another program keeps changing the colors of %1. Halvoscope leaves them to it until the next preset change.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, HDMI-1&quot;).</extracomment>
        <translation>別のプログラムが %1 の色を変更し続けています。次にプリセットを切り替えるまで、Halvoscope はそのプログラムに任せます。</translation>
    </message>
    <message>
        <source>every screen (no display server whose colors can be changed)</source>
        <translation>すべての画面 (色を変更できるディスプレイサーバーがありません)</translation>
    </message>
</context>
<context>
    <name>DisplayProbe</name>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>ディスプレイがありません (DISPLAY も WAYLAND_DISPLAY も設定されていません)。</translation>
    </message>
    <message>
        <source>the X display %1 does not answer.</source>
        <translation>X ディスプレイ %1 が応答しません。</translation>
    </message>
    <message>
        <source>no Wayland display (WAYLAND_DISPLAY is not set).</source>
        <translation>Wayland ディスプレイがありません (WAYLAND_DISPLAY が設定されていません)。</translation>
    </message>
</context>
<context>
    <name>DrillDownHeader</name>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
</context>
<context>
    <name>HalvoApp</name>
    <message>
        <source>The display server offers no way to change the screen&apos;s colors (no XRandR). Presets still set brightness and Keep Awake.</source>
        <translation>ディスプレイサーバーが画面の色を変更する手段を提供していません (XRandR なし)。プリセットによる明るさとスリープ防止の設定は引き続き有効です。</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors: %1</source>
        <translation>Halvoscope は画面の色を変更できません: %1</translation>
    </message>
    <message>
        <source>Halvoscope cannot change the screen&apos;s colors</source>
        <translation>Halvoscope は画面の色を変更できません</translation>
    </message>
    <message>
        <source>Halvoscope could not save its settings</source>
        <translation>Halvoscope は設定を保存できませんでした</translation>
    </message>
    <message>
        <source>Writing %1 failed: %2</source>
        <translation>%1 の書き込みに失敗しました: %2</translation>
    </message>
    <message>
        <source>Halvoscope is running</source>
        <translation>Halvoscope は実行中です</translation>
    </message>
    <message>
        <source>No panel shows its icon. To open Halvoscope, launch it again or run &quot;halvoscope --show&quot;. %1</source>
        <translation>アイコンを表示しているパネルがありません。Halvoscope を開くには、もう一度起動するか「halvoscope --show」を実行してください。%1</translation>
    </message>
    <message>
        <source>For an icon in the top bar, enable Halvoscope&apos;s GNOME Shell extension (gnome-extensions enable halvoscope@corvanta.com) or the AppIndicator extension (package gnome-shell-extension-appindicator).</source>
        <translation>トップバーにアイコンを表示するには、Halvoscope の GNOME Shell 拡張機能 (gnome-extensions enable halvoscope@corvanta.com) または AppIndicator 拡張機能 (パッケージ gnome-shell-extension-appindicator) を有効にしてください。</translation>
    </message>
    <message>
        <source>For an icon, add the System Tray widget to a panel (right-click the panel, Add Widgets).</source>
        <translation>アイコンを表示するには、パネルにシステムトレイウィジェットを追加してください (パネルを右クリックし、ウィジェットを追加)。</translation>
    </message>
    <message>
        <source>For an icon, add the Status Tray plugin to a panel (Panel, Add New Items).</source>
        <translation>アイコンを表示するには、パネルにステータストレイプラグインを追加してください (パネル、新しいアイテムを追加)。</translation>
    </message>
    <message>
        <source>For an icon, give the bar a tray: swaybar&apos;s tray_output, or Waybar&apos;s tray module.</source>
        <translation>アイコンを表示するには、バーにトレイを追加してください: swaybar の tray_output か、Waybar の tray モジュールです。</translation>
    </message>
    <message>
        <source>For an icon, add the system tray (notification area) to a panel.</source>
        <translation>アイコンを表示するには、パネルにシステムトレイ (通知領域) を追加してください。</translation>
    </message>
    <message>
        <source>For an icon, run a panel with a system tray (for example trayer or stalonetray).</source>
        <translation>アイコンを表示するには、システムトレイのあるパネルを実行してください (例: trayer や stalonetray)。</translation>
    </message>
</context>
<context>
    <name>HalvoBusService</name>
    <message>
        <source>%1 is chosen, but no screen shows it: %2.</source>
        <translation>%1 が選ばれていますが、表示している画面がありません: %2。</translation>
    </message>
</context>
<context>
    <name>HalvoPreset</name>
    <message>
        <source>Standard</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Red Light</source>
        <translation>赤色ライト</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>キャンドル</translation>
    </message>
    <message>
        <source>Black &amp; White</source>
        <translation>白黒</translation>
    </message>
    <message>
        <source>Color Ink</source>
        <translation>カラーインク</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>ビビッド</translation>
    </message>
    <message>
        <source>Custom Preset</source>
        <translation>カスタムプリセット</translation>
    </message>
</context>
<context>
    <name>HalvoStore</name>
    <message>
        <source>Unable to inhibit screen blanking to keep display awake.</source>
        <translation>画面のスリープを抑止できないため、画面をオンのままにできません。</translation>
    </message>
    <message>
        <source>No login-item service is available.</source>
        <translation>自動起動を管理するサービスがありません。</translation>
    </message>
    <message>
        <source>Unable to update Launch at Login: %1</source>
        <extracomment>%1 is the reason the desktop&apos;s autostart gave.</extracomment>
        <translation>「ログイン時に起動」を変更できません: %1</translation>
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
        <translation>ログイン時に Halvoscope を起動</translation>
    </message>
    <message>
        <source>Keep Halvoscope ready in your system tray whenever you sign in so your daily schedule and evening Red Light preset run automatically.</source>
        <translation>サインインするたびに Halvoscope をシステムトレイに待機させ、毎日のスケジュールや夜の赤色ライトを自動で適用します。</translation>
    </message>
    <message>
        <source>Open Halvoscope at Login</source>
        <translation>ログイン時に Halvoscope を開く</translation>
    </message>
    <message>
        <source>Uses standard desktop autostart — no extra permissions required, and you can toggle it off anytime in Settings.</source>
        <translation>デスクトップ標準の自動起動を使います。追加の権限は不要で、設定からいつでもオフにできます。</translation>
    </message>
    <message>
        <source>Tip: Halvoscope lives quietly in your panel&apos;s system tray. Right-click the lightbulb icon anytime to jump straight back to Standard.</source>
        <translation>ヒント: Halvoscope はパネルのシステムトレイで静かに待機します。電球アイコンを右クリックすると、いつでもすぐに標準へ戻れます。</translation>
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
        <translation>適用中…</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
</context>
<context>
    <name>MainPresetsView</name>
    <message>
        <source>Keep Awake</source>
        <translation>スリープ防止</translation>
    </message>
    <message>
        <source>Halvoscope Settings…</source>
        <translation>Halvoscope の設定…</translation>
    </message>
    <message>
        <source>Quit Halvoscope</source>
        <translation>Halvoscope を終了</translation>
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
        <translation>GNOME の夜間モード</translation>
    </message>
    <message>
        <source>KDE Plasma Night Light</source>
        <translation>KDE Plasma のナイトカラー</translation>
    </message>
    <message>
        <source>%1 can&apos;t show this preset: its settings are locked against changes.</source>
        <translation>%1 ではこのプリセットを表示できません。設定が変更できないようにロックされています。</translation>
    </message>
    <message>
        <source>%1 was changed outside Halvoscope: your change is kept, and the other night-light settings are back as you had them.</source>
        <translation>%1 が Halvoscope の外で変更されました。その変更は保持され、ほかの夜間モードの設定は元どおりに戻りました。</translation>
    </message>
    <message>
        <source>%1 could not be put back as you had it; Halvoscope will try again at its next start.</source>
        <translation>%1 を元の状態に戻せませんでした。Halvoscope は次回の起動時にもう一度試します。</translation>
    </message>
</context>
<context>
    <name>OnboardingModel</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Halvoscope へようこそ</translation>
    </message>
    <message>
        <source>Open at Login</source>
        <translation>ログイン時に開く</translation>
    </message>
    <message>
        <source>Custom Ripple Animation</source>
        <translation>波紋アニメーション</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>The step counter: %1 is this step&apos;s number, %2 how many steps there are.</extracomment>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>Get Started →</source>
        <translation>始める →</translation>
    </message>
    <message>
        <source>Continue →</source>
        <translation>続ける →</translation>
    </message>
    <message>
        <source>Start Using Halvoscope</source>
        <translation>Halvoscope を使い始める</translation>
    </message>
    <message>
        <source>Enabled · Launches quietly in your system tray</source>
        <translation>有効 · システムトレイで静かに起動します</translation>
    </message>
    <message>
        <source>Off · Open Halvoscope manually from Applications</source>
        <translation>オフ · Halvoscope はアプリケーションから手動で開きます</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>← Back</source>
        <translation>← 戻る</translation>
    </message>
    <message>
        <source>Skip for Now</source>
        <translation>今はスキップ</translation>
    </message>
</context>
<context>
    <name>PlatformFactory</name>
    <message>
        <source>The Wayland compositor offers no gamma control, so the screen&apos;s colors cannot be changed. Presets still set brightness and Keep Awake.</source>
        <translation>Wayland コンポジターがガンマ制御を提供していないため、画面の色を変更できません。プリセットによる明るさとスリープ防止の設定は引き続き有効です。</translation>
    </message>
</context>
<context>
    <name>PresetEditorModel</name>
    <message>
        <source>Preset</source>
        <translation>プリセット</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>利用不可</translation>
    </message>
    <message>
        <source>Keep system display level</source>
        <translation>システムの明るさを維持</translation>
    </message>
    <message>
        <source>Unavailable on this display</source>
        <translation>このディスプレイでは利用できません</translation>
    </message>
</context>
<context>
    <name>PresetEditorView</name>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Preset Name</source>
        <translation>プリセット名</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>プリセット名</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>色温度</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>暖色</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>寒色</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>彩度</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>グレースケール</translation>
    </message>
    <message>
        <source>Vivid</source>
        <translation>ビビッド</translation>
    </message>
    <message>
        <source>Auto Brightness</source>
        <translation>明るさの自動調整</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>ディスプレイ</translation>
    </message>
    <message>
        <source>Delete Preset</source>
        <translation>プリセットを削除</translation>
    </message>
</context>
<context>
    <name>PresetRow</name>
    <message>
        <source>Adjust %1</source>
        <translation>%1 を調整</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>There is no D-Bus session bus here (DBUS_SESSION_BUS_ADDRESS), so no running Halvoscope can be reached.</source>
        <translation>ここには D-Bus セッションバス (DBUS_SESSION_BUS_ADDRESS) がないため、実行中の Halvoscope に接続できません。</translation>
    </message>
    <message>
        <source>Halvoscope is not running on this session bus.</source>
        <translation>このセッションバスでは Halvoscope は実行されていません。</translation>
    </message>
    <message>
        <source>Halvoscope is running but did not answer: %1</source>
        <translation>Halvoscope は実行中ですが、応答しませんでした: %1</translation>
    </message>
    <message>
        <source>No preset with id “%1”. Valid ids: %2</source>
        <translation>ID「%1」のプリセットはありません。有効な ID: %2</translation>
    </message>
</context>
<context>
    <name>RipplePage</name>
    <message>
        <source>Optical Water-Ripple Animation</source>
        <translation>光学波紋アニメーション</translation>
    </message>
    <message>
        <source>Active ✓</source>
        <translation>有効 ✓</translation>
    </message>
    <message>
        <source>Optional</source>
        <translation>任意</translation>
    </message>
    <message>
        <source>When you switch presets, Halvoscope can sweep a live GPU water-ripple across your desktop instead of a standard color fade.</source>
        <translation>プリセットを切り替えるとき、Halvoscope は通常のカラーフェードの代わりに、GPU で描くリアルタイムの水の波紋をデスクトップに広げられます。</translation>
    </message>
    <message>
        <source>Why Halvoscope uses screen capture: To refract your live screen pixels during the 3-second transition. Nothing is ever recorded, stored, or sent off your computer.</source>
        <translation>Halvoscope が画面キャプチャを使う理由: 3 秒間の切り替え中に、表示中の画面のピクセルを屈折させるためです。録画、保存、コンピューター外への送信は一切行いません。</translation>
    </message>
    <message>
        <source>Screen capture available — Optical Water-Ripple is ready!</source>
        <translation>画面キャプチャを利用できます — 光学波紋の準備ができました!</translation>
    </message>
    <message>
        <source>No screen capture in this session — the ripple fades instead.</source>
        <translation>このセッションでは画面キャプチャを使えません — 波紋の代わりにフェードします。</translation>
    </message>
    <message>
        <source>Enable Ripple &amp; Allow Capture…</source>
        <translation>波紋を有効にしてキャプチャを許可…</translation>
    </message>
    <message>
        <source>Relaunch &amp; Finish</source>
        <translation>再起動して完了</translation>
    </message>
    <message>
        <source>Turn On GNOME Shell Extension</source>
        <translation>GNOME Shell 拡張機能をオンにする</translation>
    </message>
</context>
<context>
    <name>RipplePreview</name>
    <message>
        <source>Click preview to test ripple</source>
        <translation>プレビューをクリックして波紋を試す</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>光学屈折</translation>
    </message>
</context>
<context>
    <name>ScheduleView</name>
    <message>
        <source>Daily Schedule</source>
        <translation>毎日のスケジュール</translation>
    </message>
    <message>
        <source>Automatic Switching</source>
        <translation>自動切り替え</translation>
    </message>
    <message>
        <source>First Switch</source>
        <translation>1 回目の切り替え</translation>
    </message>
    <message>
        <source>Second Switch</source>
        <translation>2 回目の切り替え</translation>
    </message>
    <message>
        <source>Applies once per scheduled period and won&apos;t override manual changes.</source>
        <translation>予定した期間ごとに 1 回だけ適用され、手動での変更は上書きしません。</translation>
    </message>
    <message>
        <source>Save Schedule</source>
        <translation>スケジュールを保存</translation>
    </message>
    <message>
        <source>Not saved yet: Back leaves the schedule as it was.</source>
        <translation>まだ保存されていません。「戻る」を押すとスケジュールは元のままです。</translation>
    </message>
</context>
<context>
    <name>ScreenCapabilityText</name>
    <message>
        <source>Saturation isn&apos;t available with %1: it shows the temperature only.</source>
        <extracomment>%1 is the desktop&apos;s night light (&quot;GNOME Night Light&quot;).</extracomment>
        <translation>%1 では彩度を使えません。色温度のみが反映されます。</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1: it shows the temperature only.</source>
        <extracomment>%1 is a screen&apos;s name (&quot;DP-1&quot;).</extracomment>
        <translation>%1 では彩度を使えません。色温度のみが反映されます。</translation>
    </message>
    <message>
        <source>Saturation isn&apos;t available on %1 and %2: they show the temperature only.</source>
        <extracomment>%1 is a list of screens (&quot;DP-1, DP-2&quot;), %2 the last screen.</extracomment>
        <translation>%1 と %2 では彩度を使えません。色温度のみが反映されます。</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>%1 — color matrix</source>
        <extracomment>%1 is a screen&apos;s name.</extracomment>
        <translation>%1 — カラーマトリクス</translation>
    </message>
    <message>
        <source>%1 — gamma (temperature only)</source>
        <translation>%1 — ガンマ (色温度のみ)</translation>
    </message>
    <message>
        <source>%1 — compositor gamma (temperature only)</source>
        <translation>%1 — コンポジターのガンマ (色温度のみ)</translation>
    </message>
    <message>
        <source>%1 (temperature only)</source>
        <translation>%1 (色温度のみ)</translation>
    </message>
    <message>
        <source>Halvoscope can&apos;t change the screens&apos; colors here. Presets still set brightness and Keep Awake.</source>
        <translation>この環境では Halvoscope は画面の色を変更できません。プリセットによる明るさとスリープ防止の設定は引き続き有効です。</translation>
    </message>
    <message>
        <source>%1 — color filter</source>
        <translation>%1 — カラーフィルター</translation>
    </message>
    <message>
        <source>%1 — does not accept color changes (no color tables, or another program holds them)</source>
        <translation>%1 — 色の変更を受け付けません (カラーテーブルがないか、別のプログラムが保持しています)</translation>
    </message>
    <message>
        <source>%1 — colors controlled by another program</source>
        <translation>%1 — 色は別のプログラムが制御しています</translation>
    </message>
    <message>
        <source>Full color on GNOME needs Halvoscope&apos;s GNOME Shell extension, which isn&apos;t installed.</source>
        <translation>GNOME でフルカラーを使うには Halvoscope の GNOME Shell 拡張機能が必要ですが、インストールされていません。</translation>
    </message>
    <message>
        <source>Log out and back in once: GNOME Shell finds its new Halvoscope extension at login.</source>
        <translation>一度ログアウトして再ログインしてください。GNOME Shell はログイン時に新しい Halvoscope 拡張機能を見つけます。</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension for full color and an icon in the top bar.</source>
        <translation>フルカラーとトップバーのアイコンを使うには、GNOME Shell 拡張機能をオンにしてください。</translation>
    </message>
    <message>
        <source>GNOME Shell extension: on</source>
        <translation>GNOME Shell 拡張機能: オン</translation>
    </message>
    <message>
        <source>The GNOME Shell extension could not start: %1</source>
        <extracomment>%1 is what GNOME Shell reported.</extracomment>
        <translation>GNOME Shell 拡張機能を開始できませんでした: %1</translation>
    </message>
    <message>
        <source>GNOME Shell extensions are switched off. Turn them on for full color.</source>
        <translation>GNOME Shell 拡張機能がオフになっています。フルカラーを使うにはオンにしてください。</translation>
    </message>
    <message>
        <source>%1 (temperature only: KWin refused Halvoscope&apos;s color filter)</source>
        <translation>%1 (色温度のみ: KWin が Halvoscope のカラーフィルターを拒否しました)</translation>
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
        <translation>オン</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>確認中…</translation>
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
        <translation>設定</translation>
    </message>
    <message>
        <source>New Custom Preset</source>
        <translation>新しいカスタムプリセット</translation>
    </message>
    <message>
        <source>Preset name</source>
        <translation>プリセット名</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Tray Menu Presets</source>
        <translation>メニューのプリセット</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Daily Schedule</source>
        <translation>毎日のスケジュール</translation>
    </message>
    <message>
        <source>Setup Guide…</source>
        <translation>セットアップガイド…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>アップデートを確認…</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>バージョン</translation>
    </message>
    <message>
        <source>Ripple Animation</source>
        <translation>波紋アニメーション</translation>
    </message>
    <message>
        <source>Optical Refraction</source>
        <translation>光学屈折</translation>
    </message>
    <message>
        <source>Water-ripple distortion active</source>
        <translation>水の波紋による歪みが有効</translation>
    </message>
    <message>
        <source>No screen capture — the ripple fades</source>
        <translation>画面キャプチャなし — 波紋はフェードになります</translation>
    </message>
    <message>
        <source>Grant Screen Capture…</source>
        <translation>画面キャプチャを許可…</translation>
    </message>
    <message>
        <source>Relaunch</source>
        <translation>再起動</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Edit %1</source>
        <translation>%1 を編集</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>オンにする</translation>
    </message>
</context>
<context>
    <name>StatePersistence</name>
    <message>
        <source>Could not create the folder &quot;%1&quot;</source>
        <translation>フォルダー「%1」を作成できませんでした</translation>
    </message>
</context>
<context>
    <name>StatusIcon</name>
    <message>
        <source>Keeping Awake</source>
        <translation>スリープ防止中</translation>
    </message>
    <message>
        <source>Right-click to return to Standard</source>
        <translation>右クリックで標準に戻る</translation>
    </message>
</context>
<context>
    <name>TimeStepperField</name>
    <message>
        <source>Increment</source>
        <translation>増やす</translation>
    </message>
    <message>
        <source>Decrement</source>
        <translation>減らす</translation>
    </message>
    <message>
        <source>%1, hour</source>
        <translation>%1、時</translation>
    </message>
    <message>
        <source>%1, minute</source>
        <translation>%1、分</translation>
    </message>
    <message>
        <source>%1, AM or PM</source>
        <translation>%1、午前または午後</translation>
    </message>
</context>
<context>
    <name>UpdateAlert</name>
    <message>
        <source>Halvoscope %1 is Available</source>
        <extracomment>%1 is the new version number.</extracomment>
        <translation>Halvoscope %1 が利用可能です</translation>
    </message>
    <message>
        <source>You are currently running Halvoscope %1.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>現在お使いのバージョンは Halvoscope %1 です。</translation>
    </message>
    <message>
        <source>What&apos;s new:</source>
        <translation>新機能:</translation>
    </message>
    <message>
        <source>Download Update</source>
        <translation>アップデートをダウンロード</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>後で</translation>
    </message>
    <message>
        <source>You&apos;re Up to Date</source>
        <translation>最新の状態です</translation>
    </message>
    <message>
        <source>Halvoscope %1 is currently the newest version available.</source>
        <extracomment>%1 is the running version number.</extracomment>
        <translation>Halvoscope %1 が現在利用できる最新バージョンです。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Couldn&apos;t Check for Updates</source>
        <translation>アップデートを確認できませんでした</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Unable to reach %1. Check your internet connection and try again.</source>
        <extracomment>%1 is the update server&apos;s host name.</extracomment>
        <translation>%1 に接続できません。インターネット接続を確認して、もう一度お試しください。</translation>
    </message>
</context>
<context>
    <name>WaylandColorStage</name>
    <message>
        <source>Another program controls the colors of %1, so Halvoscope cannot change them.</source>
        <translation>別のプログラムが %1 の色を制御しているため、Halvoscope は変更できません。</translation>
    </message>
    <message>
        <source>%1 does not accept color changes: it takes no color tables, or another program holds them.</source>
        <translation>%1 は色の変更を受け付けません。カラーテーブルを受け取らないか、別のプログラムが保持しています。</translation>
    </message>
</context>
<context>
    <name>WelcomePage</name>
    <message>
        <source>Welcome to Halvoscope</source>
        <translation>Halvoscope へようこそ</translation>
    </message>
    <message>
        <source>Instant display color presets, late-night Red Light, and Keep Awake — right from your desktop panel.</source>
        <translation>すぐに使える画面のカラープリセット、深夜の赤色ライト、スリープ防止を、デスクトップのパネルから。</translation>
    </message>
    <message>
        <source>One-Click Moods &amp; Custom Presets</source>
        <translation>ワンクリックの雰囲気切り替えとカスタムプリセット</translation>
    </message>
    <message>
        <source>Switch between Warm, Red Light, Black &amp; White focus mode, or build your own.</source>
        <translation>暖色、赤色ライト、集中用の白黒モードを切り替えたり、自分だけのプリセットを作ったりできます。</translation>
    </message>
    <message>
        <source>Daily Schedule &amp; Keep Awake</source>
        <translation>毎日のスケジュールとスリープ防止</translation>
    </message>
    <message>
        <source>Warm your screen at the times you choose and prevent sleep with one switch.</source>
        <translation>選んだ時刻に画面を暖色にし、スイッチひとつでスリープを防ぎます。</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Halvoscope is not running, and cannot start here: %1</source>
        <translation>Halvoscope は実行されておらず、ここでは起動できません: %1</translation>
    </message>
</context>
</TS>
