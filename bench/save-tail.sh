#!/usr/bin/env bash
# The slow tail of saving over an existing file: RUNS runs of
# `iromaki-cli in.bmp out.bmp invert` on a 4000 x 3000 BMP, the output kept in a
# folder of this checkout (the disk the user works on, not /tmp) and replaced by
# each run. Prints the median, the 95th percentile and their ratio, and the
# system time of the slowest run. With PAUSE=seconds it waits that long before
# each run. The runs go at real-time priority when chrt allows it, so that other
# jobs on the machine do not preempt them; the wall time left is the program's
# and the kernel's.
# Usage: bench/save-tail.sh [RUNS]       (default 30)
# Environment: IROMAKI_CLI=path as in compare-tools.sh; PAUSE=seconds.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-30}
cli=${IROMAKI_CLI:-$root/build/native/bin/iromaki-cli}
command -v convert >/dev/null || { echo "save-tail: convert is missing" >&2; exit 1; }

work=$(mktemp -d)
out_dir=$(mktemp -d "$root/build/save-tail.XXXXXX")
trap 'rm -rf "$work" "$out_dir"' EXIT
convert -size 4000x3000 gradient:'#203080'-'#f0c040' -attenuate 0.4 +noise Uniform \
    -type TrueColor BMP3:"$work/in.bmp"
priority=()
if chrt -f 10 true 2>/dev/null; then priority=(chrt -f 10); fi

"$cli" "$work/in.bmp" "$out_dir/out.bmp" invert # the file to replace, and a warm-up
for _ in $(seq "$runs"); do
    sleep "${PAUSE:-0}"
    start=$(date +%s%N)
    /usr/bin/time -f %S -o "$work/sys" "${priority[@]}" "$cli" "$work/in.bmp" "$out_dir/out.bmp" invert
    echo "$((($(date +%s%N) - start) / 1000)) $(cat "$work/sys")" >>"$work/times"
done
sort -n "$work/times" | awk -v runs="$runs" '
    { wall[NR] = $1 / 1000; sys[NR] = $2 * 1000 }
    END {
        median = (wall[int((NR + 1) / 2)] + wall[int(NR / 2) + 1]) / 2
        p95 = wall[int(0.95 * (NR - 1) + 0.5) + 1]
        printf "%d runs: median %.0f ms, p95 %.0f ms (%.2f x median), slowest %.0f ms with %.0f ms system time\n",
            runs, median, p95, p95 / median, wall[NR], sys[NR]
    }'
