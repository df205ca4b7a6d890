#!/bin/bash
# A job that a scheduler stops again and again: solves each TASK with
# `--time-limit 0.2 --checkpoint`, then resumes the checkpoint with the same
# limit until a run finishes, and compares its `--show all` report with the
# uninterrupted run's (all but the time line). Each run searches at least
# half its limit, so the resumes needed are bounded by the uninterrupted
# run's time: the test fails past four times that many (and ten more), which
# only a resume that does not get on can reach.
# Usage: resume_loop_test.sh ZORVAT_CLI THREADS TASK...
set -u
cli=$1 threads=$2
shift 2
work=$(mktemp -d /tmp/zorvat-resume-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "resume loop: $*" >&2
  exit 1
}
report() { grep -v '^time: ' "$1"; }

for task in "$@"; do
  name=$(basename "$task")
  start=$(date +%s%N)
  "$cli" solve "$task" --threads "$threads" --show all >"$work/whole.txt" ||
    fail "$name: the uninterrupted run failed"
  seconds=$((($(date +%s%N) - start) / 1000000000 + 1))
  most=$((40 * seconds + 10))
  checkpoint=$work/$name.zvu
  rm -f "$checkpoint"
  resumes=0
  from=()
  while :; do
    "$cli" solve "$task" --threads "$threads" --time-limit 0.2 --checkpoint "$checkpoint" "${from[@]}" \
      --show all >"$work/run.txt" 2>"$work/run.err"
    status=$?
    ((status == 0)) && break
    ((status == 4)) || fail "$name: exit status $status after $resumes resumes: $(cat "$work/run.err")"
    ((resumes < most)) || fail "$name: not finished after $resumes resumes (the run takes $seconds s)"
    from=(--resume "$checkpoint")
    resumes=$((resumes + 1))
  done
  diff <(report "$work/whole.txt") <(report "$work/run.txt") >&2 ||
    fail "$name: the resumed run's report differs from the uninterrupted one's"
  echo "$name: finished after $resumes resumes (at most $most for a run of $seconds s)"
done
