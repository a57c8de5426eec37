# Sourced by the CI and benchmark scripts: ensure_packages [--with-recommends]
# NAME... installs the Debian packages of the list that are missing, and
# nothing when none is. Recommended packages are left out unless asked for.
ensure_packages()
{
  local package missing=() recommends=--no-install-recommends
  if [[ ${1:-} == --with-recommends ]]; then
    recommends=--install-recommends
    shift
  fi
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "$recommends" "${missing[@]}"
  fi
}
