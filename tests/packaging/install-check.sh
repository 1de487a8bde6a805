#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and validates what a desktop
# reads from it: the desktop entry, the AppStream metainfo, both icons and
# the D-Bus service file.
#   install-check.sh BUILD_DIR PREFIX
set -euo pipefail
build=$1
prefix=$2

tmp=$(mktemp -d "${TMPDIR:-/tmp}/halvoscope-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$tmp" cmake --install "$build" >"$tmp.log" 2>&1 || { cat "$tmp.log" >&2; rm -f "$tmp.log"; fail "cmake --install"; }
rm -f "$tmp.log"
root="$tmp$prefix"

for f in bin/halvoscope \
         share/applications/com.corvanta.Halvoscope.desktop \
         share/metainfo/com.corvanta.halvoscope.metainfo.xml \
         share/icons/hicolor/scalable/apps/com.corvanta.Halvoscope.svg \
         share/icons/hicolor/symbolic/apps/com.corvanta.Halvoscope-symbolic.svg \
         share/man/man1/halvoscope.1 \
         share/dbus-1/services/com.corvanta.Halvoscope.service \
         share/doc/halvoscope/copyright \
         share/bash-completion/completions/halvoscope \
         share/zsh/vendor-completions/_halvoscope \
         share/fish/vendor_completions.d/halvoscope.fish; do
  [ -s "$root/$f" ] || fail "$prefix/$f is not installed"
done

# bash completes the options and, with no instance to ask, the built-in ids.
complete_words() {
  env -i PATH="$root/bin:/usr/bin:/bin" DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent bash -c '
    source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _halvoscope; echo "${COMPREPLY[*]}"' \
    complete "$root/share/bash-completion/completions/halvoscope" "$@"
}
[ "$(complete_words halvoscope --preset c)" = "candle color-ink" ] || fail "bash completes --preset c as '$(complete_words halvoscope --preset c)'"

# Hints count too: each validator must have nothing at all to say.
out=$(desktop-file-validate "$root/share/applications/com.corvanta.Halvoscope.desktop" 2>&1) \
  || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --pedantic --no-net "$root/share/metainfo/com.corvanta.halvoscope.metainfo.xml" 2>&1) \
  || fail "appstreamcli validate: $out"
! printf '%s\n' "$out" | grep -q '^[EWIP]:' || fail "appstreamcli validate --pedantic: $out"

# The entry's icon and the metainfo's launchable must name installed files.
icon=$(sed -n 's/^Icon=//p' "$root/share/applications/com.corvanta.Halvoscope.desktop")
[ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon has no installed icon"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' \
  "$root/share/metainfo/com.corvanta.halvoscope.metainfo.xml")
[ -f "$root/share/applications/$launchable" ] || fail "launchable $launchable is not installed"

# A symbolic icon is drawn in a single colour so that themes can recolour it.
colours=$(grep -o '#[0-9a-fA-F]\{3,6\}' "$root/share/icons/hicolor/symbolic/apps/com.corvanta.Halvoscope-symbolic.svg" | sort -u)
[ "$(printf '%s\n' "$colours" | wc -l)" -eq 1 ] || fail "symbolic icon uses colours: $colours"
! grep -q 'Gradient' "$root/share/icons/hicolor/symbolic/apps/com.corvanta.Halvoscope-symbolic.svg" \
  || fail "symbolic icon has a gradient"

# The bus starts the service file's Exec= for its Name=: the installed binary.
service="$root/share/dbus-1/services/com.corvanta.Halvoscope.service"
[ "$(sed -n 1p "$service")" = "[D-BUS Service]" ] || fail "service file has no [D-BUS Service] group"
[ "$(sed -n 's/^Name=//p' "$service")" = com.corvanta.Halvoscope ] || fail "service Name="
exec_path=$(sed -n 's/^Exec=//p' "$service")
[ "$exec_path" = "$prefix/bin/halvoscope" ] || fail "service Exec=$exec_path, binary is $prefix/bin/halvoscope"
[ -x "$tmp$exec_path" ] || fail "service Exec=$exec_path is not an installed executable"
echo "PASS"
