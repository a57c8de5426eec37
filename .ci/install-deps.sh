#!/usr/bin/env bash
# Installs the packages the native build and tests need, only when missing.
set -euo pipefail
source "$(dirname "$0")/ensure-packages.sh"

# groff-base renders the manual page; file and dpkg-dev let cpack list the
# libraries of a dynamically linked build (the sanitizer build) in the .deb.
ensure_packages cmake ninja-build g++ libgtest-dev googletest valgrind groff-base file dpkg-dev
