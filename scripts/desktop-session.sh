#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR disable=SC2034  # variables read by the sourced files
# Runs a command next to a real desktop, headless: GNOME Shell with gsd-color,
# KWin on Wayland, or KWin on an X server, either the host's own or one from a
# Debian root made by desktop-root.sh.
#
#   desktop-session.sh gnome|kwin-wayland|kwin-x11 [--root NAME] [--prefix DIR]
#                      [--stripes] -- CMD ARGS...
#
# The desktop gets a private HOME, XDG folders, session bus and a second bus
# standing in for the system bus, all in one 0700 temporary folder. With
# --root its own programs run inside the root (chroot) while CMD runs on the
# host, both seeing the same paths. --prefix DIR/share goes first in the
# desktop's XDG_DATA_DIRS (GNOME finds extensions only when it starts);
# --stripes shows six saturated vertical stripes full screen. CMD gets the
# desktop's environment plus HALVO_DESKTOP, HALVO_DESKTOP_VERSION,
# HALVO_DESKTOP_ROOT, HALVO_DESKTOP_RUN (a script running its arguments
# with the desktop's environment on the desktop's side) and, with --stripes,
# HALVO_DESKTOP_PICTURE (the striped picture's PNG). Everything started
# here is stopped when CMD ends; CMD's status is returned, 77 when the root
# could not be made.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
self="$here/$(basename "${BASH_SOURCE[0]}")"
args=("$@")

desktop=""
root_name=""
prefix=""
stripes=0
parse_args() {
  [ $# -gt 0 ] || usage
  desktop=$1
  shift
  case "$desktop" in gnome | kwin-wayland | kwin-x11) ;; *) usage ;; esac
  while [ $# -gt 0 ]; do
    case "$1" in
      --root) root_name=$2; shift 2 ;;
      --prefix) prefix=$(realpath -m "$2"); shift 2 ;;
      --stripes) stripes=1; shift ;;
      --) shift; break ;;
      *) usage ;;
    esac
  done
  [ $# -gt 0 ] || usage
  command=("$@")
}
usage() {
  echo "usage: desktop-session.sh gnome|kwin-wayland|kwin-x11 [--root NAME] [--prefix DIR] [--stripes] -- CMD..." >&2
  exit 2
}

source "$here/desktop-session-lib.sh"
source "$here/desktop-session-desktops.sh"

# A private mount namespace makes every bind mount into the root vanish with
# the session, even after a kill -9; a private PID namespace (this script is
# its first process) takes every process started here with it. A host
# desktop runs without them where the kernel refuses, a root cannot.
enter_namespaces() {
  [ "${HALVO_DESKTOP_INNER:-}" = 1 ] && { unset HALVO_DESKTOP_INNER; return 0; }
  local ns=(unshare --mount --propagation private --pid --fork --kill-child --mount-proc)
  local why
  if why=$("${ns[@]}" true 2>&1); then
    HALVO_DESKTOP_INNER=1 exec "${ns[@]}" "$self" "${args[@]}"
  fi
  if [ -n "$root_name" ]; then
    echo "desktop-session: --root needs a private mount namespace, which needs CAP_SYS_ADMIN (${why##*: })" >&2
    exit 1
  fi
}

# The root must be made and current; its reason is printed otherwise. A
# shared lock keeps desktop-root.sh from replacing it while it is in use.
open_root() {
  [ -n "$root_name" ] || return 0
  local why
  if ! why=$("$here/desktop-root.sh" check "$root_name" 2>&1); then
    echo "not run: $why"
    exit 77
  fi
  root=$why
  exec {root_lock}<"$(dirname "$root")/.$root_name.lock"
  flock -s -w 900 "$root_lock"
}

main() {
  parse_args "$@"
  root=""
  if [ "${HALVO_DESKTOP_INNER:-}" != 1 ]; then open_root; fi
  enter_namespaces
  [ -z "$root_name" ] || root=$("$here/desktop-root.sh" path "$root_name")

  make_workdir
  trap stop_session EXIT
  trap 'exit 130' INT TERM HUP
  [ -z "$root" ] || mount_root
  start_buses
  case "$desktop" in
    gnome) start_gnome ;;
    kwin-wayland) start_kwin_wayland ;;
    kwin-x11) start_kwin_x11 ;;
  esac
  run_command
}

main "$@"
