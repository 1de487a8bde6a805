#!/usr/bin/env bash
# Runs the freshly built application: on the desktop when there is one,
# otherwise inside a private virtual X session (Xvfb, openbox, a trayer tray
# and a private session bus) that lasts until Ctrl+C.
set -euo pipefail
build=${1:-build}
app="$(cd "$build" 2>/dev/null && pwd)/halvoscope"
if [ ! -x "$app" ]; then
  echo "make run: $build/halvoscope was not built." >&2
  exit 1
fi

# A Wayland session: its compositor's socket is there.
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
  socket=$WAYLAND_DISPLAY
  [ "${socket#/}" != "$socket" ] || socket="${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/$socket"
  if [ -S "$socket" ]; then
    echo "make run: Wayland session ($WAYLAND_DISPLAY). Screen colour goes through the desktop's own night"
    echo "make run: light on GNOME and KDE Plasma, and through the compositor's gamma control on sway, Hyprland,"
    echo "make run: river, labwc, Wayfire and other wlroots compositors; a compositor with neither leaves the"
    echo "make run: colours as they are and says so once (see the README)."
    if [ -n "${DISPLAY:-}" ]; then
      echo "make run: windows run on XWayland ($DISPLAY), so the popover opens at the top right."
    else
      echo "make run: no XWayland: windows use Qt's Wayland platform and open where the compositor puts them."
    fi
    echo "make run: the icon is a StatusNotifierItem; Control-click is not available there (right-click: Standard)."
    exec "$app"
  fi
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$app"
fi

here=$(cd "$(dirname "$0")" && pwd)
echo "make run: no usable X display${DISPLAY:+ ($DISPLAY does not answer)}; starting Halvoscope in a virtual X session instead."
# The inner script runs inside the session, where DISPLAY names the private server.
exec "$here/headless-session.sh" --size 1280x800 --tray --session-bus -- bash -c '
  app=$1
  echo "make run: the virtual session is display $DISPLAY (Xvfb with openbox and a trayer tray at the top right)."
  echo "make run: take a screenshot of it with:"
  echo "    DISPLAY=$DISPLAY import -window root halvoscope.png"
  echo "make run: open the popover with a click on the bulb at the top right, or with:"
  echo "    DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS busctl --user call com.corvanta.Halvoscope /com/corvanta/Halvoscope com.corvanta.Halvoscope ShowPopover"
  echo "make run: press Ctrl+C to stop; the displays are restored as on any quit."
  "$app" &
  pid=$!
  trap "kill -TERM $pid 2>/dev/null; wait $pid" INT TERM HUP
  wait $pid
' run-session "$app"
