# Sourced by the CI and benchmark scripts: ensure_packages NAME... installs
# the Debian packages of the list that are missing, and nothing when none is.
ensure_packages()
{
  local package missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
