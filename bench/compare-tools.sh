#!/usr/bin/env bash
# Whole-process comparison: times `iromaki-cli in.bmp out.bmp STEP` against the
# closest GraphicsMagick, ImageMagick and libvips commands on a 4000 x 3000
# 24-bit BMP, every tool held to one thread, and writes the table of medians to
# docs/performance.md, keeping the file's other sections. A step the batch tool
# does not have (yet) shows "n/a".
# Usage: bench/compare-tools.sh [RUNS]        (default 10 runs per command)
# Environment: IROMAKI_CLI=path overrides build/native/bin/iromaki-cli.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-10}
cli=${IROMAKI_CLI:-$root/build/native/bin/iromaki-cli}
out_md=$root/docs/performance.md

if [ -z "${IROMAKI_CLI:-}" ]; then
    (cd "$root" && { [ -f build/native/CMakeCache.txt ] || cmake --preset native >/dev/null; } &&
        cmake --build --preset native --target iromaki-cli >/dev/null)
fi
for tool in hyperfine gm convert vips cjpeg; do
    command -v "$tool" >/dev/null || { echo "compare-tools: $tool is missing (scripts/install-deps)" >&2; exit 1; }
done

export MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1 VIPS_CONCURRENCY=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# The picture: a colour gradient with noise, 24 bits, bottom-up.
convert -size 4000x3000 gradient:'#203080'-'#f0c040' -attenuate 0.4 +noise Uniform \
    -type TrueColor BMP3:in.bmp
cjpeg -quality 90 -outfile in.jpg in.bmp
printf '3 3 1 0\n0 -1 0\n-1 5 -1\n0 -1 0\n' >sharpen.mat

# name | iromaki-cli | gm convert | convert | vips   ("-" where a tool has no equivalent)
cases=(
    "BMP to BMP|in.bmp out.bmp|in.bmp BMP3:out.bmp|in.bmp BMP3:out.bmp|copy in.bmp out.bmp"
    "negate|in.bmp out.bmp invert|in.bmp -negate BMP3:out.bmp|in.bmp -negate BMP3:out.bmp|invert in.bmp out.bmp"
    "greyscale|in.bmp out.bmp gray|in.bmp -colorspace GRAY -type TrueColor BMP3:out.bmp|in.bmp -colorspace Gray -type TrueColor BMP3:out.bmp|colourspace in.bmp out.bmp b-w"
    "gamma 2.0|in.bmp out.bmp gamma=2.0|in.bmp -gamma 2.0 BMP3:out.bmp|in.bmp -gamma 2.0 BMP3:out.bmp|gamma in.bmp out.bmp --exponent 2"
    "posterize 4 levels|in.bmp out.bmp posterize=4,4,4|in.bmp -posterize 4 BMP3:out.bmp|in.bmp -posterize 4 BMP3:out.bmp|-"
    "3x3 convolution|in.bmp out.bmp filter3x3=0,-1,0,-1,5,-1,0,-1,0,0,1|in.bmp -convolve 0,-1,0,-1,5,-1,0,-1,0 BMP3:out.bmp|in.bmp -convolve 0,-1,0,-1,5,-1,0,-1,0 BMP3:out.bmp|conv in.bmp out.bmp sharpen.mat --precision integer"
    "median 3x3|in.bmp out.bmp median|in.bmp -median 1 BMP3:out.bmp|in.bmp -statistic Median 3x3 BMP3:out.bmp|rank in.bmp out.bmp 3 3 4"
    "blur|in.bmp out.bmp blur=1,1.0|in.bmp -blur 1x1 BMP3:out.bmp|in.bmp -blur 1x1 BMP3:out.bmp|gaussblur in.bmp out.bmp 1"
    "unsharp mask|in.bmp out.bmp unsharp=1,1.0|in.bmp -unsharp 1x1 BMP3:out.bmp|in.bmp -unsharp 1x1 BMP3:out.bmp|sharpen in.bmp out.bmp --sigma 1"
    "resize 50 %|in.bmp out.bmp scale=50|in.bmp -resize 50% BMP3:out.bmp|in.bmp -resize 50% BMP3:out.bmp|resize in.bmp out.bmp 0.5"
    "resize 200 %|in.bmp out.bmp scale=200|in.bmp -resize 200% BMP3:out.bmp|in.bmp -resize 200% BMP3:out.bmp|resize in.bmp out.bmp 2"
    "flip (top-bottom)|in.bmp out.bmp flip-v|in.bmp -flip BMP3:out.bmp|in.bmp -flip BMP3:out.bmp|flip in.bmp out.bmp vertical"
    "flop (left-right)|in.bmp out.bmp flip-h|in.bmp -flop BMP3:out.bmp|in.bmp -flop BMP3:out.bmp|flip in.bmp out.bmp horizontal"
    "transpose|in.bmp out.bmp exchange-xy|in.bmp -transpose BMP3:out.bmp|in.bmp -transpose BMP3:out.bmp|rot in.bmp out.bmp d90"
    "crop 2000 x 1500|in.bmp out.bmp trim=1000,750,2000,1500|in.bmp -crop 2000x1500+1000+750 +repage BMP3:out.bmp|in.bmp -crop 2000x1500+1000+750 +repage BMP3:out.bmp|extract_area in.bmp out.bmp 1000 750 2000 1500"
    "JPEG to JPEG, quality 90|--quality 90 in.jpg out.jpg|in.jpg -quality 90 out.jpg|in.jpg -quality 90 out.jpg|copy in.jpg out.jpg[Q=90]"
)

