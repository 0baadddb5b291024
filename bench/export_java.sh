#!/usr/bin/env bash
# Times tzjava --export-java of a small project against a QCoreApplication
# program that copies the same project file (whole processes). The two run
# interleaved, one pair a round; prints the median of the pairs' ratios and
# of each side. Run by hand:
#   bench/export_java.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-41}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'import java.awt.*;\npublic class Small extends java.applet.Applet\n{\n  public void init()\n  {\n    add(new Button("Go"));\n  }\n}\n' > "$work/Small.java"
"$build/tzjava" --import-java "$work/Small.java" "$work/Small.tzp"

now() { date +%s%N; }
median() { sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
: > "$work/export"; : > "$work/copy"; : > "$work/ratio"
for ((i = 0; i < rounds; i++)); do
    start=$(now); "$build/tzjava" --export-java "$work/Small.tzp" "$work/Out.java"; mid=$(now)
    "$build/bench/copy_file" "$work/Small.tzp" "$work/Copy.tzp"; end=$(now)
    export_ns=$((mid - start)); copy_ns=$((end - mid))
    echo "$export_ns" >> "$work/export"; echo "$copy_ns" >> "$work/copy"
    awk -v e="$export_ns" -v c="$copy_ns" 'BEGIN { printf "%.3f\n", e / c }' >> "$work/ratio"
done
ms() { awk '{ printf "%.2f", $1 / 1e6 }'; }
echo "tzjava --export-java: $(median < "$work/export" | ms) ms (median of $rounds)"
echo "copy_file:            $(median < "$work/copy" | ms) ms"
echo "ratio (median of paired runs): $(median < "$work/ratio")"
