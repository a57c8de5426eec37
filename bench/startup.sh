#!/usr/bin/env bash
# Cost of one whole run, exec to exit, on examples/template.txt, against the
# floor (bench/floor.c: a static C program that only writes the same report)
# and a dynamically linked build of the program.
#
#   bash bench/startup.sh            RUNS=500 bash bench/startup.sh
#
# Instructions are callgrind's "Collected" totals, which repeat exactly for a
# given environment. glibc's static start-up reads every environment variable
# (__tunables_init costs some 600 instructions per variable), so the counts are
# taken twice: with this shell's environment, as a caller would run the
# program, and with an empty one, where the floor is lowest and the ratio
# highest. Wall time is hyperfine's median over many runs without a shell,
# all commands in the same hyperfine run, the floor first.
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS=${RUNS:-2000}
WARMUP=${WARMUP:-50}
BUILD=build/bench
SCRIPT=examples/template.txt

source .ci/ensure-packages.sh
ensure_packages cmake ninja-build g++ gcc libc6-dev valgrind hyperfine

echo "== building in $BUILD"
cmake -S . -B "$BUILD/static" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQEL_MORVAK_BUILD_TESTS=OFF -DQEL_MORVAK_BENCH=ON -DQEL_MORVAK_STATIC=ON >/dev/null
cmake --build "$BUILD/static" -j2 --target qel_morvak qel_morvak_floor >/dev/null
cmake -S . -B "$BUILD/dynamic" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQEL_MORVAK_BUILD_TESTS=OFF -DQEL_MORVAK_BENCH=OFF -DQEL_MORVAK_STATIC=OFF >/dev/null
cmake --build "$BUILD/dynamic" -j2 --target qel_morvak >/dev/null

floor=$PWD/$BUILD/static/bench/qel_morvak_floor
static=$PWD/$BUILD/static/src/qel_morvak
dynamic=$PWD/$BUILD/dynamic/src/qel_morvak
script=$PWD/$SCRIPT
names=(floor qel_morvak qel_morvak-dynamic)
commands=("$floor" "$static $script" "$dynamic $script")

# A comparison is only fair if every command does the same work.
"$floor" >"$BUILD/floor.out"
for command in "${commands[@]:1}"; do
  $command | cmp -s - "$BUILD/floor.out" || {
    echo "error: '$command' does not print the floor's report" >&2
    exit 1
  }
done
if ldd "$static" >/dev/null 2>&1 || ! ldd "$dynamic" >/dev/null 2>&1; then
  echo "error: the static and the dynamic build are not linked as their names say" >&2
  exit 1
fi

callgrind=("$(command -v valgrind)" --tool=callgrind --callgrind-out-file=/dev/null)

# Runs its arguments as a command and prints callgrind's total.
collected()
{
  "$@" 2>&1 >/dev/null | sed -n 's/^==[0-9]*== Collected : //p'
}

# Prints one table of counts, each with its ratio to the floor's.
count_table()
{
  local title=$1
  shift  # the rest sets the environment, before valgrind: it must count the program, not env
  local counts=() i
  for command in "${commands[@]}"; do
    # shellcheck disable=SC2086  # a command is a program and its argument
    counts+=("$(collected "$@" "${callgrind[@]}" $command)")
  done
  echo
  echo "instructions, $title"
  for i in "${!names[@]}"; do
    awk -v name="${names[i]}" -v count="${counts[i]}" -v floor="${counts[0]}" \
      'BEGIN { printf "  %-20s %10d  %6.2fx floor  %+9d\n", name, count, count / floor, count - floor }'
  done
  ratios+=("$(awk -v c="${counts[1]}" -v f="${counts[0]}" 'BEGIN { printf "%.2f", c / f }')")
}

ratios=()
echo
echo "== callgrind (Collected: instructions from exec to exit; the last column is the cost above the floor)"
count_table "this shell's environment ($(env -0 | tr -cd '\0' | wc -c) variables)" env
count_table "empty environment" env -i

echo
echo "== hyperfine: $RUNS runs each after $WARMUP warm-up runs, no shell"
hyperfine -N --style basic --warmup "$WARMUP" --runs "$RUNS" \
  --export-csv "$BUILD/startup.csv" \
  -n "${names[0]}" "${commands[0]}" -n "${names[1]}" "${commands[1]}" \
  -n "${names[2]}" "${commands[2]}" >"$BUILD/hyperfine.log" 2>&1 || {
  cat "$BUILD/hyperfine.log" >&2
  exit 1
}
echo
echo "wall time (median; mean with outliers in brackets)"
wall=$(awk -F, '
  NR == 1 { next }
  NR == 2 { floor_median = $4; floor_mean = $2 }
  {
    printf "  %-20s %8.1f us  %6.2fx floor  (%8.1f us  %6.2fx)\n", $1, $4 * 1e6, $4 / floor_median, $2 * 1e6, $2 / floor_mean
    if (NR == 3) ratio = $4 / floor_median
  }
  END { printf "%.2f\n", ratio }' "$BUILD/startup.csv")
echo "$wall" | sed '$d'
wall_ratio=$(echo "$wall" | tail -n 1)

verdict()
{
  awk -v r="$1" -v limit="$2" 'BEGIN { print (r <= limit) ? "met" : "NOT met" }'
}
echo
echo "== goal"
echo "  instructions <= 1.50x floor: ${ratios[0]}x, $(verdict "${ratios[0]}" 1.5) (empty environment: ${ratios[1]}x)"
echo "  wall time    <= 1.20x floor: ${wall_ratio}x, $(verdict "$wall_ratio" 1.2)"
