# Shared by ./run and ./test: install what is missing, then configure and build a tree.

PIVLO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs the packages of scripts/packages.txt that are not installed yet; quick when
# everything is there.
pivlo_install_missing() {
  local wanted missing=()
  wanted=$(grep -v -e '^#' -e '^$' "$PIVLO_ROOT/scripts/packages.txt")
  for package in $wanted; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# pivlo_build TREE [cmake options...]: configures (once) and builds build/TREE.
pivlo_build() {
  local tree="$PIVLO_ROOT/build/$1"
  shift
  if [ ! -f "$tree/build.ninja" ]; then
    cmake -S "$PIVLO_ROOT" -B "$tree" -G Ninja "$@"
  fi
  cmake --build "$tree"
}
