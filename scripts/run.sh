#!/usr/bin/env bash
# Installs what is missing, builds, seeds the working folder work/ with the shipped default
# files (existing files there are kept), and starts Grimtally in it.
# GRIMTALLY_LANGUAGE=ja seeds the Japanese words and choices instead of the English ones.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
top=$(pwd)
set_dir=data
[ "${GRIMTALLY_LANGUAGE:-en}" = ja ] && set_dir=data/ja
mkdir -p work
for f in Language.txt Choices.txt; do
  [ -e "work/$f" ] || [ ! -e "$set_dir/$f" ] || cp "$set_dir/$f" "work/$f"
done
[ -e work/Sample.txt ] || [ ! -e data/Sample.txt ] || cp data/Sample.txt work/Sample.txt
cd work
exec "$top/${BUILD_DIR:-build}/ui/grimtally"
