#!/bin/sh
# Times `zorvat-cli solve --json` on every example puzzle of the manifest and
# prints one table row per puzzle: expected and found solutions, seconds,
# search calls per second, complete assignments and dead ends.
#
# usage: bench/run.sh [-c CLI] [-t fast|bench|all] [-p FILE] [-l SECONDS] [-e ENGINE] [-n THREADS] [-q]
#   -c  the zorvat-cli to run (default build-release/cli/zorvat-cli)
#   -t  which manifest tags to run (default all)
#   -p  only this puzzle of the manifest (a file name such as king_snake.zvt)
#   -q  no header line
#   -l  time limit per puzzle, passed on as --time-limit (default none)
#   -e  reduced, fast or reference, passed on as --engine (default the CLI's: reduced)
#   -n  worker threads, passed on as --threads (default the CLI's: all processors)
# Exit status 1 when a puzzle's solution count differs from the manifest.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
cli="$root/build-release/cli/zorvat-cli"
tags=all
puzzle=
header=1
limit=
engine=
threads=
while getopts c:t:p:l:e:n:q option; do
  case $option in
    c) cli=$OPTARG ;;
    t) tags=$OPTARG ;;
    p) puzzle=$OPTARG ;;
    q) header=0 ;;
    l) limit=$OPTARG ;;
    e) engine=$OPTARG ;;
    n) threads=$OPTARG ;;
    *) sed -n '6,14p' "$0" >&2; exit 2 ;;
  esac
done
if [ ! -x "$cli" ]; then
  echo "no zorvat-cli at $cli; build it with:" >&2
  echo "  cmake -S $root -B $root/build-release -G Ninja -DCMAKE_BUILD_TYPE=Release && ninja -C $root/build-release -j2 zorvat-cli" >&2
  exit 2
fi

# The value of one numeric or boolean field of the one-line JSON answer.
field() { printf '%s\n' "$1" | sed -n "s/.*\"$2\":\([^,}]*\).*/\1/p"; }

status=0
[ "$header" = 0 ] ||
  printf '%-24s %9s %9s %9s %14s %14s %14s %s\n' puzzle expected found seconds calls/s assignments "dead ends" note
grep -v '^#' "$root/examples/manifest.txt" | {
failed=0
while read -r file expected tag; do
  [ -n "$file" ] || continue
  [ "$tags" = all ] || [ "$tags" = "$tag" ] || continue
  [ -z "$puzzle" ] || [ "$puzzle" = "$file" ] || continue
  set -- solve "$root/examples/$file" --json
  [ -z "$limit" ] || set -- "$@" --time-limit "$limit"
  [ -z "$engine" ] || set -- "$@" --engine "$engine"
  [ -z "$threads" ] || set -- "$@" --threads "$threads"
  answer=$("$cli" "$@" 2>/dev/null) || true
  found=$(field "$answer" found)  # past the 10000 kept, the solutions found
  seconds=$(field "$answer" seconds)
  calls=$(field "$answer" searchCalls)
  rate=-
  if [ -n "$calls" ] && [ -n "$seconds" ]; then
    rate=$(awk -v c="$calls" -v s="$seconds" 'BEGIN { if (s > 0) printf "%.0f", c / s; else print "-" }')
  fi
  note=
  [ "$(field "$answer" stopped)" = true ] && note="stopped"
  [ "$(field "$answer" outOfMemory)" = true ] && note="out of memory"
  if [ -z "$found" ]; then
    note="no answer"
  elif [ -z "$note" ] && [ "$found" != "$expected" ]; then
    note="MISMATCH"
  fi
  printf '%-24s %9s %9s %9s %14s %14s %14s %s\n' "$file" "$expected" "${found:--}" "${seconds:--}" "$rate" \
    "$(field "$answer" assignments)" "$(field "$answer" deadEnds)" "$note"
  [ "$note" = "" ] || [ "$note" = stopped ] || failed=1
done
exit $failed
} || status=1
exit $status
