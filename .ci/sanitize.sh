#!/usr/bin/env bash
# The whole test suite, unit and end-to-end, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (the asan preset, build/asan). Any report ends
# the run that makes it, so a finding fails a test.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== sanitizer build and tests (ASan + UBSan)"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
