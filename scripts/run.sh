#!/usr/bin/env bash
# Runs the freshly built application.
set -euo pipefail
build=${1:-build}
if [ ! -x "$build/halvoscope" ]; then
  echo "make run: the build succeeded, but the application (build/halvoscope) is not there yet." >&2
  echo "make run: only the libraries and tests exist so far; run 'make test' to exercise them." >&2
  exit 1
fi
exec "$build/halvoscope"
