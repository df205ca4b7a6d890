#!/usr/bin/env bash
# The thumbnailer entry run the way a file manager runs it: its Exec line
# with %s, %i and %o replaced, zorvat-cli found on PATH. A task, a result
# and a run file each give a PNG of the size asked for; the result file's
# picture (its first solution) differs from its task's; a damaged file gives
# a failure and no picture.
#   thumbnailer_test.sh CLI_DIR SOURCE_DIR
set -euo pipefail
cli_dir="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export PATH="$cli_dir:$PATH"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

entry="$source/packaging/zorvat.thumbnailer"
exec_line="$(sed -n 's/^Exec=//p' "$entry")"
grep -qx 'MimeType=application/x-zorvat-task;application/x-zorvat-run;application/x-zorvat-result;' "$entry" ||
  fail "MimeType line"

# Runs the Exec line for input $1, output $2 and size $3, as a file manager does.
thumbnail() {
  local words=() word
  for word in $exec_line; do
    case "$word" in
      %i) words+=("$1") ;;
      %o) words+=("$2") ;;
      %s) words+=("$3") ;;
      *) words+=("$word") ;;
    esac
  done
  "${words[@]}"
}

zorvat-cli solve "$source/examples/hinge_ring.zvt" --result "$work/ring.zvr" >/dev/null
zorvat-cli solve "$source/examples/hinge_ring.zvt" --part 1/2 --out "$work/ring.zvu" >/dev/null
cp "$source/examples/king_snake.zvt" "$work/king snake.zvt"  # the largest example, a space in its name
files=("king snake.zvt" ring.zvr ring.zvu ring.zvr)
sizes=(128 256 64 512)
for i in "${!files[@]}"; do
  file="${files[$i]}"
  size="${sizes[$i]}"
  out="$work/$file.$size.png"
  thumbnail "$work/$file" "$out" "$size" || fail "$file: the thumbnailer failed"
  file -b "$out" | grep -q "^PNG image data, $size x $size," || fail "$file: not a PNG of ${size}x$size"
done

zorvat-cli thumbnail --size 256 "$source/examples/hinge_ring.zvt" "$work/task.png"
cmp -s "$work/task.png" "$work/ring.zvr.256.png" && fail "the result file's picture is its task's"

printf 'ZVRESLT\032\001\000\000\000damaged' >"$work/bad.zvr"
thumbnail "$work/bad.zvr" "$work/bad.png" 128 2>/dev/null && fail "a damaged file gave a picture"
[[ -e "$work/bad.png" ]] && fail "a damaged file left a picture"

((failures == 0)) && echo "thumbnailer: every check passed"
((failures == 0))
