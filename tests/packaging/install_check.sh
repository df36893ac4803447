#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves it elsewhere, and checks what a user gets:
# the menu entry and the metainfo validate, the installed programs run from where they lie
# alone, the manual pages and the bash completion cover what the programs offer, and a start
# by the menu entry's own command seeds a fresh folder of the user's with the set of the
# user's language, once.
# Usage: install_check.sh BUILD_DIR SOURCE_DIR DESKTOP_ID VERSION
set -euo pipefail
build=$(realpath "$1") source=$2 id=$3 version=$4
work=$(mktemp -d)
started=()
cleanup() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in desktop-file-validate appstreamcli identify; do
  command -v $tool >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

cmake --install "$build" --prefix "$work/installed" >/dev/null
# Moved after installing: whatever the programs find, they find from where they lie now.
mv "$work/installed" "$work/prefix"
prefix=$work/prefix
share=$prefix/share
for file in bin/grimtally bin/grimtally-cli share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml share/man/man1/grimtally.1.gz \
  share/man/man1/grimtally-cli.1.gz share/bash-completion/completions/grimtally-cli \
  share/icons/hicolor/scalable/apps/$id.svg share/doc/grimtally/copyright \
  share/doc/grimtally/changelog.gz; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for set in "" ja/; do
  for file in Language.txt Choices.txt Sample.txt; do
    cmp -s "$share/grimtally/$set$file" "$source/data/$set$file" ||
      fail "share/grimtally/$set$file is not the shipped file"
  done
done
for size in 16 24 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$id.png
  [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || fail "no $size by $size icon"
done

echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate "$share/applications/$id.desktop" || fail "the desktop entry has errors"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has errors"
grep -q "<release version=\"$version\"" "$share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo's release is not $version"
[ "$(zcat "$share/doc/grimtally/changelog.gz" | sed -n 1p)" = \
  "grimtally ($version) unstable; urgency=medium" ] ||
  fail "the changelog's last release is not $version"

echo "== the installed programs, without the build"
for program in grimtally grimtally-cli; do
  if ldd "$prefix/bin/$program" | grep -F "$build"; then
    fail "$program loads libraries from the build"
  fi
  if readelf -d "$prefix/bin/$program" | grep -E 'R(UN)?PATH'; then
    fail "$program has a library path"
  fi
done
[ "$("$prefix/bin/grimtally-cli" --version)" = "grimtally-cli $version" ] ||
  fail "grimtally-cli --version does not say $version"
[ "$("$prefix/bin/grimtally" --version)" = "Grimtally $version" ] ||
  fail "grimtally --version does not say $version"
for set in "" ja/; do
  (cd "$work" && "$prefix/bin/grimtally-cli" check "$share/grimtally/${set}Sample.txt" \
    "$share/grimtally/${set}Choices.txt" "$share/grimtally/${set}Language.txt") ||
    fail "grimtally-cli check finds problems in the installed ${set:-English} set"
done

echo "== manual pages and completion"
completion=$share/bash-completion/completions/grimtally-cli
bash -n "$completion" || fail "the completion is no valid bash"
cli_page=$(zcat "$share/man/man1/grimtally-cli.1.gz")
for command in check export import stats generate; do
  grep -q "^\.SS \"grimtally-cli $command\"" <<<"$cli_page" || fail "the manual has no $command"
  grep -qw "$command" "$completion" || fail "the completion lacks $command"
  # The options it offers after the command (every command has --help).
  offered=" $(sed -n "s/^ *$command) options='\(.*\)' ;;/\1/p" "$completion") --help "
  for option in $("$prefix/bin/grimtally-cli" "$command" --help | grep -oE -- '--[a-z][a-z-]*' |
    sort -u); do
    [[ $offered == *" $option "* ]] || fail "the completion does not offer $command $option"
  done
done
zcat "$share/man/man1/grimtally.1.gz" | grep -q 'user\\-folder' ||
  fail "grimtally(1) does not tell --user-folder"

echo "== the menu entry's start"
exec_line=$(sed -n 's/^Exec=//p' "$share/applications/$id.desktop")
# Starts the menu entry's command as a desktop would, for a user with a fresh home and the
# given locale, and waits until the program has entered its folder.
start_from_menu() {
  local home=$1 locale=$2
  (cd / && exec env -u LC_ALL -u LANGUAGE -u XDG_CONFIG_HOME -u XDG_DATA_HOME \
    HOME="$home" LANG="$locale" PATH="$prefix/bin:$PATH" QT_QPA_PLATFORM=offscreen \
    $exec_line >"$work/menu.log" 2>&1) &
  local pid=$!
  started+=("$pid")
  for _ in $(seq 300); do
    [ "$(readlink "/proc/$pid/cwd")" = "$home/Documents/Grimtally" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended: $(cat "$work/menu.log")"
    sleep 0.1
  done
  [ "$(readlink "/proc/$pid/cwd")" = "$home/Documents/Grimtally" ] ||
    fail "the program did not start in $home/Documents/Grimtally"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  started=()
}
for case in "en_GB.UTF-8 data" "ja_JP.UTF-8 data/ja"; do
  read -r locale set <<<"$case"
  home=$work/home-${locale%%.*}
  mkdir "$home"
  start_from_menu "$home" "$locale"
  for file in Language.txt Choices.txt Sample.txt; do
    cmp -s "$home/Documents/Grimtally/$file" "$source/$set/$file" ||
      fail "$locale: $file is not the shipped one of $set"
  done
done
# Seeded once: a later start, in another language, keeps what the user has.
echo mine >"$work/home-en_GB/Documents/Grimtally/Sample.txt"
start_from_menu "$work/home-en_GB" ja_JP.UTF-8
[ "$(cat "$work/home-en_GB/Documents/Grimtally/Sample.txt")" = mine ] ||
  fail "a later start wrote over the user's file"
cmp -s "$work/home-en_GB/Documents/Grimtally/Choices.txt" "$source/data/Choices.txt" ||
  fail "a later start in Japanese changed the folder's set"
echo "install check passed"
