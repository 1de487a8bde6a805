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
         share/metainfo/com.corvanta.Halvoscope.metainfo.xml \
         share/icons/hicolor/scalable/apps/com.corvanta.Halvoscope.svg \
         share/icons/hicolor/symbolic/apps/com.corvanta.Halvoscope-symbolic.svg \
         share/man/man1/halvoscope.1 \
         share/dbus-1/services/com.corvanta.Halvoscope.service \
         share/doc/halvoscope/copyright; do
  [ -s "$root/$f" ] || fail "$prefix/$f is not installed"
done

desktop-file-validate "$root/share/applications/com.corvanta.Halvoscope.desktop" \
  || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/share/metainfo/com.corvanta.Halvoscope.metainfo.xml" \
  || fail "appstreamcli validate"

# The entry's icon and the metainfo's launchable must name installed files.
icon=$(sed -n 's/^Icon=//p' "$root/share/applications/com.corvanta.Halvoscope.desktop")
[ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon has no installed icon"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' \
  "$root/share/metainfo/com.corvanta.Halvoscope.metainfo.xml")
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
