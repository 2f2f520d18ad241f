#!/usr/bin/env bash
# Writes the text on standard input, which starts with its "## " heading, into
# the Markdown FILE in place of the section of that heading (up to the next "## "
# heading), or at its end when the file has no such section yet. The benchmark
# scripts share docs/performance.md this way, each keeping to its own section.
# Usage: bench/write-section.sh FILE < SECTION
set -euo pipefail

file=$1
section=$(cat)
heading=${section%%$'\n'*}
touch "$file"
awk -v heading="$heading" -v section="$section" '
    $0 == heading { print section; skipping = 1; done = 1; next }
    skipping && /^## / { skipping = 0; print "" }
    !skipping { print }
    END { if (!done) { print ""; print section } }
' "$file" >"$file.new"
mv "$file.new" "$file"
