#!/usr/bin/env bash
# Writes COUNT photo-like JPEG files of 2048 x 1536 (3.1 megapixels, quality 92)
# into FOLDER: a few random fractal landscapes with fine grain, each file a
# different window of one of them, some mirrored, so that no two files are alike
# and each compresses as a photograph does (about 1.4 MB).
# Usage: bench/make-photos.sh FOLDER [COUNT]     (default 100 files)
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 FOLDER [COUNT]" >&2
    exit 2
fi
folder=$1
count=${2:-100}
bases=5
mkdir -p "$folder"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((b = 0; b < bases; b++)); do
    convert -seed "$((b + 1))" -size 2400x1800 plasma:fractal -blur 0x1.5 \
        -attenuate 0.3 +noise Gaussian "$work/base$b.ppm"
done
# One line per file: base, window offset, name, mirrored (1) or not (0).
for ((i = 0; i < count; i++)); do
    printf '%s %d %d %s %d\n' "$work/base$((i % bases)).ppm" "$(((i * 37) % 352))" \
        "$(((i * 53) % 264))" "$folder/$(printf 'photo-%03d.jpg' "$i")" "$((i % 2))"
done | xargs -P 2 -L 1 sh -c \
    'convert "$0" -crop "2048x1536+$1+$2" +repage $([ "$4" = 1 ] && echo -flop) -quality 92 "$3"'
