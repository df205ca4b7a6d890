#!/bin/sh
# Compares engine and thread settings on the same puzzles in one run, taking
# the settings in turn for each puzzle and round, so that a change of load
# touches them alike. Prints bench/run.sh's row for each, after its setting.
#
# usage: bench/alternate.sh [-c CLI] [-r ROUNDS] [-l SECONDS] "ENGINE:THREADS ..." PUZZLE...
#   e.g. bench/alternate.sh -r 2 -l 60 "fast:1 reduced:1 reduced:2" king_snake.zvt chain_46.zvt
# The uptime line before each round gives the load.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
cli=
rounds=1
limit=
while getopts c:r:l: option; do
  case $option in
    c) cli=$OPTARG ;;
    r) rounds=$OPTARG ;;
    l) limit=$OPTARG ;;
    *) sed -n '6,8p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 2 ] || { sed -n '6,8p' "$0" >&2; exit 2; }
settings=$1
shift
puzzles="$*"

status=0
round=1
while [ "$round" -le "$rounds" ]; do
  echo "round $round: $(uptime)"
  for puzzle in $puzzles; do
    for setting in $settings; do
      set -- -q -p "$puzzle" -e "${setting%%:*}" -n "${setting##*:}"
      [ -z "$cli" ] || set -- "$@" -c "$cli"
      [ -z "$limit" ] || set -- "$@" -l "$limit"
      printf '%-12s ' "$setting"
      "$here/run.sh" "$@" || status=1
    done
  done
  round=$((round + 1))
done
exit $status
