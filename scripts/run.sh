#!/usr/bin/env bash
# Installs what is missing, builds the window program and zorvat-cli (not the
# tests and benchmarks) in the Release configuration into build/release and
# starts the window program with the given arguments.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh" || exit 1

cmake --preset release
cmake --build --preset release --target zorvat zorvat-cli

program="build/release/app/zorvat"
if [[ ! -x "$program" ]]; then
  echo "run: $program was not built (the window program is not in this tree yet)" >&2
  exit 1
fi
exec "$program" "$@"
