#!/bin/sh
# The reduced engine's speed figures in one command: builds the release
# zorvat-cli when it is missing, then, in each round, alternates the fast
# and the reduced engine on one thread and the reduced engine on one and two
# threads (bench/alternate.sh), and prints every run's row, the load before
# each round and the ratios: fast / reduced on one thread, one / two threads.
# With -i it prints instead the reduced search's instructions per search call
# (valgrind's callgrind, one thread: the instructions inside FastSearch::Run
# over the calls the run reports), which do not depend on the machine's load.
# With -p PREVIOUS it compares CLI with an earlier build: it alternates the
# two (reduced engine, one thread) on the puzzles of the speed goals, round
# by round, and prints each one's least processor time (user + system) with
# the load before each round and the ratio CLI / PREVIOUS (the two-thread
# speed-up is the default run's); with -i too, both builds' instructions
# per call.
#
# A puzzle written NAME@N (for -i) is searched only up to its Nth solution
# (`--stop-after N`): the 46-segment chain's first 5.1 million calls take a
# minute under callgrind, its whole search a quarter of an hour.
#
# usage: bench/targets.sh [-r ROUNDS] [-c CLI] [-i] [-p PREVIOUS] [-s PUZZLES]
#   -s  the puzzles for -i and -p (default: King snake, 46-segment chain, 3x4x5, and 6x10 for -p)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
rounds=3
cli="$root/build-release/cli/zorvat-cli"
instructions=0
previous=
puzzles=
while getopts r:c:ip:s: option; do
  case $option in
    r) rounds=$OPTARG ;;
    c) cli=$OPTARG ;;
    i) instructions=1 ;;
    p) previous=$OPTARG ;;
    s) puzzles=$OPTARG ;;
    *) sed -n '21,22p' "$0" >&2; exit 2 ;;
  esac
done
if [ ! -x "$cli" ]; then
  cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVAT_BUILD_UI=OFF \
    -DZORVAT_BUILD_TESTS=OFF >/dev/null
  ninja -C "$root/build-release" -j2 zorvat-cli >/dev/null
  cli="$root/build-release/cli/zorvat-cli"
fi

if [ "$instructions" = 1 ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  printf '%-24s %-8s %12s %16s %12s\n' puzzle build calls instructions per-call
  for puzzle in ${puzzles:-king_snake.zvt chain_46.zvt pentominoes_3x4x5.zvt}; do
    task=${puzzle%@*}
    limit=
    [ "$task" = "$puzzle" ] || limit="--stop-after ${puzzle#*@}"
    for build in $previous "$cli"; do
      name=new
      [ "$build" = "$cli" ] || name=previous
      # $limit is empty or two words; a run stopped after its Nth solution
      # exits with the stopped status.
      # shellcheck disable=SC2086
      valgrind --tool=callgrind --callgrind-out-file="$work/out" \
        "$build" solve "$root/examples/$task" --json --threads 1 $limit >"$work/json" 2>/dev/null || :
      calls=$(grep -o '"searchCalls":[0-9]*' "$work/json" | cut -d: -f2)
      inside=$(callgrind_annotate --inclusive=yes "$work/out" 2>/dev/null |
        awk '/zv::FastSearch::Run\(\)/ { gsub(",", "", $1); print $1; exit }')
      awk -v p="$puzzle" -v b="$name" -v c="$calls" -v i="$inside" \
        'BEGIN { printf "%-24s %-8s %12s %16s %12.0f\n", p, b, c, i, i / c }'
    done
  done
  exit 0
fi

if [ -n "$previous" ]; then
  # Processor time of one solve, user + system, from /usr/bin/time.
  cpu() { /usr/bin/time -f '%U %S' "$@" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.2f", $1 + $2 }'; }
  rows=$(mktemp)
  trap 'rm -f "$rows"' EXIT
  set -- ${puzzles:-king_snake.zvt chain_46.zvt pentominoes_3x4x5.zvt pentominoes_6x10.zvt}
  round=1
  while [ "$round" -le "$rounds" ]; do
    echo "round $round: $(uptime)"
    for puzzle in "$@"; do
      task="$root/examples/$puzzle"
      echo "$puzzle previous $(cpu "$previous" solve "$task" --threads 1)" >>"$rows"
      echo "$puzzle new $(cpu "$cli" solve "$task" --threads 1)" >>"$rows"
    done
    round=$((round + 1))
  done
  awk '
    { key = $1 " " $2; if (!(key in best) || $3 < best[key]) best[key] = $3; if (!($1 in seen)) { seen[$1] = 1; order[++n] = $1 } }
    END {
      printf "%-24s %10s %10s %10s\n", "puzzle", "previous", "new", "new/prev"
      for (i = 1; i <= n; ++i) {
        p = order[i]; a = best[p " previous"]; b = best[p " new"]
        printf "%-24s %10.2f %10.2f %10s\n", p, a, b, (a > 0 ? sprintf("%.2fx", b / a) : "-")
      }
    }' "$rows"
  exit 0
fi

rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
{
  "$here/alternate.sh" -c "$cli" -r "$rounds" -l 120 "fast:1 reduced:1" \
    king_snake.zvt pentominoes_3x4x5.zvt pentominoes_6x10.zvt pentominoes_2x5x6.zvt
  "$here/alternate.sh" -c "$cli" -r "$rounds" -l 120 "reduced:1 reduced:2" pentominoes_3x4x5.zvt chain_46.zvt
} | tee "$rows"

# Rows are "SETTING PROGRAM PUZZLE expected found seconds ..." after "round N:"
# lines (and a "program 1:" line before them); the first comparison's rounds
# are 1.N, the second's 2.N.
echo
awk '
  /^program/ { next }
  /^round/ { n_ = $2 + 0; if (n_ == 1) ++pass; round = pass "." n_; next }
  { key = $3 " " round; seconds[key, $1] = $6; if (!(key in seen)) { seen[key] = 1; order[++n] = key } }
  END {
    printf "%-24s %6s %16s %16s\n", "puzzle", "round", "fast/reduced", "1 / 2 threads"
    for (i = 1; i <= n; ++i) {
      k = order[i]; split(k, part, " ")
      f = seconds[k, "fast:1"]; r = seconds[k, "reduced:1"]; t = seconds[k, "reduced:2"]
      a = (f != "" && r > 0) ? sprintf("%.1fx", f / r) : "-"
      b = (r != "" && t > 0) ? sprintf("%.2fx", r / t) : "-"
      printf "%-24s %6s %16s %16s\n", part[1], part[2], a, b
    }
  }' "$rows"
