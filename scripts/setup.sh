#!/usr/bin/env bash
# Installs what building, running, testing and packaging need, from Debian's packages. Does
# nothing when everything is already there. "setup.sh windows" installs instead what building
# for Windows and testing under Wine need: MinGW-w64, Wine and GoogleTest's sources.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n nlohmann-json3-dev libcli11-dev poppler-utils
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth imagemagick
  fonts-ipafont-gothic fonts-noto-cjk strace)
# Tools only, taken without what they recommend (dpkg-dev's alone would be some thirty
# packages): help2man makes the manual pages, desktop-file-utils and appstream check the
# installation, dpkg-dev's dpkg-shlibdeps finds the .deb's dependencies.
tools=(help2man desktop-file-utils appstream dpkg-dev)
if [ "${1:-}" = windows ]; then
  packages=()
  tools=(g++-mingw-w64-x86-64-posix wine wine64 googletest)
fi

missing() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_tools < <(missing "${tools[@]}")
[ ${#missing_packages[@]} -eq 0 ] && [ ${#missing_tools[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing_packages[*]} ${missing_tools[*]}"
$sudo apt-get update -qq
[ ${#missing_packages[@]} -eq 0 ] ||
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing_packages[@]}"
[ ${#missing_tools[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
  --no-install-recommends "${missing_tools[@]}"
