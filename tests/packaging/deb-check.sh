#!/usr/bin/env bash
# Builds the Debian package as `make deb` does and checks it as Debian would:
# lintian, Build-Depends against scripts/setup.sh, every file `cmake --install`
# puts in a prefix, Depends against the libraries, Qt plugins and QML modules
# the unpacked binary really loads, and the unpacked binary itself. Nothing
# is installed into the system. Needs DISPLAY and a session bus (the app runs).
#   deb-check.sh BUILD_DIR SOURCE_DIR [DEB]    (DEB: check that package, e.g. make deb's, instead)
set -euo pipefail
build=$1
source_dir=$2
deb=${3:-}

tmp=$(mktemp -d "${TMPDIR:-/tmp}/halvoscope-deb.XXXXXX")
app_pid=""
cleanup() {
  [ -z "$app_pid" ] || { kill -TERM "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null || true; }
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
names() { tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | sed '/^$/d'; }
# The packages owning these files; dpkg knows /lib files by their name before usrmerge.
owners() {
  while read -r f; do
    dpkg -S "$f" 2>/dev/null || { [ "${f#/usr}" = "$f" ] || dpkg -S "${f#/usr}" 2>/dev/null; } || echo "unowned: $f" >&2
  done | sed 's/: .*//; s/, /\n/g; s/:[a-z0-9]*$//' | sed 's/:[a-z0-9]*$//' | sort -u
}

if [ -z "$deb" ]; then
  # A stable place inside the build tree, so a rebuild finds ccache's objects.
  JOBS=${JOBS:-2} bash "$source_dir/scripts/build-deb.sh" "$build/deb" >/dev/null || fail "build-deb.sh"
  debs=("$build/deb"/halvoscope_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single halvoscope_*.deb: ${debs[*]}"
  deb=${debs[0]}
fi

lintian --pedantic "$deb" >"$tmp/lintian" 2>&1 || true
! grep -E '^[EW]: ' "$tmp/lintian" || fail "lintian --pedantic has errors or warnings"

# Build-Depends: what setup.sh installs to build the application.
bash "$source_dir/scripts/setup.sh" --build-depends | grep -vx build-essential | sort >"$tmp/setup-build"
sed -n '/^Build-Depends:/,/^[A-Z]/p' "$source_dir/debian/control" | grep -v '^#' | sed '$d' \
  | sed 's/^Build-Depends://' | names | grep -vx debhelper-compat | sort >"$tmp/control-build"
diff "$tmp/setup-build" "$tmp/control-build" || fail "Build-Depends differ from scripts/setup.sh (< setup, > control)"

# Everything an install puts below its prefix is in the package (man pages compressed).
DESTDIR="$tmp/install" cmake --install "$build" >/dev/null || fail "cmake --install"
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/files"
(cd "$tmp/install$prefix" && find . -type f -o -type l) | sed 's|^\.||' | while read -r f; do
  grep -qxF "/usr$f" "$tmp/files" || grep -qxF "/usr$f.gz" "$tmp/files" || fail "package lacks /usr$f"
done

depends=$(dpkg-deb -f "$deb" Depends)
dups=$(printf '%s\n' "$depends" | names | sort | uniq -d)
[ -z "$dups" ] || fail "Depends names $dups more than once: $depends"

# The unpacked binary starts.
dpkg-deb -x "$deb" "$tmp/root"
version=$("$tmp/root/usr/bin/halvoscope" --version) || fail "the unpacked binary does not start"
[ "$version" = "halvoscope $(dpkg-deb -f "$deb" Version)" ] || fail "--version says '$version'"

# What it loads once the first-run guide and the popover are up.
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/config" XDG_DATA_HOME="$tmp/home/data"
export XDG_CACHE_HOME="$tmp/home/cache" XDG_STATE_HOME="$tmp/home/state"
mkdir -p "$HOME"
# A QML module whose types Qt's own libraries register is found through its
# qmldir alone, and nothing of it is mapped: the import trace names those.
QML_IMPORT_TRACE=1 "$tmp/root/usr/bin/halvoscope" >"$tmp/app.log" 2>&1 &
app_pid=$!
for _ in $(seq 1 600); do
  # --list never starts an instance; --show would, were the first not up yet.
  "$tmp/root/usr/bin/halvoscope" --list >/dev/null 2>&1 && "$tmp/root/usr/bin/halvoscope" --show >/dev/null 2>&1 \
    && grep -q '/qml/QtQuick/Layouts/' "/proc/$app_pid/maps" && break
  kill -0 "$app_pid" 2>/dev/null || { cat "$tmp/app.log" >&2; fail "the unpacked binary ended"; }
  sleep 0.1
done
grep -q '/qml/QtQuick/Layouts/' "/proc/$app_pid/maps" || fail "the popover's QML never loaded"
{ awk '$6 ~ /\.so/ {print $6}' "/proc/$app_pid/maps"; grep -o '/[^ "]*/qt6/qml/[^ "]*/qmldir' "$tmp/app.log"; } \
  | grep -vF "$tmp/" | sort -u >"$tmp/loaded"
owners <"$tmp/loaded" >"$tmp/loaded-packages"
printf '%s\n' "$depends" | names | sort >"$tmp/depends"

# Each Qt plugin and QML module it loads comes from a package it depends on…
grep -E '/qt6/(plugins|qml)/' "$tmp/loaded" | owners >"$tmp/runtime"
missing=$(comm -23 "$tmp/runtime" "$tmp/depends")
[ -z "$missing" ] || fail "loaded at run time but not in Depends: $missing"
# …and every package it depends on is loaded.
unused=$(comm -23 "$tmp/depends" "$tmp/loaded-packages")
[ -z "$unused" ] || fail "in Depends but nothing of it is loaded: $unused"
echo "PASS"
