#!/usr/bin/env bash
# Installs the packages the native build and tests need, only when missing.
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev googletest valgrind groff-base)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "== installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
