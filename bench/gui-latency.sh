#!/usr/bin/env bash
# Measures the window program's latency under Wine and Xvfb (bench/gui-latency.py)
# and writes the section "Latency of the window program under Wine" into
# docs/performance.md. Builds the windows preset's GUI targets first.
# Usage: bench/gui-latency.sh [--runs N]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
(cd "$root" && { [ -f build/windows/CMakeCache.txt ] || cmake --preset windows >/dev/null; } &&
    cmake --build --preset windows --target iromaki-test iromaki-driver iromaki-cli >/dev/null)
section=$(xvfb-run -a -s "-screen 0 1280x1024x24" python3 "$root/bench/gui-latency.py" "$@")
printf '%s\n' "$section"
printf '%s\n' "$section" | "$root/bench/write-section.sh" "$root/docs/performance.md"
