#!/usr/bin/env bash
# Runs every benchmark built into the given build folder.
set -euo pipefail
build=${1:-build-bench}
found=0
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$(dirname "$0")/headless-session.sh" -- "$b"
done
[ "$found" = 1 ] || echo "no benchmarks built yet"
