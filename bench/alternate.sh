#!/bin/sh
# Compares engine and thread settings, and builds of the program, on the same
# puzzles in one run, taking the settings (and, for each setting, the
# programs) in turn for each puzzle and round, so that a change of load
# touches them alike. Prints bench/run.sh's row for each, after its setting
# and program number.
#
# usage: bench/alternate.sh [-c CLI]... [-r ROUNDS] [-l SECONDS] "ENGINE:THREADS ..." PUZZLE...
#   e.g. bench/alternate.sh -r 2 -l 60 "fast:1 reduced:1 reduced:2" king_snake.zvt chain_46.zvt
#   -c  a zorvat-cli to run; given more than once, each in turn (program 1, 2, ...)
# The uptime line before each round gives the load.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
clis=
rounds=1
limit=
while getopts c:r:l: option; do
  case $option in
    c) clis="$clis $OPTARG" ;;
    r) rounds=$OPTARG ;;
    l) limit=$OPTARG ;;
    *) sed -n '8,11p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 2 ] || { sed -n '8,11p' "$0" >&2; exit 2; }
[ -n "$clis" ] || clis=-
number=1
for cli in $clis; do
  echo "program $number: $cli"
  number=$((number + 1))
done
settings=$1
shift
puzzles="$*"

status=0
round=1
while [ "$round" -le "$rounds" ]; do
  echo "round $round: $(uptime)"
  for puzzle in $puzzles; do
    for setting in $settings; do
      number=1
      for cli in $clis; do
        set -- -q -p "$puzzle" -e "${setting%%:*}" -n "${setting##*:}"
        [ "$cli" = - ] || set -- "$@" -c "$cli"
        [ -z "$limit" ] || set -- "$@" -l "$limit"
        printf '%-12s %2s ' "$setting" "$number"
        "$here/run.sh" "$@" || status=1
        number=$((number + 1))
      done
    done
  done
  round=$((round + 1))
done
exit $status
