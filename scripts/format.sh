#!/usr/bin/env bash
# Checks the formatting of C++ files against .clang-format, or fixes it.
#   scripts/format.sh [--fix] [FILE...]
# Without files it takes every tracked *.h and *.cpp. Lists the files that
# differ and exits 1 when there are any (with --fix: rewrites them instead).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

fix=0
if [[ "${1:-}" == "--fix" ]]; then
  fix=1
  shift
fi
if ! command -v clang-format >/dev/null 2>&1; then
  echo "format: clang-format is not installed (apt-get install clang-format)" >&2
  exit 2
fi

files=("$@")
((${#files[@]} > 0)) || mapfile -t files < <(git ls-files '*.h' '*.cpp')

if ((fix)); then
  clang-format -i "${files[@]}"
  exit 0
fi
differ=0
for file in "${files[@]}"; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "$file"
    differ=1
  fi
done
exit "$differ"
