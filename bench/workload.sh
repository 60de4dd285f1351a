#!/usr/bin/env bash
# The full-sheet workload: a 19999-row x 100-column numeric text file (about 14 MB, generated
# with a fixed seed), opened by orvel-batch, Summary Statistics of every column and one
# Unpaired t-Test; then the same sheet opened and saved as a document. Each run is timed with
# /usr/bin/time -v (wall clock and peak resident memory of the whole process).
#
#   bench/workload.sh [ORVEL_BATCH] [WORK_DIR]
#
# ORVEL_BATCH defaults to build-rel/orvel-batch (a Release build:
#   cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
#   cmake --build build-rel --target orvel-batch).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
batch=${1:-$here/../build-rel/orvel-batch}
[ -x "$batch" ] || batch=$(find "$here/../build-rel" -name orvel-batch -type f -perm -u+x | head -1)
work=${2:-${TMPDIR:-/tmp}/orvel-workload}
runs=${RUNS:-5}
mkdir -p "$work"

if [ ! -s "$work/sheet.txt" ]; then
  python3 - "$work/sheet.txt" <<'PY'
import random, sys
rng = random.Random(20261208)
rows, cols = 19999, 100
with open(sys.argv[1], "w", newline="") as f:
    f.write("Label\t" + "\t".join("C%d" % c for c in range(1, cols + 1)) + "\r\n")
    for r in range(1, rows + 1):
        f.write("r%d\t" % r + "\t".join("%.3f" % rng.gauss(50.0, 10.0) for _ in range(cols)) + "\r\n")
PY
fi

cat > "$work/summary_all.ovm" <<'M'
#c=1;
while (#c<=100) {selectcell (#c,1)::(#c,1); basic; #c=#c+1;}
setxvalue (1);
setyvalue (2);
unpairedt;
M
: > "$work/empty.ovm"
"$batch" --rows 20000 --save "$work/sheet.ovd" "$work/sheet.txt" "$work/empty.ovm" > /dev/null

# Prints the median wall time, the median CPU time (user + system; on a machine shared with
# other work it is the steadier figure) and the largest peak RSS of $runs runs of "$@".
measure() {
  local label=$1; shift
  local walls=() cpus=() rss=0
  for _ in $(seq "$runs"); do
    /usr/bin/time -v "$@" > /dev/null 2> "$work/time.txt"
    walls+=("$(awk -F': ' '/Elapsed \(wall clock\)/ {n=split($2,a,":"); s=0; for(i=1;i<=n;i++) s=s*60+a[i]; print s}' "$work/time.txt")")
    cpus+=("$(awk -F': ' '/User time|System time/ {s+=$2} END {print s}' "$work/time.txt")")
    local kb; kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    [ "$kb" -gt "$rss" ] && rss=$kb
  done
  local wall cpu
  wall=$(printf '%s\n' "${walls[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  cpu=$(printf '%s\n' "${cpus[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  printf '%-48s wall %6.3f s  cpu %6.3f s  %6.1f MiB\n' "$label" "$wall" "$cpu" "$(awk -v k="$rss" 'BEGIN {print k / 1024}')"
}

# With PERF=1 (and perf installed) each run is also counted by `perf stat -r $runs`: the mean
# task-clock (CPU milliseconds) is finer than the 10 ms steps of /usr/bin/time.
cpu_ms() {
  local label=$1; shift
  perf stat -r "$runs" -e task-clock "$@" 2> "$work/perf.txt" > /dev/null
  printf '%-48s task-clock %7.1f ms\n' "$label" "$(awk '/task-clock/ {print $1; exit}' "$work/perf.txt")"
}
if [ "${PERF:-0}" = 1 ]; then
  measure() { cpu_ms "$@"; }
fi

measure "open the text file, summary x100, unpaired t" "$batch" --rows 20000 "$work/sheet.txt" "$work/summary_all.ovm"
measure "open the text file" "$batch" --rows 20000 "$work/sheet.txt" "$work/empty.ovm"
measure "open the document" "$batch" --rows 20000 "$work/sheet.ovd" "$work/empty.ovm"
measure "open the document and save it" "$batch" --rows 20000 --save "$work/copy.ovd" "$work/sheet.ovd" "$work/empty.ovm"
measure "start with an empty sheet" "$batch" --rows 20000 "$work/empty.ovm" "$work/empty.ovm"
