#!/usr/bin/env bash
# A call to com.corvanta.Halvoscope on a session bus where no instance runs
# starts the binary through the service file, and the started instance claims
# the name and answers. Runs on a private bus whose only service directory
# holds the given file, with Exec= pointed at the given binary. Needs DISPLAY.
#   bus-activation.sh SERVICE_FILE BINARY
set -euo pipefail
service_file=$1
binary=$2
name=com.corvanta.Halvoscope

tmp=$(mktemp -d "${TMPDIR:-/tmp}/halvoscope-activation.XXXXXX")
bus_pid=""
app_pid=""
cleanup() {
  [ -z "$app_pid" ] || kill -KILL "$app_pid" 2>/dev/null || true
  [ -z "$bus_pid" ] || kill "$bus_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to 30 s for a command to succeed.
wait_for() {
  for _ in $(seq 1 300); do "$@" && return 0; sleep 0.1; done
  return 1
}

mkdir -p "$tmp/services" "$tmp/home"
sed "s|^Exec=.*|Exec=$binary|" "$service_file" >"$tmp/services/$name.service"
cat >"$tmp/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$tmp</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$tmp/services</servicedir>
  <!-- A start under a loaded machine or a sanitizer build can be slow. -->
  <limit name="service_start_timeout">120000</limit>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF

# The bus hands its own environment to what it starts: a private home.
export HOME="$tmp/home"
export XDG_CONFIG_HOME="$HOME/config" XDG_DATA_HOME="$HOME/data" XDG_CACHE_HOME="$HOME/cache"
read -r addr bus_pid < <(dbus-daemon --config-file="$tmp/bus.conf" --fork --nosyslog \
  --print-address=1 --print-pid=1 | paste -sd' ')
export DBUS_SESSION_BUS_ADDRESS="$addr"

bus() { busctl --user "$@"; }
dbus_call() { bus call org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus "$@"; }

[[ $(dbus_call ListActivatableNames) == *"\"$name\""* ]] || fail "the bus does not list $name as activatable"
[ "$(dbus_call NameHasOwner s "$name")" = "b false" ] || fail "$name has an owner before the call"

# The property read itself starts the application.
reply=$(bus --timeout=120 get-property "$name" /com/corvanta/Halvoscope "$name" ActivePresetID) \
  || fail "activation call failed"
[ "$reply" = 's "standard"' ] || fail "ActivePresetID of a fresh start is $reply"

owner=$(dbus_call GetConnectionUnixProcessID s "$name")
app_pid=${owner#u }
[ "$(readlink -f "/proc/$app_pid/exe")" = "$(readlink -f "$binary")" ] \
  || fail "$name is owned by $(readlink -f "/proc/$app_pid/exe"), not $binary"

# It quits on SIGTERM and gives the name back.
kill -TERM "$app_pid"
wait_for eval '! kill -0 "$app_pid" 2>/dev/null' || fail "the activated instance did not quit"
app_pid=""
[ "$(dbus_call NameHasOwner s "$name")" = "b false" ] || fail "$name still owned after quit"

# Started again by a call, it ends with the bus that started it.
bus --timeout=120 call "$name" /com/corvanta/Halvoscope "$name" ShowPopover || fail "second activation failed"
owner=$(dbus_call GetConnectionUnixProcessID s "$name")
app_pid=${owner#u }
kill "$bus_pid"
bus_pid=""
wait_for eval '! kill -0 "$app_pid" 2>/dev/null' || fail "the activated instance outlived its bus"
app_pid=""
echo "PASS"
