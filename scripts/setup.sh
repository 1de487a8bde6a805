#!/usr/bin/env bash
# Installs every Debian package that Halvoscope's build, the application and
# its tests need. Idempotent: runs apt-get update only when something is
# missing, and installs only what is missing.
set -euo pipefail

# What the application's build needs; debian/control's Build-Depends lists
# the same (build-essential aside, which Debian implies).
BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-svg-dev
  libqt6opengl6-dev libqt6svg6 libgl-dev
  # translations: lupdate/lrelease and their CMake functions
  qt6-l10n-tools qt6-tools-dev
  libx11-dev libxrandr-dev libxext-dev libxss-dev libxi-dev
  # GIO's GSettings for GNOME's night light
  libglib2.0-dev
  # Wayland: client and server libraries, wayland-scanner, and the protocol
  # XML files (xdg-output; the wlr gamma control ships in the Rust crate's
  # source package, the only Debian package that carries it)
  libwayland-dev libwayland-bin wayland-protocols librust-wayland-protocols-dev
)
if [ "${1:-}" = --build-depends ]; then
  printf '%s\n' "${BUILD_PACKAGES[@]}"
  exit 0
fi

PACKAGES=(
  "${BUILD_PACKAGES[@]}"
  # run time: QML modules, SVG icons, Mesa OpenGL, Qt's Wayland platform,
  # Qt's own catalogues
  qt6-wayland qt6-translations-l10n
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
  qml6-module-qtquick-window qml6-module-qtquick-templates
  qml6-module-qtqml-workerscript qml6-module-qttest
  libgl1-mesa-dri libglx-mesa0
  # tests and the headless session; a Japanese font, so that screenshots in
  # Japanese show their text
  fonts-ipafont-gothic
  xvfb xauth openbox trayer xdotool x11-utils x11-xserver-utils
  dbus dbus-daemon dbus-bin imagemagick
  # gio: launches the autostart entry through GLib's desktop-entry reader in tests;
  # glib-compile-schemas and GNOME's night-light schema for the desktop tests
  libglib2.0-bin gnome-settings-daemon-common
  # packaging: dpkg-buildpackage and debhelper build the package, lintian
  # and the validators check it
  dpkg-dev debhelper lintian desktop-file-utils appstream
  # the accessibility test: the AT-SPI bus and registry, and pyatspi to read them
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  # zone rules for the schedule tests (Europe/Berlin and others)
  tzdata
  # the include-layering check
  python3
  # the layout check (.clang-format, scripts/check-format.sh)
  clang-format-14
  # the real desktops of the `desktops` tests (scripts/desktop-session.sh):
  # GNOME Shell 43 with gsd-color and dconf, KWin 5.27 with its night-light
  # plugin (kwin-common is only recommended) and kwriteconfig5, the QML
  # runtime for the striped picture, and mmdebstrap for the roots holding the
  # newer desktops (scripts/desktop-root.sh)
  gnome-shell gjs gnome-settings-daemon dconf-cli dconf-service
  kwin-wayland kwin-common libkf5config-bin qml-qt6
  mmdebstrap
  # the JavaScript linter for the code that runs inside the compositors
  eslint
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
