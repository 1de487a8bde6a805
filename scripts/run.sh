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
