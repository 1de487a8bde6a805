#!/usr/bin/env bash
# Builds the Debian package with CPack in a temporary directory and checks
# its file list and the dependencies that no linker sees.
#   deb-check.sh BUILD_DIR PREFIX
set -euo pipefail
build=$1
prefix=$2

tmp=$(mktemp -d "${TMPDIR:-/tmp}/halvoscope-deb.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log" >&2; fail "cpack"; }
debs=("$tmp"/halvoscope_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single halvoscope_*.deb: ${debs[*]}"
deb=${debs[0]}

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/files"
for f in bin/halvoscope \
         share/applications/com.corvanta.Halvoscope.desktop \
         share/metainfo/com.corvanta.Halvoscope.metainfo.xml \
         share/icons/hicolor/scalable/apps/com.corvanta.Halvoscope.svg \
         share/icons/hicolor/symbolic/apps/com.corvanta.Halvoscope-symbolic.svg \
         share/man/man1/halvoscope.1 \
         share/dbus-1/services/com.corvanta.Halvoscope.service \
         share/doc/halvoscope/copyright; do
  grep -qxF "$prefix/$f" "$tmp/files" || fail "package lacks $prefix/$f"
done

depends=$(dpkg-deb -f "$deb" Depends)
has_dep() { printf '%s\n' "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -xF "$1" >/dev/null; }
# Loaded at run time by Qt: only named by hand.
for p in qt6-qpa-plugins libqt6svg6 qml6-module-qtquick qml6-module-qtquick-layouts \
         qml6-module-qtquick-templates qml6-module-qtqml-workerscript; do
  has_dep "$p" || fail "Depends lacks $p: $depends"
done
# Linked: only dpkg-shlibdeps can have found these.
for p in libc6 libqt6core6 libqt6gui6 libqt6quick6 libqt6dbus6 libx11-6; do
  has_dep "$p" || fail "Depends lacks $p (dpkg-shlibdeps): $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = halvoscope ] || fail "Package: $(dpkg-deb -f "$deb" Package)"
echo "PASS"
