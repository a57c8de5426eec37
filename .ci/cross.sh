#!/usr/bin/env bash
# The whole suite on the other platforms we ship: aarch64 Linux, 32-bit x86
# Linux and 64-bit Windows, cross compiled and run under qemu-user and wine.
# For each: configure, build, the unit tests through ctest (under the
# emulator), then the end-to-end table of the native build pointed at the
# cross-built program. Runs after the native build, whose end-to-end runner
# it uses (QEL_MORVAK_E2E_TESTS names another one).
set -euo pipefail
cd "$(dirname "$0")/.."

source .ci/ensure-packages.sh
# Wine is installed as it is meant to be, with what it recommends: that is
# the set it is tested with.
start=$SECONDS
ensure_packages --with-recommends g++-aarch64-linux-gnu g++-i686-linux-gnu g++-mingw-w64-x86-64 \
  qemu-user-static wine wine64 googletest
echo "== cross packages ready in $((SECONDS - start)) s"

e2e_tests=${QEL_MORVAK_E2E_TESTS:-build/default/tests/qel_morvak_e2e_tests}
if [[ ! -x $e2e_tests ]]; then
  echo "error: $e2e_tests is missing; build the native tests first" >&2
  exit 1
fi

# Wine keeps its prefix in the build folder and stays quiet: the end-to-end
# tests require an empty standard error. The .NET and HTML engines it would
# offer to install are of no use to console programs.
export WINEPREFIX=$PWD/build/x86_64-windows/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES=mscoree,mshtml=
# Waits for the wine server of that prefix to end, on failure too.
trap 'if [[ -d $WINEPREFIX ]]; then wineserver -w; fi' EXIT

summary=()

run_platform() {
  local preset=$1 program=$2
  shift 2
  local runner=("$@")
  local start=$SECONDS
  echo "== $preset: configure and build"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  local built=$SECONDS
  if [[ $preset == x86_64-windows && ! -f $WINEPREFIX/system.reg ]]; then
    # Made here rather than by the first test, whose discovery has a time limit.
    echo "== $preset: wine prefix"
    mkdir -p "$WINEPREFIX"
    wine wineboot --init
  fi
  echo "== $preset: unit tests"
  # The x86_64-windows test preset runs a failed test once more: wine has
  # been seen to fail a test's start now and then, and since every test is
  # deterministic a real fault still fails twice.
  ctest --preset "$preset"
  echo "== $preset: end-to-end tests"
  "$e2e_tests" "${runner[@]}" "$program"
  summary+=("$preset: build $((built - start)) s, tests $((SECONDS - built)) s")
}

run_platform aarch64-linux build/aarch64-linux/src/qel_morvak -- qemu-aarch64-static
run_platform i686-linux build/i686-linux/src/qel_morvak -- qemu-i386-static
run_platform x86_64-windows build/x86_64-windows/src/qel_morvak.exe --crlf -- wine

echo "== cross platforms passed"
printf '   %s\n' "${summary[@]}"
