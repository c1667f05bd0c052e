# median NUMBER...: the median of the numbers, for the side-by-side scripts.
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
# sideBySide WHAT_A WHAT_B RATIO UNIT RUNS "A..." "B...": both medians and A over B.
sideBySide() {
    local a b
    a=$(median $6)
    b=$(median $7)
    echo "$1, median of $5: $a $4"
    echo "$2, median of $5: $b $4"
    awk -v a="$a" -v b="$b" -v r="$3" 'BEGIN {printf "%s: %.2f\n", r, a / b}'
}
