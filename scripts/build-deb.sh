#!/usr/bin/env bash
# Builds the Debian package the way Debian does (dpkg-buildpackage and
# debhelper, from debian/) out of a copy of the source tree, so the build
# and its by-products stay in OUT and the checkout is never written to.
#   build-deb.sh OUT      → OUT/halvoscope_<version>_<arch>.deb (and its -dbgsym)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
version=$(dpkg-parsechangelog -l "$here/debian/changelog" -S Version)
src="$out/halvoscope-$version"

# The files git would commit, edits not yet committed included.
rm -rf "$src"
mkdir -p "$src"
git -C "$here" ls-files -z --cached --others --exclude-standard \
  | tar -C "$here" --null --no-recursion --ignore-failed-read -T - -cf - 2>/dev/null | tar -xf - -C "$src"
rm -f "$out"/halvoscope_*.deb "$out"/halvoscope-dbgsym_*.deb "$out"/halvoscope_*.buildinfo "$out"/halvoscope_*.changes

# A rebuild reuses what ccache kept from the last one, wherever the copy lies.
if command -v ccache >/dev/null; then
  export HALVOSCOPE_CCACHE=1 CCACHE_BASEDIR="$src" CCACHE_NOHASHDIR=1
fi
export DEB_BUILD_OPTIONS="parallel=${JOBS:-$(nproc)} ${DEB_BUILD_OPTIONS:-}"
started=$(date +%s)
(cd "$src" && dpkg-buildpackage -b -us -uc) >"$out/build.log" 2>&1 \
  || { tail -40 "$out/build.log" >&2; echo "build-deb: dpkg-buildpackage failed; see $out/build.log" >&2; exit 1; }
rm -rf "$src"
echo "build-deb: $(ls "$out"/halvoscope_*.deb) in $(($(date +%s) - started)) s"
