#!/usr/bin/env bash
# Whole-process time of Qm.exe (start, read, minimize, write) over the benchmark families'
# 8-variable inputs: prints the median and the slowest run in milliseconds.
#
#   tests/minimizer/bench_process.sh [BUILD_DIR] [RUNS_PER_FILE] [FILE_PATTERN]
#
# FILE_PATTERN picks input files by name (e.g. 'random_90*'); a run that takes more than 10 s is
# stopped and counted at 10 s.
# BUILD_DIR defaults to build-minimizer next to this repository's top folder. Uses hyperfine
# when it is installed, otherwise a shell loop timed with date +%s%N.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=${1:-$top/build-minimizer}
runs=${2:-3}
pattern=${3:-*}
qm="$build/bin/Qm.exe"
bench="$build/bin/bench_minimizer"
[ -x "$qm" ] && [ -x "$bench" ] || { echo "build Qm and bench_minimizer in $build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" --write-inputs "$work/inputs" > /dev/null

if command -v hyperfine > /dev/null; then
    hyperfine --warmup 3 --runs "$runs" -N --export-json "$work/h.json" \
        -L file "$(cd "$work/inputs" && ls $pattern | paste -sd, -)" \
        "$qm $work/inputs/{file} $work/out.txt" > /dev/null
    python3 - "$work/h.json" <<'PY'
import json, statistics, sys
times = [t * 1000 for r in json.load(open(sys.argv[1]))["results"] for t in r["times"]]
print(f"runs {len(times)}  median {statistics.median(times):.2f} ms  slowest {max(times):.2f} ms")
PY
    exit 0
fi

times="$work/times"
: > "$times"
for file in "$work"/inputs/$pattern; do
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        timeout 10 "$qm" "$file" "$work/out.txt" || true
        stop=$(date +%s%N)
        echo $(( (stop - start) / 1000 )) >> "$times"
    done
done
sort -n "$times" | awk '{ t[NR] = $1 } END {
    printf "runs %d  median %.2f ms  slowest %.2f ms\n", NR, t[int((NR + 1) / 2)] / 1000, t[NR] / 1000 }'

# What the loop itself costs (two date calls and timeout), to be read against the figures above.
: > "$times"
for ((i = 0; i < 101; i++)); do
    start=$(date +%s%N)
    timeout 10 true
    stop=$(date +%s%N)
    echo $(( (stop - start) / 1000 )) >> "$times"
done
sort -n "$times" | awk '{ t[NR] = $1 } END { printf "loop overhead median %.2f ms\n", t[51] / 1000 }'
