#!/usr/bin/env bash
# Writes PNGs of what a user sees to <build>/screenshots/: the real
# application with its popover open under a tray in a virtual desktop, every
# popover page, and the three onboarding steps.
set -euo pipefail
build=${1:-build}
out="$build/screenshots"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in halvoscope tests/popover/popover_preview tests/popover/pages_preview \
            tests/onboarding/onboarding_screenshots; do
  [ -x "$build/$tool" ] || { echo "screenshots: $build/$tool is missing; build first" >&2; exit 1; }
done
app=$(cd "$build" && pwd)/halvoscope

# The real application under a tray, popover open.
"$here/headless-session.sh" --tray --session-bus -- bash -c '
  set -e
  home=$(mktemp -d)
  mkdir -p "$home/data/Halvoscope"
  echo "{\"hasCompletedOnboarding\": true, \"activeModeID\": \"candle\"}" > "$home/data/Halvoscope/state.json"
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data "'"$app"'" &
  pid=$!
  for _ in $(seq 1 100); do
    busctl --user list 2>/dev/null | grep -q com.corvanta.Halvoscope && break
    sleep 0.2
  done
  sleep 1
  import -window root "'"$out"'/tray.png"
  busctl --user call com.corvanta.Halvoscope /com/corvanta/Halvoscope com.corvanta.Halvoscope ShowPopover
  sleep 2
  import -window root "'"$out"'/tray-popover.png"
  kill $pid; wait $pid || true
  rm -rf "$home"
'

# Every popover page, light and dark, and the onboarding steps.
"$here/headless-session.sh" -- "$build/tests/popover/popover_preview" "$out"
"$here/headless-session.sh" -- "$build/tests/popover/popover_preview" "$out" --dark
"$here/headless-session.sh" -- "$build/tests/popover/pages_preview" "$out"
"$here/headless-session.sh" -- "$build/tests/popover/pages_preview" "$out" --dark
"$here/headless-session.sh" --wm -- "$build/tests/onboarding/onboarding_screenshots" "$out"

echo "screenshots written to $out:"
ls "$out"
