#!/usr/bin/env bash
# Runs a command inside a private headless desktop: its own Xvfb display,
# optionally a window manager, an XEmbed tray and private D-Bus buses.
# Everything started here is stopped when the command ends; the command's
# exit status is returned.
#
#   headless-session.sh [--size WxH] [--screens N] [--wm] [--tray] [--session-bus]
#                       [--system-bus] [--keep-running] -- command [args...]
set -euo pipefail

size=1280x800
screens=1
wm=0
tray=0
session_bus=0
system_bus=0
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size=$2; shift 2 ;;
    --screens) screens=$2; shift 2 ;;
    --wm) wm=1; shift ;;
    --tray) tray=1; wm=1; shift ;;
    --session-bus) session_bus=1; shift ;;
    --system-bus) system_bus=1; shift ;;
    --) shift; break ;;
    *) echo "headless-session: unknown option $1" >&2; exit 2 ;;
  esac
done
[ $# -gt 0 ] || { echo "headless-session: no command given" >&2; exit 2; }

workdir=$(mktemp -d "${TMPDIR:-/tmp}/halvoscope-session.XXXXXX")
chmod 700 "$workdir"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

screen_args=()
for ((i = 0; i < screens; i++)); do screen_args+=(-screen "$i" "${size}x24"); done

# -displayfd lets the server pick a free display number, so parallel runs never
# share one. Two servers starting at the same instant can still race for the
# same lock file; the loser exits at once, and is simply started again.
start_xvfb() {
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" "${screen_args[@]}" +extension RANDR +extension GLX \
    -nolisten tcp -noreset >"$workdir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  display=""
  for _ in $(seq 1 100); do
    if read -r -t 0.1 -u "$displayfd" display 2>/dev/null && [ -n "$display" ]; then return 0; fi
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
  done
  return 1
}
display=""
for attempt in 1 2 3 4 5 6; do
  if start_xvfb; then pids+=("$xvfb_pid"); break; fi
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  display=""
  sleep "0.$((RANDOM % 5 + attempt))"
done
if [ -z "$display" ]; then
  echo "headless-session: Xvfb did not start" >&2
  cat "$workdir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$display"
# Never the desktop's own compositor: a test that wants one starts its own.
unset WAYLAND_DISPLAY

export XDG_RUNTIME_DIR="$workdir/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

if [ "$session_bus" = 1 ]; then
  read -r addr pid < <(dbus-daemon --session --fork --nosyslog --print-address=1 --print-pid=1 | paste -sd' ')
  pids+=("$pid")
  export DBUS_SESSION_BUS_ADDRESS="$addr"
fi
if [ "$system_bus" = 1 ]; then
  cat >"$workdir/system-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:tmpdir=$workdir</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="signal"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
  </policy>
</busconfig>
CONF
  read -r addr pid < <(dbus-daemon --config-file="$workdir/system-bus.conf" --fork --nosyslog --print-address=1 --print-pid=1 | paste -sd' ')
  pids+=("$pid")
  export DBUS_SYSTEM_BUS_ADDRESS="$addr"
fi
if [ "$wm" = 1 ]; then
  openbox --sm-disable >"$workdir/openbox.log" 2>&1 &
  pids+=($!)
fi
if [ "$tray" = 1 ]; then
  trayer --edge top --align right --widthtype pixel --width 120 --height 24 \
    --SetDockType true --expand false >"$workdir/trayer.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 50); do
    xprop -root _NET_SUPPORTED >/dev/null 2>&1 && xwininfo -root -tree 2>/dev/null | grep -q panel && break
    sleep 0.1
  done
fi

set +e
"$@"
status=$?
set -e
exit $status
