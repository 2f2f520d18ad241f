#!/usr/bin/env bash
# Batch comparison: 100 photo-like 3-megapixel JPEG files (bench/make-photos.sh)
# made grey and sharpened with an unsharp mask, written as JPEG at quality 90 into
# another folder, timed as whole runs against ImageMagick mogrify, GraphicsMagick
# gm mogrify and vips (two files at a time through xargs -P 2). Each tool uses the
# machine as it does by itself: iromaki-cli one worker per core, ImageMagick and
# GraphicsMagick their OpenMP threads. Writes the table into the "Batch" section
# of docs/performance.md, replacing the section before it.
# Usage: bench/batch-photos.sh [RUNS]     (default 3 timed runs after a warm-up;
#                                          a single run has none)
# Environment: IROMAKI_CLI=path overrides build/native/bin/iromaki-cli;
# BATCH_NOTE=text is written under the table (say what else the machine ran).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-3}
cli=${IROMAKI_CLI:-$root/build/native/bin/iromaki-cli}
out_md=$root/docs/performance.md
files=${BATCH_FILES:-100} # fewer for a quick check of the script

if [ -z "${IROMAKI_CLI:-}" ]; then
    (cd "$root" && { [ -f build/native/CMakeCache.txt ] || cmake --preset native >/dev/null; } &&
        cmake --build --preset native --target iromaki-cli imgcodec >/dev/null)
fi
for tool in hyperfine gm mogrify vips convert; do
    command -v "$tool" >/dev/null || { echo "batch-photos: $tool is missing (scripts/install-deps)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "batch-photos: writing $files photos" >&2
"$root/bench/make-photos.sh" "$work/in" "$files"
cd "$work"

# name | command, run in $work with the inputs in in/ and the outputs in out/
cases=(
    "iromaki-cli|$cli --quality 90 --out out gray unsharp=1,1.0 -- in/*.jpg"
    "ImageMagick mogrify|mogrify -path out -colorspace Gray -unsharp 0x1 -quality 90 in/*.jpg"
    "GraphicsMagick gm mogrify|cd in && gm mogrify -output-directory ../out -colorspace GRAY -unsharp 0x1 -quality 90 *.jpg"
    "vips, xargs -P 2|ls in/*.jpg | xargs -P 2 -I{} sh -c 'b=out/\$(basename {} .jpg); vips colourspace {} \$b.v b-w && vips sharpen \$b.v \"\$b.jpg[Q=90]\" --sigma 1 && rm \$b.v'"
)

rows=()
commands=()
for entry in "${cases[@]}"; do
    IFS='|' read -r name command <<<"$entry"
    echo "batch-photos: $name" >&2
    # The photos were just written, so they are in the page cache even without a warm-up.
    hyperfine --style none --warmup "$((runs > 1 ? 1 : 0))" --runs "$runs" \
        --prepare 'rm -rf out && mkdir out' \
        --export-json t.json "$command" >/dev/null
    written=$(ls out/*.jpg 2>/dev/null | wc -l)
    [ "$written" -eq "$files" ] || { echo "batch-photos: $name wrote $written files" >&2; exit 1; }
    seconds=$(grep -o '"median": *[0-9.eE+-]*' t.json | head -n 1 | awk '{ printf "%.1f", $2 }')
    rows+=("| $name | $seconds |")
    shown=${command//$cli/iromaki-cli}
    commands+=("| $name | \`${shown//|/\\|}\` |") # a bar inside a cell is escaped
done

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
{
    echo "## Batch: 100 photos"
    echo
    [ "$runs" -eq 1 ] && how="one run each" || how="median of $runs runs after a warm-up"
    echo "Wall time in seconds ($how) to make $files photo-like"
    echo "2048 × 1536 JPEG files (\`bench/make-photos.sh\`, about 1.4 MB each) grey, sharpen them"
    echo "with an unsharp mask and write them as JPEG at quality 90 into another folder. Each tool"
    echo "uses the machine as it would by itself: iromaki-cli one worker per core, ImageMagick and"
    echo "GraphicsMagick their OpenMP threads, vips two files at a time. The operations are the"
    echo "closest equivalents, not identical algorithms; the other tools write one-channel grey"
    echo "JPEG files, iromaki-cli three-channel ones (its images are always 24-bit)."
    echo
    echo "Measured $(date -u +%Y-%m-%d) with \`bench/batch-photos.sh\` on $cpu, $(nproc --all) cores."
    [ -z "${BATCH_NOTE:-}" ] || echo "$BATCH_NOTE"
    echo
    echo "| tool | seconds |"
    echo "|---|---:|"
    printf '%s\n' "${rows[@]}"
    echo
    echo "| tool | command |"
    echo "|---|---|"
    printf '%s\n' "${commands[@]}"
} | "$root/bench/write-section.sh" "$out_md"
echo "batch-photos: wrote the batch section of $out_md" >&2
