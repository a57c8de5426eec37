#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 14 in build/fuzz and runs each for
# a bounded time (QEL_MORVAK_FUZZ_SECONDS, 60 by default) from its seed corpus.
# Any finding (a crash, a sanitizer report, a leak, a failed check, a
# timeout) fails the run; its input is kept in build/fuzz/findings/ and
# belongs in the tests as a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${QEL_MORVAK_FUZZ_SECONDS:-60}

source .ci/ensure-packages.sh
ensure_packages clang-14 libclang-rt-14-dev cmake ninja-build

echo "== fuzz targets (clang 14, ASan + UBSan)"
cmake -S . -B build/fuzz -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQEL_MORVAK_FUZZ=ON \
  -DQEL_MORVAK_BUILD_TESTS=OFF \
  -DQEL_MORVAK_STATIC=OFF \
  -DQEL_MORVAK_WERROR=ON
cmake --build build/fuzz -j2

mkdir -p build/fuzz/findings
summary=()
for target in script_reader format_scientific whole_run; do
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
           -artifact_prefix="build/fuzz/findings/$target-")
  case "$target" in
    script_reader) options+=(-dict=fuzz/script.dict -max_len=20000) ;;
    whole_run) options+=(-dict=fuzz/script.dict -max_len=4096) ;;
    format_scientific) options+=(-max_len=8) ;;
  esac
  # New inputs go to a working corpus in the build folder; the seeds stay as they are.
  work="build/fuzz/corpus/$target"
  mkdir -p "$work"
  echo "== fuzzing $target for ${seconds} s"
  log="build/fuzz/$target.log"
  if ! "build/fuzz/fuzz/qel_morvak_fuzz_$target" "${options[@]}" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "== $target: finding, see build/fuzz/findings/"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$target: $runs executions, no finding")
done
echo "== fuzzing done"
printf '   %s\n' "${summary[@]}"
