#!/usr/bin/env bash
# Huge input: scripts whose first number has 256 MiB of digits, and one whose
# exponent has 64 MiB of digits. For each, checks the program's output (the
# correctly rounded value decides it) and prints its peak resident memory and
# wall time beside those of cat on the same file.
# Goals: the right output, peak memory at most 16 MiB, time at most 8 x cat.
#
# Usage: bench/huge_input.sh [PROGRAM]
# Without PROGRAM it builds a Release program in build/hostile. Needs GNU time
# (/usr/bin/time, Debian package "time") for the peak memory. Exits 1 when an
# output is wrong; the memory and time goals are reported, not enforced.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-}
if [[ -z $program ]]; then
  cmake -S . -B build/hostile -G Ninja -DCMAKE_BUILD_TYPE=Release -DQEL_MORVAK_BUILD_TESTS=OFF >/dev/null
  cmake --build build/hostile --target qel_morvak >/dev/null
  program=build/hostile/src/qel_morvak
fi
[[ -x /usr/bin/time ]] || { echo "needs GNU time: apt-get install time" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

MiB=$((1 << 20))
# 1 + 2^-53, halfway between 1 and the next double: with zeros after it ties
# to even give 1; a final non-zero digit, however far away, gives 1 + 2^-52.
midpoint=1.00000000000000011102230246251565404236316680908203125

corner_report=$'\nSolving in [1.000000e+000, 0.000000e+000].\n\nResult:\n\nFunction:  1.000000e+000  0.000000e+000\nGradient:  1.000000e+000  0.000000e+000\n          -5.000000e-001  4.500000e+000\n\n'
template_report=$'\nSolving in [5.000000e-001, 5.000000e-001].\n\nResult:\n\nFunction:  5.000000e-001  3.841688e+000\nGradient:  1.000000e+000  0.000000e+000\n          -1.658312e+000  7.643199e+000\n\n'
outside=$'\nError: input point is out of domain.\nExpected domain is: X1, X2 in [0.0, 1.0].\n\n'

# script FILE X1_HEAD FILL_COUNT X1_TAIL X2: X1 is X1_HEAD, FILL_COUNT zeros, X1_TAIL.
script() {
  {
    printf '#QELMORVAK\n\nSETUP\n  INPUT = X1 X2\n  OUTPUT = F1 F2\nBEGIN\n  SET X1 = %s' "$2"
    head -c "$3" /dev/zero | tr '\0' '0'
    printf '%s\n  SET X2 = %s\n  SOLVE F1 F2\nRETURN\n' "$4" "$5"
  } >"$1"
}

# Best wall time of three runs, in seconds.
best_time() {
  local best="" start end elapsed
  for _ in 1 2 3; do
    start=$EPOCHREALTIME
    "$@" >/dev/null
    end=$EPOCHREALTIME
    elapsed=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')
    if [[ -z $best ]] || awk -v a="$elapsed" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$elapsed
    fi
  done
  echo "$best"
}

peak_kib() {
  /usr/bin/time -f '%M' -o "$work/rss" "$@" >/dev/null || true
  tail -n 1 "$work/rss"
}

status=0
measure() {
  local name=$1 file=$2 expected=$3
  local output bytes
  output=$("$program" "$file"; echo x) || true
  output=${output%x}
  bytes=$(stat -c %s "$file")
  cat "$file" >/dev/null  # into the page cache for both
  local program_time cat_time program_rss cat_rss
  program_time=$(best_time "$program" "$file")
  cat_time=$(best_time cat "$file")
  program_rss=$(peak_kib "$program" "$file")
  cat_rss=$(peak_kib cat "$file")
  local verdict="right output"
  if [[ $output != "$expected" ]]; then
    verdict="WRONG OUTPUT"
    status=1
  fi
  awk -v n="$name" -v b="$bytes" -v pt="$program_time" -v ct="$cat_time" -v pr="$program_rss" -v cr="$cat_rss" \
      -v v="$verdict" 'BEGIN {
    printf "%-26s %6.1f MiB  %s\n", n, b / 1048576, v
    printf "  qel_morvak: %7.3f s  peak %6.2f MiB\n", pt, pr / 1024
    printf "  cat:        %7.3f s  peak %6.2f MiB\n", ct, cr / 1024
    printf "  time %.2f x cat (goal <= 8: %s), memory goal <= 16 MiB: %s\n", pt / ct,
           (pt <= 8 * ct ? "met" : "MISSED"), (pr <= 16384 ? "met" : "MISSED")
  }'
  rm -f "$file"
}

echo "program: $program"
script "$work/tie.txt" "$midpoint" $((256 * MiB - ${#midpoint} + 1)) "" 0
measure "256 MiB digits, tie" "$work/tie.txt" "$corner_report"

script "$work/sticky.txt" "$midpoint" $((256 * MiB - ${#midpoint})) "1" 0
measure "256 MiB digits, last one 1" "$work/sticky.txt" "$outside"

script "$work/exponent.txt" "5e-" $((64 * MiB - 1)) "1" 0.5
measure "64 MiB exponent digits" "$work/exponent.txt" "$template_report"

exit "$status"
