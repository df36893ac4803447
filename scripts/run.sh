#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests and benchmarks), seeds the
# working folder work/ with the shipped default files (existing files there are kept), and
# starts Grimtally in it. GRIMTALLY_LANGUAGE=ja seeds the Japanese words, choices and sample
# enemies instead of the English ones.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_TARGETS=grimtally scripts/build.sh
top=$(pwd)
set_dir=data
[ "${GRIMTALLY_LANGUAGE:-en}" = ja ] && set_dir=data/ja
mkdir -p work
for f in Language.txt Choices.txt Sample.txt; do
  [ -e "work/$f" ] || [ ! -e "$set_dir/$f" ] || cp "$set_dir/$f" "work/$f"
done
cd work
exec "$top/${BUILD_DIR:-build}/ui/grimtally"
