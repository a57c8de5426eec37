#!/usr/bin/env bash
# Installs the packages the native build and tests need, only when missing.
set -euo pipefail
source "$(dirname "$0")/ensure-packages.sh"

ensure_packages cmake ninja-build g++ libgtest-dev googletest valgrind groff-base
