#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every tracked *.cpp of
# the programs and libraries (not tests/: about 40% of the time, spent mostly
# on parsing Qt Test and GoogleTest, for code the tests themselves exercise).
#   scripts/tidy.sh [BUILD_DIR]
# BUILD_DIR (default build/test) gives the compile commands and must have been
# built: the window's sources include files that Qt's moc generates there.
# Prints the findings and exits 1 when there are any.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build="${1:-build/test}"
if ! command -v run-clang-tidy >/dev/null 2>&1; then
  echo "tidy: clang-tidy is not installed (apt-get install clang-tidy)" >&2
  exit 2
fi
mapfile -t files < <(git ls-files '*.cpp' ':!tests/')
# run-clang-tidy takes regular expressions: each one names one file exactly.
patterns=()
for file in "${files[@]}"; do patterns+=("$PWD/${file//./\\.}\$"); done
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${patterns[@]}" >"$build/tidy.log" 2>&1 || {
  grep -E 'error:|warning:|note:|^ ' "$build/tidy.log" | grep -v '^Suppressed\|^Use -header-filter' >&2 || cat "$build/tidy.log" >&2
  exit 1
}
echo "tidy: ${#files[@]} files, no findings"
