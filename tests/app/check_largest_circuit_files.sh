#!/usr/bin/env bash
# The largest drawings (8-variable parity, three styles) saved as circuit
# files by the real program, then read back by ImageMagick with its resource
# limits raised (the pictures exceed its defaults) and compared with what
# Quendal reads; each file is also opened alone under /usr/bin/time -v for
# its peak memory. Usage: tests/app/check_largest_circuit_files.sh BUILD_DIR
set -euo pipefail
dir=$(cd "${1:?usage: check_largest_circuit_files.sh BUILD_DIR}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/magick"
export XDG_RUNTIME_DIR="$work/runtime"
cat >"$work/magick/policy.xml" <<'POLICY'
<policymap>
  <policy domain="resource" name="memory" value="2GiB"/>
  <policy domain="resource" name="map" value="4GiB"/>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="height" value="64KP"/>
  <policy domain="resource" name="area" value="1GP"/>
  <policy domain="resource" name="disk" value="8GiB"/>
</policymap>
POLICY
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$dir/bin/bench_drawings" --repeat 1 --keep "$work" 2>/dev/null | grep "saved as .cir"
status=0
for cir in "$work"/*.cir; do
  MAGICK_CONFIGURE_PATH="$work/magick" convert "$cir" "$cir.png"
  QT_QPA_PLATFORM=offscreen "$dir/bin/bench_circuit_file" compare "$cir" "$cir.png" || status=1
  QT_QPA_PLATFORM=offscreen /usr/bin/time -f "  peak resident %M KiB" \
    "$dir/bin/bench_circuit_file" open "$cir" || status=1
done
exit $status