# Median wall time of COMMAND in milliseconds, or n/a when it fails once. The
# first run is the check and the warm-up; slow commands get at least 3 timed runs,
# fast ones up to RUNS within about 3 seconds.
median_ms() {
    rm -f out.bmp out.jpg
    if ! "$@" >/dev/null 2>&1 || ! [ -s out.bmp -o -s out.jpg ]; then
        echo "n/a"
        return
    fi
    hyperfine -N --style none --min-runs "$((runs < 3 ? runs : 3))" --max-runs "$runs" --export-json t.json "$*" >/dev/null 2>&1 ||
        { echo "n/a"; return; }
    grep -o '"median": *[0-9.eE+-]*' t.json | head -n 1 | awk '{ printf "%.0f", $2 * 1000 }'
}

tool_cell() {
    local program=$1 args=$2
    if [ "$args" = "-" ]; then
        echo "-"
        return
    fi
    # shellcheck disable=SC2086 # the arguments are words without spaces
    median_ms $program $args
}

rows=()
commands=()
for entry in "${cases[@]}"; do
    IFS='|' read -r name ours gm_args im_args vips_args <<<"$entry"
    echo "compare-tools: $name" >&2
    rows+=("| $name | $(tool_cell "$cli" "$ours") | $(tool_cell "gm convert" "$gm_args") | $(tool_cell convert "$im_args") | $(tool_cell vips "$vips_args") |")
    commands+=("| $name | \`iromaki-cli $ours\` | \`gm convert $gm_args\` | \`convert $im_args\` | \`vips $vips_args\` |")
done

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')
# The other scripts' sections of the file stay as they are.
others=$(awk '/^## / { keep = ($0 != "## Commands") } keep' "$out_md" 2>/dev/null || true)
{
    echo "# Performance"
    echo
    echo "Whole-process wall time (median of 3 to $runs runs after one warm-up, in milliseconds) on a"
    echo "4000 × 3000 24-bit BMP (36 MB) or its JPEG at quality 90, reading the input and writing"
    echo "the output file. Every tool runs on one thread (\`MAGICK_THREAD_LIMIT=1\`,"
    echo "\`OMP_NUM_THREADS=1\`, \`VIPS_CONCURRENCY=1\`). \"n/a\": the batch tool does not have the"
    echo "step yet; \"-\": the tool has no close equivalent. The operations are the closest"
    echo "equivalents, not identical algorithms (libvips reads and writes BMP through ImageMagick;"
    echo "its transpose is a 90° rotation)."
    echo
    echo "Measured $(date -u +%Y-%m-%d) with \`bench/compare-tools.sh\` on $cpu, $(nproc --all) cores"
    echo "($(gm version | head -1 | cut -d' ' -f1-2), $(convert -version | head -1 | cut -d' ' -f2-3),"
    echo "$(vips --version)). ${COMPARE_NOTE:-}"
    echo
    echo "| operation | iromaki-cli | GraphicsMagick | ImageMagick | libvips |"
    echo "|---|---:|---:|---:|---:|"
    printf '%s\n' "${rows[@]}"
    echo
    echo "## Commands"
    echo
    echo "| operation | iromaki-cli | GraphicsMagick | ImageMagick | libvips |"
    echo "|---|---|---|---|---|"
    printf '%s\n' "${commands[@]}"
    if [ -n "$others" ]; then
        echo
        echo "$others"
    fi
} >"$out_md"
echo "compare-tools: wrote $out_md" >&2
