#!/bin/sh
# Whether a rebuilt zorvat-cli still solves every example exactly as an
# earlier build did: `solve --show all` on one and on two threads must print
# the same text except the time line, and the one-thread search may take no
# more search calls and dead ends than before. Prints one line per example
# and run, and exits 1 when any differs.
#
# usage: bench/same_output.sh OLD-CLI NEW-CLI
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
[ $# -eq 2 ] || { sed -n '8p' "$0" >&2; exit 2; }
old=$1
new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for task in "$root"/examples/*.zvt; do
  name=$(basename "$task")
  for threads in 1 2; do
    "$old" solve "$task" --show all --threads "$threads" | grep -v '^time:' >"$work/old" || true
    "$new" solve "$task" --show all --threads "$threads" | grep -v '^time:' >"$work/new" || true
    if cmp -s "$work/old" "$work/new"; then
      echo "same      $name threads $threads"
    else
      echo "DIFFERENT $name threads $threads"
      status=1
    fi
  done
  # Calls and dead ends of one thread: equal or fewer.
  for cli in old new; do
    eval "\"\$$cli\"" solve "\"$task\"" --json --threads 1 >"$work/$cli.json" || true
  done
  for key in searchCalls deadEnds; do
    a=$(grep -o "\"$key\":[0-9]*" "$work/old.json" | cut -d: -f2)
    b=$(grep -o "\"$key\":[0-9]*" "$work/new.json" | cut -d: -f2)
    if [ -n "$a" ] && [ -n "$b" ] && [ "$b" -le "$a" ]; then
      echo "fewer-or-same $name $key $a -> $b"
    else
      echo "MORE      $name $key $a -> $b"
      status=1
    fi
  done
done
exit $status
