#!/usr/bin/env bash
# Lists the C++ files under src/ and tests/ that clang-format-14 would change
# with the project's .clang-format, and exits non-zero when there are any.
# `clang-format-14 -i <file>` rewrites a listed file. Usage:
#   scripts/check-format.sh [project root]
# Exits 77 (a skip for CTest) when clang-format-14 is not installed.
set -euo pipefail

root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
formatter=${CLANG_FORMAT:-clang-format-14}

if ! command -v "$formatter" >/dev/null 2>&1; then
  echo "check-format: $formatter is not installed (scripts/setup.sh installs it)" >&2
  exit 77
fi

cd "$root"
differing=0
while IFS= read -r -d '' file; do
  if ! "$formatter" --style=file "$file" | cmp -s - "$file"; then
    echo "$file"
    differing=$((differing + 1))
  fi
done < <(find src tests -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

if [ "$differing" -gt 0 ]; then
  echo "check-format: $differing file(s) differ from .clang-format; run: $formatter -i <file>..." >&2
  exit 1
fi
