#!/usr/bin/env bash
# What Halvoscope's GNOME Shell extension costs the shell: its frames per
# second and CPU time per frame while a full-screen client animates, with
# the filter off, on, and during a 3 s ripple; on the host's GNOME Shell or
# one from a root made by scripts/desktop-root.sh.
#
#   bench/gnome-shell-filter.sh BUILD [--root trixie|forky]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:?usage: gnome-shell-filter.sh BUILD [--root NAME]}")
shift
variant=module
if [ "${1:-}" != --root ] && gnome-shell --version | grep -q 'Shell 4[34]\.'; then variant=legacy; fi
prefix=$(mktemp -d /tmp/halvoscope-bench-prefix.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --component "gnome-extension-$variant" --prefix "$prefix" >/dev/null

HALVO_DESKTOP_EXTRA_ENV="CLUTTER_SHOW_FPS=1" \
  "$here/../scripts/desktop-session.sh" gnome "$@" --prefix "$prefix" -- /usr/bin/python3 - <<'PY'
import dbus, os, re, subprocess, time

bus = dbus.SessionBus()
shell = bus.get_object('org.gnome.Shell', '/org/gnome/Shell')
shell.EnableExtension('halvoscope@corvanta.com', dbus_interface='org.gnome.Shell.Extensions')
for _ in range(100):
    info = shell.GetExtensionInfo('halvoscope@corvanta.com', dbus_interface='org.gnome.Shell.Extensions')
    if info.get('state') == 1:
        break
    time.sleep(0.1)
ext = dbus.Interface(bus.get_object('org.gnome.Shell', '/com/corvanta/Halvoscope/ShellExtension'),
                     'com.corvanta.Halvoscope.ShellExtension')

# A full-screen client that changes every frame, so the shell redraws all the time.
qml = os.path.join(os.environ['XDG_RUNTIME_DIR'], 'spin.qml')
open(qml, 'w').write('''import QtQuick
import QtQuick.Window
Window { visibility: Window.FullScreen; color: "#4060a0"
  Rectangle { width: 300; height: 300; anchors.centerIn: parent; color: "#c04040"
    RotationAnimation on rotation { from: 0; to: 360; duration: 2000; loops: Animation.Infinite } } }''')
client = subprocess.Popen(['/usr/lib/qt6/bin/qml', qml], env=dict(os.environ, QT_QPA_PLATFORM='wayland'),
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(4)
pid = int(subprocess.check_output(['pgrep', '-o', '-x', 'gnome-shell']))
log = os.path.join(os.environ['HALVO_DESKTOP_LOGS'], 'gnome-shell.log')
tick = os.sysconf('SC_CLK_TCK')

def cpu_seconds():
    fields = open(f'/proc/{pid}/stat').read().rsplit(')', 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / tick

# Clutter's own lines: "frame timings over 1.0s: 60.0 FPS, average: 12.3ms, peak: 20.1ms".
def fps_lines():
    return [(float(m.group(1)), float(m.group(2))) for m in re.finditer(
        r'([0-9.]+) FPS, average: ([0-9.]+)ms', open(log, errors='replace').read())]

def measure(name, seconds):
    before_lines = len(fps_lines())
    cpu, start = cpu_seconds(), time.monotonic()
    time.sleep(seconds)
    used, wall = cpu_seconds() - cpu, time.monotonic() - start
    lines = fps_lines()[before_lines:]
    rate = sum(f for f, _ in lines) / len(lines) if lines else float('nan')
    frame = sum(a for _, a in lines) / len(lines) if lines else float('nan')
    print(f'{name:26s} {rate:6.1f} frames/s  {frame:6.1f} ms a frame  ({used * 100 / wall:.0f} % of a core)')

grey = dbus.Array([0.2126, 0.7152, 0.0722] * 3, signature='d')
warm = dbus.Array([1, 0, 0, 0, 0.6, 0, 0, 0, 0.2], signature='d')
print('GNOME Shell', os.environ['HALVO_DESKTOP_VERSION'], 'on llvmpipe, 1280x800')
measure('filter off', 6)
ext.SetColor(grey)
time.sleep(1)
measure('filter on (Black & White)', 6)
ext.RunTransition(grey, warm, 1200.0, 10.0, dbus.UInt32(3000), dbus.UInt32(2))
measure('ripple (refracting)', 3)
ext.Clear()
client.terminate()
client.wait()
PY
