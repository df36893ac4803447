#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test on the offscreen Qt platform; then
# runs the core's tests and fuzz replays under the sanitizers and with the plain loops forced,
# and builds the core and grimtally-cli for Windows and runs their tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DGRIMTALLY_WERROR=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)" --timeout 300
scripts/test-core-variants.sh -DGRIMTALLY_WERROR=ON
scripts/test-windows.sh -DGRIMTALLY_WERROR=ON
