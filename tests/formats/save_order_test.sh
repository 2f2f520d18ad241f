#!/bin/sh
# A save flushes the new file to the disk before it replaces the old one, and
# the folder after: the batch tool saves over an existing file with
# flush_log.c preloaded, which logs every fsync and rename.
# Usage: save_order_test.sh CLI FLUSH_LOG_LIBRARY BMP_FILE
set -eu
work=$(realpath "$(mktemp -d)")
trap 'rm -rf "$work"' EXIT
cp "$3" "$work/in.bmp"
cp "$3" "$work/out.bmp"
LD_PRELOAD="$2" IROMAKI_FLUSH_LOG="$work/log" "$1" "$work/in.bmp" "$work/out.bmp" invert
cat "$work/log"
awk -v target="$work/out.bmp" -v folder="$work" '
    $1 == "rename" && $3 == target {
        renamed = 1
        if (!($2 in flushed)) { print "not flushed before it replaced the file: " $2; failed = 1 }
    }
    $1 == "fsync" || $1 == "fdatasync" {
        flushed[$2] = 1
        if (renamed && $2 == folder) folderFlushed = 1
    }
    END {
        if (!renamed) { print "nothing replaced " target; exit 1 }
        if (!folderFlushed) { print "the folder was not flushed after the rename"; exit 1 }
        exit failed
    }' "$work/log"
