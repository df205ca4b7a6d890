#!/usr/bin/env bash
# The web page of a solution in headless Chromium (drawing WebGL in
# software): the page loads with no script or console errors, its canvas is
# not blank, moving the slider from the flat figure to the solution changes
# the picture, and the form cell each numbered cube ends in is the one
# `zorvat-cli solve --show` prints for that solution. The page loads nothing
# from elsewhere and carries three.js's licence notice. It says the fold
# check's verdict in the words of solve --foldable, and plays the motion the
# check found: on a figure whose plain order of turns sweeps one cube
# through another, no two cube centres come closer than one edge in any
# frame.
#   fold_page_test.sh ZORVAT_CLI SOURCE_DIR
set -euo pipefail
cli="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

task="$source/examples/hinge_ring.zvt"
solution=2
"$cli" export "$task" --solution "$solution" --format html "$work/page.html"

grep -Eiq '<(script|img|link)[^>]+(src|href)=' "$work/page.html" && fail "the page loads files from elsewhere"
grep -q 'License: Expat' "$work/page.html" || fail "no licence notice of three.js"

chromium --headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader --window-size=800,600 \
  --enable-logging=stderr --v=0 --virtual-time-budget=5000 --dump-dom "file://$work/page.html#selftest" \
  >"$work/dom.html" 2>"$work/browser.log" || fail "chromium failed"
sed -n '/<pre id="selftest">/,/<\/pre>/p' "$work/dom.html" | sed 's/<[^>]*>//g' >"$work/report.txt"
cat "$work/report.txt"

grep -qx 'errors 0' "$work/report.txt" || fail "script errors: $(grep '^error' "$work/report.txt" || echo 'no report')"
grep -E 'CONSOLE|Uncaught' "$work/browser.log" && fail "console messages"
drawn="$(sed -n 's/^drawn //p' "$work/report.txt")"
[[ -n "$drawn" && "$drawn" -gt 1000 ]] || fail "the canvas is blank (${drawn:-no} pixels drawn)"
grep -qx 'changed yes' "$work/report.txt" || fail "the slider does not change the picture"

# "cube N X Y Z" for every cube of the solution as solve prints it: layers
# separated by blank lines, rows of numbers ('_' an empty cell).
"$cli" solve "$task" --show "$solution" |
  awk -v want="solution $solution:" '
    $0 == want { on = 1; z = 0; y = 0; next }
    on && /^solution / { on = 0 }
    on && NF == 0 { z++; y = 0; next }
    on { for (x = 1; x <= NF; x++) if ($x != "_") print "cube", $x, x - 1, y, z; y++ }' |
  sort >"$work/expected.txt"
grep '^cube ' "$work/report.txt" | sort >"$work/shown.txt"
[[ -s "$work/expected.txt" ]] || fail "solve printed no solution $solution"
diff "$work/expected.txt" "$work/shown.txt" || fail "the page's cubes end elsewhere than the solution puts them"

# The verdict, in the words solve --foldable prints for the solution.
# $1: task, $2: solution, $3: the page's self-test report.
check_verdict() {
  local words
  words="$("$cli" solve "$1" --foldable --show "$2" |
    awk -v want="solution $2:" '/^fold: / { last = substr($0, 7) } $0 == want { print last; exit }')"
  [[ -n "$words" ]] || fail "solve printed no fold line for solution $2 of $1"
  grep -q "^verdict [a-z_]* $words\$" "$3" || fail "the page's verdict is not '$words': $(grep '^verdict' "$3")"
}
check_verdict "$task" "$solution" "$work/report.txt"

# Cubes 1 and 2 hinged on the vertical edge at the bottom of their shared
# side, cube 3 a part of its own below cube 2: in the plain order cube 2
# turns through cube 3; the motion found moves cube 3 in last.
cat >"$work/sweep.json" <<'TASK'
{"format": "zorvat-task", "version": 1,
 "figure": {"width": 2, "depth": 2, "cubes": [{"x": 0, "y": 0}, {"x": 1, "y": 0}, {"x": 1, "y": 1}],
            "links": [{"cubes": [1, 2], "kind": "edge", "edge": "bottom"}]},
 "form": {"layers": [["#.", "##"]]}}
TASK
"$cli" export "$work/sweep.json" --solution 4 --format html "$work/sweep.html"
chromium --headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader --window-size=800,600 \
  --virtual-time-budget=5000 --dump-dom "file://$work/sweep.html#selftest" 2>/dev/null |
  sed -n '/<pre id="selftest">/,/<\/pre>/p' | sed 's/<[^>]*>//g' >"$work/sweep.txt"
grep -qx 'errors 0' "$work/sweep.txt" || fail "script errors on the second page"
grep -q '^verdict foldable ' "$work/sweep.txt" || fail "the second page is not foldable: $(grep '^verdict' "$work/sweep.txt")"
check_verdict "$work/sweep.json" 4 "$work/sweep.txt"
closest="$(sed -n 's/^closest //p' "$work/sweep.txt")"
awk -v c="${closest:-0}" 'BEGIN { exit !(c >= 0.99) }' ||
  fail "cubes pass through each other in the page's fold (centres ${closest:-?} apart): not the motion found"

((failures == 0)) && echo "fold page: every check passed"
((failures == 0))
