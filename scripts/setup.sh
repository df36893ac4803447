#!/usr/bin/env bash
# Installs what building, running, testing and packaging need, from Debian's packages (the
# manual pages are made with help2man, the installation is checked with desktop-file-utils
# and appstream, the .deb's dependencies found with dpkg-dev). Does nothing when everything
# is already there.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n nlohmann-json3-dev libcli11-dev poppler-utils
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth imagemagick
  fonts-ipafont-gothic fonts-noto-cjk strace
  help2man desktop-file-utils appstream dpkg-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
