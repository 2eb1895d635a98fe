#!/usr/bin/env bash
# Runs one Qm.exe over a folder of inputs, or compares two such runs.
#
#   tools/compare_qm.sh run QM INPUT_DIR RESULT_DIR   # RESULT_DIR/<name>.out and times.tsv
#   tools/compare_qm.sh compare OLD_RESULT NEW_RESULT  # answers that differ, and per family:
#                                                      # median / p90 / max CPU ms, over 1 s,
#                                                      # status 3
#
# Inputs come from `bench_minimizer --write-inputs DIR [--with-hardest | --wide]`; a family is
# the file name without its member number. Each run is one process under nice -n 10, timed in
# user plus system CPU time; Qm.exe's own time limit (5 s) stops the hardest.
set -euo pipefail

mode=${1:-}
case "$mode" in
run)
    qm=$2 inputs=$3 results=$4
    mkdir -p "$results"
    : > "$results/times.tsv"
    for file in "$inputs"/*.txt; do
        name=$(basename "$file" .txt)
        status=0
        nice -n 10 /usr/bin/time -q -f "%U %S" -o "$results/$name.cpu" \
            "$qm" "$file" "$results/$name.out" 2> "$results/$name.err" > /dev/null || status=$?
        ms=$(awk '{ printf "%.1f", ($1 + $2) * 1000 }' "$results/$name.cpu")
        rm -f "$results/$name.cpu"
        printf '%s\t%s\t%s\n' "$name" "$status" "$ms" >> "$results/times.tsv"
    done
    ;;
compare)
    python3 - "$2" "$3" <<'PY'
import collections, os, re, statistics, sys

def load(folder):
    rows = {}
    for line in open(os.path.join(folder, "times.tsv")):
        name, status, ms = line.rstrip("\n").split("\t")
        out = os.path.join(folder, name + ".out")
        text = open(out, "rb").read() if os.path.exists(out) else None
        rows[name] = (int(status), float(ms), text)
    return rows

old, new = load(sys.argv[1]), load(sys.argv[2])
families = collections.defaultdict(list)
differ = []
for name in sorted(new):
    families[re.sub(r"_[0-9]+$", "", name)].append(name)
    if name in old and old[name][0] == 0 and new[name][0] == 0 and old[name][2] != new[name][2]:
        differ.append(name)

def figures(rows, names):
    times = sorted(rows[n][1] for n in names if n in rows)
    if not times:
        return "-"
    p90 = times[min(len(times) - 1, len(times) * 9 // 10)]
    over = sum(t > 1000 for t in times)
    three = sum(rows[n][0] == 3 for n in names if n in rows)
    return f"{statistics.median(times):.0f} / {p90:.0f} / {times[-1]:.0f}, {over} over 1 s, {three} status 3"

print("family (members): old | new   (median / p90 / max ms CPU of the whole process)")
for family, names in families.items():
    print(f"{family} ({len(names)}): {figures(old, names)} | {figures(new, names)}")
print(f"answers differing where both have status 0: {len(differ)}")
for name in differ:
    print("  differs:", name, "old", old[name][1], "ms, new", new[name][1], "ms")
PY
    ;;
*)
    sed -n '2,11p' "$0" >&2
    exit 2
    ;;
esac
