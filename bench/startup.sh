#!/usr/bin/env bash
# Times the program's start-up against a plain Qt Widgets program: launch to
# the main window painted (against a one-window program) and to all four
# windows painted (against a four-window program). Runs the three programs
# interleaved, round after round, and prints the medians and their ratios.
# Without a display it runs itself under Xvfb. Run by hand:
#   bench/startup.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"; fi
build=$(cd "${1:-build}" && pwd)
rounds=${2:-11}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A compile service of its own, so that none already running is found.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The program keeps its settings beside a copy of its executable.
cp "$build/tzjava" "$work/tzjava"
ln -s "$build/java" "$work/java"

watch=$build/bench/startup_watch
minimal=$build/bench/startup_minimal
source "$(dirname "$0")/median.sh"
: > "$work/one"; : > "$work/four"; : > "$work/main"; : > "$work/all"
for ((i = 0; i < rounds; i++)); do
    "$watch" 1 "$minimal" 1 | awk '{ print $1 }' >> "$work/one"
    sleep 0.3
    read -r main all < <("$watch" 4 "$work/tzjava")
    echo "$main" >> "$work/main"
    echo "$all" >> "$work/all"
    sleep 0.3
    "$watch" 4 "$minimal" 4 | awk '{ print $2 }' >> "$work/four"
    sleep 0.3
done
one=$(median < "$work/one"); four=$(median < "$work/four")
main=$(median < "$work/main"); all=$(median < "$work/all")
echo "plain program, one window:    ${one} ms (median of $rounds)"
echo "tzjava, main window:          ${main} ms"
echo "plain program, four windows:  ${four} ms"
echo "tzjava, all four windows:     ${all} ms"
awk -v a="$main" -v b="$one" -v c="$all" -v d="$four" \
    'BEGIN { printf "main window ratio:  %.2f\nall windows ratio:  %.2f\n", a / b, c / d }'
