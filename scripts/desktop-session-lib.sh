# shellcheck shell=bash disable=SC2154
# The common part of desktop-session.sh: the private folder, the root's
# mounts, the buses, the environment on both sides and the clean-up. Sourced,
# never run.

# Every process started here, stopped in reverse order at the end.
pids=()
mounts=()
created_dirs=()
workdir=""
desktop_env=()

# HOME, the XDG folders and XDG_RUNTIME_DIR in one 0700 folder; the desktop's
# own environment is kept apart from CMD's (which also carries what the
# caller set) so that the root's programs never see host-only variables.
#
# In its own namespaces the session's folder lives on a tmpfs mounted only
# there, over an empty folder kept for that: it vanishes with the session
# even after a kill -9. Elsewhere it is an ordinary temporary folder.
session_base=""
make_workdir() {
  if [ "$$" = 1 ]; then
    session_base="${TMPDIR:-/tmp}/halvo-desktop-sessions"
    mkdir -p "$session_base"
    chmod 700 "$session_base"
    mount -t tmpfs -o mode=0700 halvo-desktop "$session_base"
    workdir=$(mktemp -d "$session_base/XXXXXX")
  else
    workdir=$(mktemp -d "${TMPDIR:-/tmp}/halvo-desktop.XXXXXX")
  fi
  chmod 700 "$workdir"
  mkdir -p "$workdir/home/.config" "$workdir/home/.local/share" "$workdir/home/.local/state" \
    "$workdir/home/.cache" "$workdir/logs"
  mkdir -m 700 "$workdir/runtime"
  local data_dirs=/usr/local/share:/usr/share
  [ -z "$prefix" ] || data_dirs="$prefix/share:$data_dirs"
  desktop_env=(
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
    LANG=C.UTF-8
    HOME="$workdir/home"
    XDG_CONFIG_HOME="$workdir/home/.config"
    XDG_DATA_HOME="$workdir/home/.local/share"
    XDG_STATE_HOME="$workdir/home/.local/state"
    XDG_CACHE_HOME="$workdir/home/.cache"
    XDG_RUNTIME_DIR="$workdir/runtime"
    XDG_DATA_DIRS="$data_dirs"
    DBUS_SESSION_BUS_ADDRESS="unix:path=$workdir/session-bus"
    DBUS_SYSTEM_BUS_ADDRESS="unix:path=$workdir/system-bus"
  )
  # Benchmarks hand the desktop diagnostics of its own (CLUTTER_SHOW_FPS=1).
  local extra
  for extra in ${HALVO_DESKTOP_EXTRA_ENV:-}; do desktop_env+=("$extra"); done
}

# Adds or replaces NAME=VALUE in the desktop's environment.
desktop_setenv() {
  local i
  for i in "${!desktop_env[@]}"; do
    if [ "${desktop_env[i]%%=*}" = "$1" ]; then desktop_env[i]="$1=$2"; return; fi
  done
  desktop_env+=("$1=$2")
}
desktop_getenv() {
  local entry
  for entry in "${desktop_env[@]}"; do
    if [ "${entry%%=*}" = "$1" ]; then echo "${entry#*=}"; return; fi
  done
}

# Runs a program of the desktop's side with only the desktop's environment:
# inside the root when there is one, so that its versions never mix with the
# host's.
on_desktop() {
  if [ -n "$root" ]; then
    env -i "${desktop_env[@]}" chroot "$root" "$@"
  else
    env -i "${desktop_env[@]}" "$@"
  fi
}

# Makes DIR inside the root, remembering the outermost folder it had to
# create so that the clean-up leaves the root as it was.
mkdir_in_root() {
  local dir=$1 top=$1
  while [ ! -e "$root$(dirname "$top")" ]; do top=$(dirname "$top"); done
  [ -e "$root$top" ] || created_dirs+=("$root$top")
  mkdir -p "$root$dir"
}

bind_into_root() {
  mkdir_in_root "$1"
  mount --bind "$1" "$root$1"
  mounts+=("$root$1")
}

