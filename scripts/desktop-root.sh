#!/usr/bin/env bash
# Makes and keeps the Debian roots that the newer desktops run from in the
# real-desktop tests (GNOME Shell and KWin of Debian 13 and Debian testing).
#
#   desktop-root.sh ensure NAME...     NAME: trixie | forky
#   desktop-root.sh path NAME          prints where NAME's root lives
#   desktop-root.sh check NAME         prints the path of NAME's root when it is
#                                      made and current, else why not (status 1)
#
# Each root is made once with mmdebstrap from the mirror this machine's apt
# uses, kept outside the checkout ($HALVO_ROOTS_DIR, default
# /var/tmp/halvoscope-roots) and stamped with its suite and package list; it
# is made again when that list changes. Only a folder carrying our stamp is
# ever deleted, and never while anything is mounted under it. When a root
# cannot be made, the reason goes to NAME.not-made beside it, so that the
# tests can say why they did not run, and the next root is tried.
set -euo pipefail

ROOTS_DIR=${HALVO_ROOTS_DIR:-/var/tmp/halvoscope-roots}
STAMP_NAME=.halvoscope-root
SOURCES=/etc/apt/sources.list.d/debian.sources

# What every root holds: both desktops, their buses and settings tools, a QML
# client for the striped picture and an X server for kwin_x11. kwin-common is
# only recommended by kwin-wayland, but it carries the night-light plugin;
# libxcb-cursor0 is missing from kwin_x11 6.7's dependencies.
PACKAGES=gnome-shell,gjs,gnome-settings-daemon,dbus-daemon,dbus-bin,dconf-cli,dconf-service,libglib2.0-bin,kwin-wayland,kwin-common,kwin-x11,libkf6config-bin,qml-qt6,qml6-module-qtquick,qml6-module-qtquick-window,qt6-wayland,qdbus-qt6,python3-dbus,python3-gi,xwayland,xvfb,libgl1-mesa-dri,imagemagick,libxcb-cursor0

die() { echo "desktop-root: $*" >&2; exit 2; }

root_path() { echo "$ROOTS_DIR/$1"; }
reason_file() { echo "$ROOTS_DIR/$1.not-made"; }

# Extra apt options per suite: the Debian testing snapshot on the mirror is
# frozen, so its Release file is past its Valid-Until date.
suite_aptopts() {
  case "$1" in
    trixie) ;;
    forky) echo "Acquire::Check-Valid-Until \"false\"" ;;
    *) return 1 ;;
  esac
}

# The stamp's text: whatever would make a different root when it changes.
stamp_text() {
  printf 'suite=%s\npackages=%s\naptopts=%s\n' "$1" "$PACKAGES" "$(suite_aptopts "$1")"
}

# The URIs: line of the "debian" entry (the one whose Suites are the release
# itself, not -security), i.e. the mirror apt already fetches from.
host_mirror() {
  [ -r "$SOURCES" ] || return 1
  awk '
    /^[[:space:]]*$/ { if (uri != "" && main) { print uri; exit } uri = ""; main = 0; next }
    /^URIs:/ { uri = $2 }
    /^Suites:/ { for (i = 2; i <= NF; i++) if ($i !~ /-/) main = 1 }
    END { if (uri != "" && main) print uri }
  ' "$SOURCES" | head -n 1
}

