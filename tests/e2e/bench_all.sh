#!/usr/bin/env bash
# Runs the start-up and drawing benchmarks on a virtual X screen and prints
# their figures. Usage: tests/e2e/bench_all.sh BUILD_DIR [RUNS]
# (BUILD_DIR holds bin/quendal, bin/bench_startup and bin/bench_drawings.)
set -euo pipefail
dir=$(cd "${1:?usage: bench_all.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-10}
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=xcb
screen=(-a -s "-screen 0 1280x1024x24 -dpi 96")
xvfb-run "${screen[@]}" "$dir/bin/bench_startup" --runs "$runs" "$dir/bin/quendal"
xvfb-run "${screen[@]}" "$dir/bin/bench_drawings" --repeat 5 2>/dev/null
