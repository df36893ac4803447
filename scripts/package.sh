#!/usr/bin/env bash
# Installs what is missing, makes a Release build of the two programs and their manual pages
# in build-package/ (or $BUILD_DIR), and writes the Debian package
# dist/grimtally_<version>_<arch>.deb, whose dependencies dpkg-shlibdeps finds from the
# programs. Install it with: sudo apt-get install ./dist/grimtally_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${BUILD_DIR:-build-package}
# Debian's hardening, as its own packages have it: a stack protector, checked buffer functions,
# and relocations made read-only and bound at start.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" \
  -DGRIMTALLY_BUILD_TESTS=OFF -DGRIMTALLY_BUILD_BENCH=OFF "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
# CPack works in a folder of its own; only the package goes to dist/.
rm -rf "$build_dir/cpack"
cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir/cpack"
mkdir -p dist
rm -f dist/grimtally_*.deb # one package to install, not this one beside an older one
mv "$build_dir"/cpack/grimtally_*.deb dist/
ls -l dist/grimtally_*.deb
