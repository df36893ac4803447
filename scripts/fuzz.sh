#!/usr/bin/env bash
# Fuzzes every parser: builds the libFuzzer targets of fuzz/ with clang and the address and
# undefined-behaviour sanitizers into build-fuzz/ (or $FUZZ_BUILD_DIR), then runs each for
# SECONDS (default 60) on inputs of up to 1 MiB, starting from its saved inputs in fuzz/corpus/,
# as many at a time as there are cores ($FUZZ_JOBS). Arguments after SECONDS go to every fuzzer
# (-runs=10000000, say). $FUZZ_TARGETS (names separated by blanks) runs only those.
#
#   scripts/fuzz.sh [--fast] SECONDS [fuzzer arguments]
#
# --fast fuzzes a second build, build-fuzz-fast/, with the undefined-behaviour sanitizer alone
# and without the tracing of comparisons, several times as fast, and then replays every input
# it kept under both sanitizers, so a memory fault that those inputs reach still fails the run.
# It learns words and numbers only from the inputs it starts from, so begin from a normal run.
#
# What a fuzzer finds goes to build-fuzz/found/<target>/, never into the saved corpus; an input
# that breaks a parser is kept as build-fuzz/crashes/<target>-crash-... and the script fails.
# At the end a table gives each target's executions, speed and coverage (edges and features).
set -euo pipefail
cd "$(dirname "$0")/.."
fast=0
if [ "${1:-}" = --fast ]; then
  fast=1
  shift
fi
seconds=${1:-60}
shift || true
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${FUZZ_JOBS:-$(nproc)}

command -v clang++ >/dev/null || {
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq clang
}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
targets=${FUZZ_TARGETS:-$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')}

build() { # DIR FAST
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    "${launcher[@]}" -DGRIMTALLY_FUZZ=ON -DGRIMTALLY_FUZZ_FAST="$2" \
    -DGRIMTALLY_BUILD_UI=OFF -DGRIMTALLY_BUILD_CLI=OFF -DGRIMTALLY_BUILD_BENCH=OFF >/dev/null
  # shellcheck disable=SC2086
  cmake --build "$1" --parallel "$(nproc)" $(printf -- '--target %s ' $targets)
}
build "$build_dir" OFF
fuzz_dir=$build_dir
if [ "$fast" -eq 1 ]; then
  fuzz_dir=$build_dir-fast
  build "$fuzz_dir" ON
fi

mkdir -p "$build_dir/crashes" "$build_dir/logs"
fuzz_one() { # TARGET [fuzzer arguments]
  local target=$1
  shift
  mkdir -p "$build_dir/found/$target"
  local rc=0
  "$fuzz_dir/fuzz/$target" -max_total_time="$seconds" -max_len=1048576 -print_final_stats=1 \
    -artifact_prefix="$build_dir/crashes/$target-" "$@" \
    "$build_dir/found/$target" "fuzz/corpus/$target" >"$build_dir/logs/$target.log" 2>&1 || rc=$?
  echo "$rc" >"$build_dir/logs/$target.rc"
  echo "== $target: done (exit $rc)"
}
for target in $targets; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  echo "== $target: $seconds s"
  fuzz_one "$target" "$@" &
done
wait

summary=()
status=0
for target in $targets; do
  log="$build_dir/logs/$target.log"
  rc=$(cat "$build_dir/logs/$target.rc")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corpus=$(sed -n 's/.* corp: \([0-9]*\/[0-9a-zA-Z]*\).*/\1/p' <<<"$last")
  if [ "$rc" -eq 0 ] && [ "$fast" -eq 1 ]; then
    # Every kept input once more, under the address sanitizer too (-runs=0 runs only them).
    replay="$build_dir/logs/$target.replay.log"
    "$build_dir/fuzz/$target" -runs=0 -max_len=1048576 -artifact_prefix="$build_dir/crashes/$target-" \
      "$build_dir/found/$target" "fuzz/corpus/$target" >"$replay" 2>&1 || rc=$?
    [ "$rc" -eq 0 ] || log=$replay
  fi
  if [ "$rc" -ne 0 ]; then
    status=1
    echo "== $target FAILED (exit $rc): see $log and $build_dir/crashes/"
    tail -30 "$log"
  fi
  summary+=("$(printf '%-16s %12s %9s %7s %7s %12s %s' "$target" "${runs:-?}" "${speed:-?}" \
    "${cov:-?}" "${ft:-?}" "${corpus:-?}" "$([ "$rc" -eq 0 ] && echo ok || echo FAILED)")")
done
printf '%-16s %12s %9s %7s %7s %12s %s\n' target executions exec/s edges features corpus result
printf '%s\n' "${summary[@]}"
exit $status
