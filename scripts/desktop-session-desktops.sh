# shellcheck shell=bash disable=SC2154
# The desktops of desktop-session.sh: how each one is started, when it counts
# as ready, and the striped picture. Sourced, never run.

wayland_socket=halvo-wayland-0
version=""

# Six vertical stripes (red, yellow, green, cyan, blue, magenta) of chroma
# 0.5, so that a change of temperature shows in a screenshot, and so does a
# saturation above 100 % as well as one below.
make_stripes_picture() {
  local colours=('#bf4040' '#bfbf40' '#40bf40' '#40bfbf' '#4040bf' '#bf40bf') args=() c
  for c in "${colours[@]}"; do args+=("xc:$c"); done
  convert -size 214x800 "${args[@]}" +append -crop 1280x800+0+0 +repage "$workdir/stripes.png"
}

# GNOME Shell starts in the overview and shows banners for root; the
# background and the two switches go in before it starts, so it starts with
# them.
gnome_stripes_settings() {
  local uri="file://$workdir/stripes.png" k
  for k in picture-uri picture-uri-dark; do
    on_desktop gsettings set org.gnome.desktop.background "$k" "$uri"
  done
  on_desktop gsettings set org.gnome.desktop.background picture-options stretched
  on_desktop gsettings set org.gnome.desktop.interface enable-animations false
  on_desktop gsettings set org.gnome.desktop.notifications show-banners false
}

shell_property() {
  gdbus_call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties.Get org.gnome.Shell "$1"
}
overview_is() { [ "$(shell_property OverviewActive)" = "($1,)" ]; }
# Leaves the overview; true once the shell says it is closed.
overview_closed() {
  gdbus_call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive '<false>' || return 1
  overview_is '<false>'
}
color_answers() {
  gdbus_call --session --dest org.gnome.SettingsDaemon.Color --object-path /org/gnome/SettingsDaemon/Color \
    --method org.freedesktop.DBus.Properties.Get org.gnome.SettingsDaemon.Color Temperature
}

start_gnome() {
  desktop_setenv XDG_SESSION_TYPE wayland
  desktop_setenv XDG_CURRENT_DESKTOP GNOME
  desktop_setenv WAYLAND_DISPLAY "$wayland_socket"
  version=$(on_desktop gnome-shell --version | awk '{print $3}')
  if [ "$stripes" = 1 ]; then make_stripes_picture; gnome_stripes_settings; fi
  start_on_desktop gnome-shell gnome-shell --headless --wayland --no-x11 \
    --wayland-display "$wayland_socket" --virtual-monitor 1280x800
  wait_for "org.gnome.Shell" 120 shell_property ShellVersion
  # gnome-extensions' service is started by the bus and needs the display.
  gdbus_call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.UpdateActivationEnvironment "{'WAYLAND_DISPLAY': '$wayland_socket'}" >/dev/null
  # The shell opens the overview at the end of its start-up; closing it any
  # earlier does not last.
  wait_for "the overview at start-up" 60 overview_is '<true>'
  wait_for "leaving the overview" 60 overview_closed
  start_on_desktop gsd-color env GSETTINGS_BACKEND=dconf /usr/libexec/gsd-color
  wait_for "org.gnome.SettingsDaemon.Color" 60 color_answers
}

kwin_answers() {
  gdbus_call --session --dest org.kde.KWin --object-path /KWin --method org.freedesktop.DBus.Peer.Ping
}

# KWin writes groups of its own into kwinrc after it starts: [Desktops] at
# once, its tiling layout ([Tiling…], every version from 5.27 to 6.7, X11
# too) about two seconds later. A test that compares kwinrc starts once the
# tiling layout is there and the file has stayed the same for a second.
kwinrc_last=""
kwinrc_same=0
kwinrc_settled() {
  local now file
  file="$(desktop_getenv XDG_CONFIG_HOME)/kwinrc"
  grep -q '^\[Tiling' "$file" 2>/dev/null || return 1
  now=$(md5sum "$file") || return 1
  if [ "$now" = "$kwinrc_last" ]; then kwinrc_same=$((kwinrc_same + 1)); else kwinrc_same=0; fi
  kwinrc_last=$now
  [ "$kwinrc_same" -ge 5 ]
}

