#!/bin/bash
# A split run on a real batch system: starts a single-node Slurm (munged,
# slurmctld, slurmd from Debian, everything under a temporary folder, on
# ports of its own), runs TASK as a job array of parts plus a merge job that
# waits for the array, and compares the merge's report with the one-machine
# run's. Everything it started is stopped at the end, also on failure.
# Usage: slurm_array_test.sh ZORVAT_CLI TASK PARTS
set -u
cli=$1 task=$2 parts=$3
work=$(mktemp -d /tmp/zorvat-slurm-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "slurm test: $*" >&2
  for log in "$work"/*.log; do echo "--- $log" >&2; tail -n 20 "$log" >&2; done
  exit 1
}
for tool in munged slurmctld slurmd sbatch; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done
((EUID == 0)) || fail "must run as root to start slurmd"

# munge: a fresh key and its own socket.
mkdir -p "$work/munge" "$work/state" "$work/spool" "$work/jobs"
chmod 700 "$work/munge"
dd if=/dev/urandom of="$work/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$work/munge/munge.key"
munged --foreground --force --key-file="$work/munge/munge.key" --socket="$work/munge/socket" \
  --pid-file="$work/munge/munged.pid" --log-file="$work/munged.log" --seed-file="$work/munge/seed" \
  >"$work/munged.out.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -S "$work/munge/socket" ]] && break; sleep 0.1; done
[[ -S "$work/munge/socket" ]] || fail "munged did not start"

# Ports of this run, so that parallel runs of the test do not meet.
port=$((20000 + RANDOM % 20000))
host=$(hostname -s)
cpus=$(nproc)
export SLURM_CONF="$work/slurm.conf"
cat >"$SLURM_CONF" <<CONF
ClusterName=zorvattest
SlurmctldHost=$host
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$work/munge/socket
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
MpiDefault=none
SwitchType=switch/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
JobAcctGatherType=jobacct_gather/none
NodeName=$host CPUs=$cpus State=UNKNOWN
PartitionName=zorvat Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -D -i -f "$SLURM_CONF" >"$work/slurmctld.out.log" 2>&1 &
pids+=($!)
slurmd -D -f "$SLURM_CONF" >"$work/slurmd.out.log" 2>&1 &
pids+=($!)
for _ in $(seq 150); do
  sinfo -h -o %t 2>/dev/null | grep -qE '^(idle|mix|alloc)' && break
  sleep 0.2
done
sinfo -h -o %t 2>/dev/null | grep -qE '^(idle|mix|alloc)' || fail "the node did not come up"

# The one-machine run, then the array of parts and the merge that waits for it.
"$cli" solve "$task" --show all >"$work/one.txt" || fail "the one-machine run failed"
array=$(sbatch --parsable --chdir="$work/jobs" --output="$work/jobs/part-%a.out" --array=1-"$parts" \
  --wrap "'$cli' solve '$task' --threads 1 --part \$SLURM_ARRAY_TASK_ID/$parts --out part-\$SLURM_ARRAY_TASK_ID.zvu") ||
  fail "sbatch of the array failed"
sbatch --wait --chdir="$work/jobs" --output="$work/jobs/merge.out" --dependency=afterok:"$array" \
  --wrap "'$cli' merge '$task' part-*.zvu --show all" >/dev/null || fail "the merge job failed: $(cat "$work/jobs/merge.out")"
strip() { grep -v '^time: '; }
diff <(strip <"$work/one.txt") <(strip <"$work/jobs/merge.out") >&2 || fail "the merge differs from the one-machine run"
n=$(ls "$work/jobs"/part-*.zvu | wc -l)
((n == parts)) || fail "$n part files, not $parts"
echo "slurm test: $parts parts merged as the one-machine run"
