#!/usr/bin/env bash
# Prints the ratio of each benchmark pair: generating the largest project
# against copying its output once, and scanning a large source against a
# plain loop over its bytes. Runs both programs round after round, takes the
# median CPU time of each benchmark over all rounds. Run by hand:
#   bench/ratios.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-5}
times=$(mktemp)
trap 'rm -f "$times"' EXIT
for ((i = 0; i < rounds; i++)); do
    for program in bench_codegen bench_scanner; do
        # One line per repetition: name and CPU time in milliseconds.
        "$build/bench/$program" --benchmark_repetitions=3 --benchmark_format=csv 2>/dev/null |
            awk -F, '$1 ~ /^"BM_[A-Za-z]+"$/ {
                scale = $5 == "ns" ? 1e-6 : $5 == "us" ? 1e-3 : $5 == "s" ? 1e3 : 1
                gsub(/"/, "", $1); print $1, $4 * scale }' >> "$times"
    done
done
source "$(dirname "$0")/median.sh"
timesOf() { awk -v name="$1" '$1 == name { print $2 }' "$times"; }
report() {
    local work base
    work=$(timesOf "$2" | median); base=$(timesOf "$3" | median)
    awk -v label="$1" -v a="$work" -v b="$base" -v n="$rounds" \
        'BEGIN { printf "%-28s %8.3f ms against %7.3f ms: %5.1f times (medians, %d rounds)\n",
                 label, a, b, a / b, n }'
}
report "generate against copy:" BM_GenerateJava BM_CopyOutputOnce
report "scan against byte loop:" BM_ScanJavaSource BM_ByteLoop
