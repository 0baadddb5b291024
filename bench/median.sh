# Sourced by the timing scripts: median reads one number a line and prints
# their median.
median() {
    sort -g | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}
