#!/usr/bin/env bash
# Peak memory of one iromaki-cli step on a 4000 x 3000 BMP: each step's peak
# resident set against its budget, (input image + output image) x 1.1 + 16 MiB
# with 8 bytes per pixel in memory, written as a table into the section
# "Peak memory of one step" of docs/performance.md. Exits 1 when a step is over.
# Usage: bench/memory-check.sh        Environment: IROMAKI_CLI=path as in compare-tools.sh.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli=${IROMAKI_CLI:-$root/build/native/bin/iromaki-cli}
out_md=$root/docs/performance.md
heading="## Peak memory of one step"

if [ -z "${IROMAKI_CLI:-}" ]; then
    (cd "$root" && { [ -f build/native/CMakeCache.txt ] || cmake --preset native >/dev/null; } &&
        cmake --build --preset native --target iromaki-cli >/dev/null)
fi
for tool in convert /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "memory-check: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 4000x3000 gradient:'#203080'-'#f0c040' -attenuate 0.4 +noise Uniform \
    -type TrueColor BMP3:"$work/in.bmp"

steps=(
    "" gray invert reduce216 adjust-rgb=20,-20,10 adjust-ycc=10,5,-5
    rgb-matrix=0.5,0.3,0.2,0,0.2,0.6,0.2,0,0.1,0.1,0.8,0 map-luminance=16,235,0,255
    maximize-contrast saturation=30 gamma=2.0 posterize=4,4,4 tone-cut=1,64,0,0,0
    replace=0,0,0,255,255,255 color-diff=0.5 emboss median filter3x3=0,-1,0,-1,5,-1,0,-1,0,0,1
    blur=1,0.2 blur=6,1.0 unsharp=1,0.4 unsharp=6,1.0 outline=64 antialias=16 exchange=50 pinhole
    flip-v flip-h exchange-xy trim=1000,750,2000,1500 resample=6000,4500 resample=1000,750
    scale=50 scale=150 scale=200 scale=300
)

pixels() { "$cli" --info "$1" | awk '{ print $1 * $2 }'; }
in_pixels=$(pixels "$work/in.bmp")
rows=()
over=0
for step in "${steps[@]}"; do
    # shellcheck disable=SC2086 # a step is one word, or none for the plain round trip
    /usr/bin/time -f %M -o "$work/kib" "$cli" --seed 1 "$work/in.bmp" "$work/out.bmp" $step
    peak=$(cat "$work/kib")
    out_pixels=$(pixels "$work/out.bmp")
    budget=$(((in_pixels + out_pixels) * 8 * 11 / 10 / 1024 + 16 * 1024))
    verdict=ok
    if [ "$peak" -gt "$budget" ]; then verdict=over; over=1; fi
    rows+=("| ${step:-(read and write only)} | $((out_pixels / 1000000)) | $((peak / 1024)) | $((budget / 1024)) | $verdict |")
    echo "memory-check: ${step:-round trip} $((peak / 1024)) MiB of $((budget / 1024))" >&2
    rm -f "$work/out.bmp"
done

{
    echo "$heading"
    echo
    echo "Peak resident memory of \`iromaki-cli in.bmp out.bmp STEP\` on a 4000 × 3000 BMP (12"
    echo "megapixels), against the budget (input image + output image) × 1.1 + 16 MiB with 8 bytes"
    echo "per pixel. Measured $(date -u +%Y-%m-%d) with \`bench/memory-check.sh\` (GNU time, maximum RSS)."
    echo
    echo "| step | output megapixels | peak MiB | budget MiB | |"
    echo "|---|---:|---:|---:|---|"
    printf '%s\n' "${rows[@]}"
} | "$root/bench/write-section.sh" "$out_md"
echo "memory-check: wrote $out_md" >&2
exit "$over"
