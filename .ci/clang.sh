#!/usr/bin/env bash
# The native suite once more, built by clang 14: a second compiler's warnings
# and code generation. Runs after .ci/fuzz.sh, which installs clang 14.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== clang 14 build and tests"
cmake --preset clang && cmake --build --preset clang && ctest --preset clang
