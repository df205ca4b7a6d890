#!/usr/bin/env bash
# Installs what is missing, checks the formatting (scripts/format.sh, one
# result, first because it takes seconds), then builds and runs every test
# headless in three configurations (their settings live in CMakePresets.json):
#   test  everything, warnings as errors, build/test; then clang-tidy over
#         every source with its compile commands (scripts/tidy.sh, one result)
#   asan  the core under AddressSanitizer and UndefinedBehaviorSanitizer, build/asan
#   fuzz  the core with clang and libFuzzer, only the fuzz tests, build/fuzz
# Ends with the line "N passed, M failed" (formatting differences, tidy
# findings, and a configuration that does not configure or build, count as one failure each)
# and exits 0 only when M is 0.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh" || exit 1

export QT_QPA_PLATFORM=offscreen
passed=0
failed=0

# run_configuration PRESET: configure, build and test one preset, adding its
# ctest results to the totals.
run_configuration() {
  local preset="$1"
  local log="build/$preset-ctest.log"
  local start=$SECONDS
  echo "=== $preset: configure and build"
  if ! cmake --preset "$preset" || ! cmake --build --preset "$preset"; then
    echo "=== $preset: configure or build FAILED"
    failed=$((failed + 1))
    return
  fi
  echo "=== $preset: built in $((SECONDS - start)) s; tests"
  ctest --preset "$preset" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  echo "=== $preset: done after $((SECONDS - start)) s"
  local counts
  counts="$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)"
  if [[ -n "$counts" ]]; then
    local bad total
    read -r bad _ _ _ _ total <<<"$counts"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    if ((status != 0 && bad == 0)); then
      echo "=== $preset: ctest failed without a failing test"
      failed=$((failed + 1))
    fi
  elif ((status != 0)); then
    echo "=== $preset: ctest FAILED"
    failed=$((failed + 1))
  else
    echo "=== $preset: no tests"
  fi
}

# The formatting check: one result, listing the files that differ.
echo "=== format: clang-format check"
if bash scripts/format.sh; then
  passed=$((passed + 1))
else
  echo "=== format: FAILED (the files above differ from .clang-format; scripts/format.sh --fix rewrites them)"
  failed=$((failed + 1))
fi

mkdir -p build
run_configuration test

# clang-tidy (scripts/tidy.sh, checks in .clang-tidy) over every source with
# the compile commands of the test build: one result, listing the findings.
echo "=== tidy: clang-tidy"
start=$SECONDS
if bash scripts/tidy.sh build/test; then
  passed=$((passed + 1))
else
  echo "=== tidy: FAILED (the findings above)"
  failed=$((failed + 1))
fi
echo "=== tidy: done after $((SECONDS - start)) s"
run_configuration asan
run_configuration fuzz

echo "$passed passed, $failed failed"
((failed == 0))