# The variables every KWin reads; the version decides Plasma 5 or 6.
kwin_environment() {
  desktop_setenv XDG_CURRENT_DESKTOP KDE
  desktop_setenv KDE_SESSION_VERSION "${version%%.*}"
  # llvmpipe would otherwise make KWin refuse scripted effects.
  desktop_setenv KWIN_EFFECTS_FORCE_ANIMATIONS 1
  desktop_setenv KWIN_SCREENSHOT_NO_PERMISSION_CHECKS 1
}

# A full-screen QML client showing the stripes, on the desktop's own Qt
# platform; it prints a line once the compositor has made it active at the
# full size, i.e. it is mapped.
show_stripes_client() {
  make_stripes_picture
  cat >"$workdir/stripes.qml" <<QML
import QtQuick
import QtQuick.Window
Window {
    id: window
    visibility: Window.FullScreen
    color: "black"
    property bool told: false
    Image { anchors.fill: parent; source: "file://$workdir/stripes.png" }
    onActiveChanged: window.update()
    onWidthChanged: window.update()
    onFrameSwapped: if (!told && active && width === 1280 && height === 800) { told = true; console.log("halvo-stripes-shown") }
}
QML
  start_on_desktop stripes env QT_QPA_PLATFORM="$1" /usr/lib/qt6/bin/qml "$workdir/stripes.qml"
  wait_for "the striped picture" 60 grep -q halvo-stripes-shown "$workdir/logs/stripes.log"
}

# KWin on Wayland, from a copy of its binary: copying drops the file
# capability that stops it here; KWin 6's Qt platform plugin insists on the
# name kwin_wayland.
start_kwin_wayland() {
  local bin="$workdir/kwin/kwin_wayland"
  mkdir -p "$workdir/kwin"
  cp "$root/usr/bin/kwin_wayland" "$bin"
  version=$(on_desktop "$bin" --version 2>/dev/null | awk '$1 == "kwin" {print $2}')
  kwin_environment
  desktop_setenv XDG_SESSION_TYPE wayland
  local options=(--virtual --width 1280 --height 800 --no-lockscreen --no-global-shortcuts --socket "$wayland_socket")
  if on_desktop "$bin" --help 2>/dev/null | grep -q -- --no-kactivities; then options+=(--no-kactivities); fi
  start_on_desktop kwin "$bin" "${options[@]}"
  desktop_setenv WAYLAND_DISPLAY "$wayland_socket"
  wait_for "org.kde.KWin" 120 kwin_answers
  wait_for "kwinrc written by KWin" 60 kwinrc_settled
  if [ "$stripes" = 1 ]; then show_stripes_client wayland; fi
}

# The desktop's Xvfb with GLX (OpenGL on llvmpipe), then kwin_x11 on it.
start_kwin_x11() {
  local display_fd display=""
  exec {display_fd}<> <(:)
  start_on_desktop xvfb Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 +extension GLX \
    +extension RANDR -nolisten tcp -noreset
  read -r -t 30 -u "$display_fd" display || fail_start "Xvfb gave no display number"
  exec {display_fd}>&-
  desktop_setenv DISPLAY ":$display"
  desktop_setenv XDG_SESSION_TYPE x11
  version=$(on_desktop kwin_x11 --version 2>/dev/null | awk '$1 == "kwin" {print $2}')
  kwin_environment
  start_on_desktop kwin env QT_QPA_PLATFORM=xcb kwin_x11 --replace
  wait_for "org.kde.KWin" 120 kwin_answers
  wait_for "kwinrc written by KWin" 60 kwinrc_settled
  if [ "$stripes" = 1 ]; then show_stripes_client xcb; fi
}