# True when something is mounted at DIR or below it (/proc/mounts escapes
# blanks as octal, which printf %b turns back).
mounted_under() {
  local dir=$1 mnt
  while read -r _ mnt _; do
    mnt=$(printf '%b' "$mnt")
    case "$mnt" in "$dir" | "$dir"/*) return 0 ;; esac
  done </proc/mounts
  return 1
}

# Deletes a root, but only one we made (stamp present) with nothing mounted
# inside; --one-file-system keeps rm out of anything mounted after the check.
remove_root() {
  local dir=$1
  [ -f "$dir/$STAMP_NAME" ] || { echo "$dir is not a root made here (no $STAMP_NAME): left alone"; return 1; }
  if mounted_under "$dir"; then echo "something is mounted under $dir: left alone"; return 1; fi
  rm -rf --one-file-system "$dir"
}

# Makes NAME's root; prints the reason and fails when that is not possible.
make_root() {
  local name=$1 dir mirror opt
  dir=$(root_path "$name")
  mirror=$(host_mirror) || true
  [ -n "$mirror" ] || { echo "no debian entry with URIs: in $SOURCES"; return 1; }
  command -v mmdebstrap >/dev/null || { echo "mmdebstrap is not installed (scripts/setup.sh)"; return 1; }
  [ "$(id -u)" -eq 0 ] || { echo "making a root needs root (mmdebstrap --mode=root)"; return 1; }
  if [ -e "$dir" ]; then remove_root "$dir" || return 1; fi

  # The stamp goes in first, marked unfinished, so that a half-made root
  # (mmdebstrap killed) is still known as ours and replaced next time.
  mkdir -p "$dir"
  { stamp_text "$name"; echo "complete=no"; } >"$dir/$STAMP_NAME"
  local args=(--variant=apt --mode=root --skip=check/empty --include="$PACKAGES")
  opt=$(suite_aptopts "$name")
  [ -z "$opt" ] || args+=("--aptopt=$opt")
  local log=$ROOTS_DIR/$name.log start=$SECONDS
  # mmdebstrap mounts /proc, /dev and more inside the root while it works;
  # in a mount namespace of its own none of that outlives it, even killed.
  if ! unshare --mount --propagation private mmdebstrap "${args[@]}" "$name" "$dir" "$mirror" >"$log" 2>&1; then
    echo "mmdebstrap $name from $mirror failed: $(grep -E '^(E:|.*error)' "$log" | tail -n 1)"
    return 1
  fi
  { stamp_text "$name"; echo "complete=yes"; } >"$dir/$STAMP_NAME"
  echo "desktop-root: made $name in $((SECONDS - start)) s ($dir)" >&2
}

# Makes NAME's root unless one with the same stamp is there. Holds NAME's
# lock exclusively; desktop-session.sh holds it shared while it uses a root.
ensure_one() {
  local name=$1 dir reason
  dir=$(root_path "$name")
  exec {lock}>"$ROOTS_DIR/.$name.lock"
  flock "$lock"
  if [ -f "$dir/$STAMP_NAME" ] && [ "$(cat "$dir/$STAMP_NAME")" = "$(stamp_text "$name")"$'\n'"complete=yes" ]; then
    rm -f "$(reason_file "$name")"
  elif reason=$(make_root "$name"); then
    rm -f "$(reason_file "$name")"
  else
    reason=${reason:-unknown failure}
    echo "$reason" >"$(reason_file "$name")"
    echo "desktop-root: $name not made: $reason" >&2
  fi
  exec {lock}>&-
}

# Whether NAME's root can be used as it stands: made completely, from the
# package list of today.
check_one() {
  local name=$1 dir
  dir=$(root_path "$name")
  if [ -f "$dir/$STAMP_NAME" ] && [ "$(cat "$dir/$STAMP_NAME")" = "$(stamp_text "$name")"$'\n'"complete=yes" ]; then
    echo "$dir"
  elif [ -s "$(reason_file "$name")" ]; then
    echo "root $name could not be made: $(head -n 1 "$(reason_file "$name")")"
    return 1
  else
    echo "root $name is not made or out of date (scripts/desktop-root.sh ensure $name; make test-desktops does it)"
    return 1
  fi
}

main() {
  local cmd=${1:-}
  [ $# -ge 2 ] || die "usage: desktop-root.sh ensure|path NAME..."
  shift
  for name in "$@"; do suite_aptopts "$name" >/dev/null || die "unknown root '$name' (trixie | forky)"; done
  case "$cmd" in
    path) root_path "$1" ;;
    check) check_one "$1" ;;
    ensure)
      # Side by side: making a root mostly waits for the mirror and the disk.
      mkdir -p "$ROOTS_DIR"
      for name in "$@"; do ensure_one "$name" & done
      wait
      ;;
    *) die "unknown command '$cmd'" ;;
  esac
}

main "$@"
