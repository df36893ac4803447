#!/usr/bin/env bash
# Two lean extra builds of the core, its tests and the fuzz replays (no windows, no
# grimtally-cli, no benchmarks), run by the test command after the main build's tests:
#   build-sanitize/ (or $SANITIZE_BUILD_DIR): the address and undefined-behaviour sanitizers,
#     every core test and every fuzz replay;
#   build-scalar/ (or $SCALAR_BUILD_DIR): the plain loops forced in place of the SSE2 paths of
#     the splitter, the joiner, the records and the find filter, with the tests of text and
#     records (which compare the fast paths with the rules) and the replays.
# Extra arguments go to both configurations (the test command passes -DGRIMTALLY_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
lean=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DGRIMTALLY_BUILD_UI=OFF -DGRIMTALLY_BUILD_CLI=OFF
  -DGRIMTALLY_BUILD_BENCH=OFF)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

sanitize_dir=${SANITIZE_BUILD_DIR:-build-sanitize}
# -O1 with line tables: quicker to build, and the sanitizers' reports still name the lines.
cmake -S . -B "$sanitize_dir" "${lean[@]}" "${launcher[@]}" -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" \
  -DGRIMTALLY_SANITIZE=ON -DGRIMTALLY_CORE_TEST_AREAS= "$@"
cmake --build "$sanitize_dir" --parallel "$(nproc)"
# A fault ends the test that met it, with where it happened; leaks count as faults.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$sanitize_dir" --output-on-failure --parallel "$(nproc)" --timeout 600

scalar_dir=${SCALAR_BUILD_DIR:-build-scalar}
# -O2 as the main build (GCC 12's -O3 warns falsely inside std::string), without debug info.
cmake -S . -B "$scalar_dir" "${lean[@]}" "${launcher[@]}" -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DGRIMTALLY_SCALAR=ON "-DGRIMTALLY_CORE_TEST_AREAS=text;records" "$@"
cmake --build "$scalar_dir" --parallel "$(nproc)"
ctest --test-dir "$scalar_dir" --output-on-failure --parallel "$(nproc)" --timeout 300