# The kernel's file systems and /tmp (sockets, the X server's locks, this
# session's folder) at the same paths inside the root; the session's folder
# and the prefix get their own bind mounts when they live elsewhere.
mount_root() {
  local dir
  for dir in /proc /sys /dev /dev/pts /dev/shm /tmp; do
    if [ "$dir" = /dev/shm ] && ! mountpoint -q /dev/shm; then continue; fi
    bind_into_root "$dir"
  done
  if [ -n "$session_base" ]; then bind_into_root "$session_base"; fi
  for dir in "$workdir" "$prefix"; do
    case "$dir" in "" | /tmp/* | "$session_base"/*) ;; *) mkdir -p "$dir"; bind_into_root "$dir" ;; esac
  done
}

# Deepest first; lazily, so that a process still holding a file there does
# not keep the mount. The namespace would drop them anyway; this keeps a
# session that had to run without one clean too.
unmount_root() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
  mounts=()
  for ((i = ${#created_dirs[@]} - 1; i >= 0; i--)); do
    find "${created_dirs[i]}" -depth -xdev -type d -empty -delete 2>/dev/null || true
  done
}

# HALVO_DESKTOP_RUN: runs its arguments with the desktop's environment on the
# desktop's side. KDE's config tools are called by their Plasma 6 names; on
# a host that has only Plasma 5's, those stand in.
write_run_script() {
  local run="$workdir/run" entry
  {
    echo '#!/usr/bin/env bash'
    echo '# Runs its arguments with the desktop session'"'"'s environment, on the desktop'"'"'s side.'
    printf 'root=%q\n' "$root"
    printf 'desktop_env=('
    for entry in "${desktop_env[@]}"; do printf ' %q' "$entry"; done
    printf ' )\n'
    cat <<'EOF'
program=$1
shift
if [ -z "$root" ] && ! command -v "$program" >/dev/null; then
  case "$program" in kwriteconfig6 | kreadconfig6) program=${program%6}5 ;; esac
fi
if [ -n "$root" ]; then exec env -i "${desktop_env[@]}" chroot "$root" "$program" "$@"; fi
exec env -i "${desktop_env[@]}" "$program" "$@"
EOF
  } >"$run"
  chmod 700 "$run"
}

# Starts PROGRAM on the desktop's side in the background, its output in
# logs/NAME.log.
# A simple command in the background, not a function: its pid is then the
# program's own, which the clean-up signals.
start_on_desktop() {
  local log="$workdir/logs/$1.log"
  shift
  if [ -n "$root" ]; then
    env -i "${desktop_env[@]}" chroot "$root" "$@" >"$log" 2>&1 &
  else
    env -i "${desktop_env[@]}" "$@" >"$log" 2>&1 &
  fi
  pids+=($!)
}

# The session bus, and a second bus standing in for the system bus (the
# shells stop at start without one), both run by the desktop's dbus-daemon.
start_buses() {
  cat >"$workdir/system-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$workdir/system-bus</listen>
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
  start_on_desktop session-bus dbus-daemon --session --nofork --nosyslog --address="unix:path=$workdir/session-bus"
  start_on_desktop system-bus dbus-daemon --config-file="$workdir/system-bus.conf" --nofork --nosyslog
  wait_for "the session bus" 20 bus_answers --session
  wait_for "the system bus" 20 bus_answers --system
}

# The host's gdbus, talking to the session's buses: the readiness checks are
# a client like CMD.
gdbus_call() {
  local bus=$1
  shift
  env DBUS_SESSION_BUS_ADDRESS="$(desktop_getenv DBUS_SESSION_BUS_ADDRESS)" \
    DBUS_SYSTEM_BUS_ADDRESS="$(desktop_getenv DBUS_SYSTEM_BUS_ADDRESS)" \
    gdbus call "$bus" --timeout 5 "$@"
}
bus_answers() {
  gdbus_call "$1" --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetId
}

# Whether PID is running (a process that ended stays a zombie until waited for).
alive() {
  local stat
  read -r stat 2>/dev/null </proc/"$1"/stat || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ]
}

# Polls CHECK until it succeeds; fails the session with the desktop's logs
# when it does not within LIMIT seconds or a process started here ended.
wait_for() {
  local what=$1 limit=$2 pid
  shift 2
  local deadline=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    for pid in "${pids[@]}"; do
      alive "$pid" || fail_start "$what: a process of the desktop ended"
    done
    [ "$SECONDS" -lt "$deadline" ] || fail_start "$what: not within $limit s"
    sleep 0.2
  done
}

fail_start() {
  echo "desktop-session: $desktop did not start: $1" >&2
  local log
  for log in "$workdir"/logs/*.log; do
    [ -s "$log" ] || continue
    echo "--- $(basename "$log") (last lines)" >&2
    tail -n 15 "$log" >&2
  done
  exit 1
}

# CMD on the host with the desktop's environment and the session's own
# variables; the caller's display and platform choices are not inherited.
run_command() {
  local entry
  unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM GSETTINGS_BACKEND XDG_SESSION_DESKTOP
  for entry in "${desktop_env[@]}"; do
    case "${entry%%=*}" in PATH | LANG) ;; *) export "${entry?}" ;; esac
  done
  export HALVO_DESKTOP="$desktop" HALVO_DESKTOP_VERSION="$version" HALVO_DESKTOP_ROOT="$root"
  write_run_script
  export HALVO_DESKTOP_RUN="$workdir/run" HALVO_DESKTOP_LOGS="$workdir/logs"
  if [ "$stripes" = 1 ]; then export HALVO_DESKTOP_PICTURE="$workdir/stripes.png"; fi
  set +e
  "${command[@]}"
  status=$?
  set -e
  exit "$status"
}

# Stops everything in reverse order of starting, then whatever the desktop
# started by itself (bus-activated services): as the first process of its
# own PID namespace this script may signal every process in it.
stop_session() {
  local status=$? i pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    for _ in $(seq 1 50); do alive "$pid" || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ "$$" = 1 ]; then kill -KILL -1 2>/dev/null || true; fi
  unmount_root
  [ -z "$workdir" ] || rm -rf --one-file-system "$workdir"
  [ -z "$session_base" ] || umount -l "$session_base"
  exit "$status"
}
