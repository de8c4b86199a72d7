#!/usr/bin/env bash
# The Debian package as a user gets it: its control fields, its files where
# the desktop entry and the AppStream metadata say they are (checked with
# the freedesktop and AppStream validators), every linked library and every
# Qt plugin the program loads covered by its dependencies, and the unpacked
# program started on a private X server, ended through its exit menu, with
# its record written.
#   check_package.sh <velmoran_*.deb>
set -euo pipefail
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${VELMORAN_UNDER_XVFB:-}" ]; then
  export VELMORAN_UNDER_XVFB=1
  # -noreset: an X server resets when its last client leaves, and a copy
  # started in that moment cannot connect and aborts.
  exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$@"
fi
# shellcheck source=program_under_x.sh
. "$here/program_under_x.sh"

dir=$(mktemp -d)
pid=""
cleanup() {
  [ -z "$pid" ] || kill -9 "$pid" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT
root=$dir/root
# Debian keeps the programs of its games in /usr/games.
program=$root/usr/games/velmoran

# --- control fields ------------------------------------------------------
dpkg-deb --info "$deb" | sed -n '/^ [A-Z][A-Za-z-]*:/,$p'
field() { dpkg-deb --field "$deb" "$1"; }
version=$(field Version)
depends=$(field Depends)
# The package names of a relationship field, one a line, without versions.
names() { tr ',|' '\n\n' | sed -e 's/(.*)//' -e 's/:any//' -e 's/[[:space:]]//g' | sed '/^$/d' | sort -u; }
depends_on() { names <<<"$depends" | grep -qx "$1"; }
# The package that holds FILE (merged /usr: the file may be known under /lib).
package_of() {
  local f
  for f in "$1" "$(realpath "$1")" "${1#/usr}" "/usr$1"; do
    dpkg -S "$f" 2>/dev/null | head -n 1 | cut -d: -f1 && return 0
  done
  return 1
}

check "the package is velmoran" '[ "$(field Package)" = velmoran ]'
check "it names its maintainer ($(field Maintainer))" '[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@]+@[^\>]+\>$ ]]'
check "it is filed under games" '[ "$(field Section)" = games ]'
check "its dependencies carry versions found from the binary" '[[ "$depends" == *"libqt6widgets6 (>="* ]]'

# --- files ------------------------------------------------------------------
dpkg -x "$deb" "$root"
id=$(basename "$(ls "$root"/usr/share/applications/*.desktop)" .desktop)
desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
sizes="16 22 24 32 48 64 128 256 512"
expected=$({
  echo ./usr/games/velmoran
  echo "./usr/share/applications/$id.desktop"
  echo "./usr/share/metainfo/$id.metainfo.xml"
  for s in $sizes; do echo "./usr/share/icons/hicolor/${s}x$s/apps/$id.png"; done
  echo "./usr/share/icons/hicolor/scalable/apps/$id.svg"
  echo ./usr/share/doc/velmoran/copyright
  echo ./usr/share/doc/velmoran/changelog.gz
  echo ./usr/share/man/man6/velmoran.6.gz
} | sort)
check "the package holds exactly the program, its desktop files, manual and copyright" \
  '[ "$(cd "$root" && find . -type f | sort)" = "$expected" ]'
check "nothing is writable by others or lies outside /usr" \
  '[ -z "$(dpkg-deb -c "$deb" | awk '\''$1 ~ /w.$/ || $6 !~ /^\.\/(usr\/)?$|^\.\/usr\//'\'')" ]'

check "the desktop entry passes desktop-file-validate" 'desktop-file-validate "$desktop"'
entry() { sed -n "s/^$1=//p" "$desktop"; }
check "it is a game" '[[ ";$(entry Categories)" == *";Game;"* ]]'
check "the program is stripped" 'file "$program" | grep -q ", stripped"'
check "it starts the packaged program without arguments" '[ "$(entry Exec)" = velmoran ] && [ -x "$program" ]'
check "its icon is the package's" '[ "$(entry Icon)" = "$id" ]'
for s in $sizes; do
  check "the ${s} px icon is there at its size" \
    'file "$root/usr/share/icons/hicolor/${s}x$s/apps/$id.png" | grep -q "PNG image data, $s x $s,"'
done
check "the scalable icon is there" 'grep -q "<svg" "$root/usr/share/icons/hicolor/scalable/apps/$id.svg"'

check "the AppStream metadata passes appstreamcli validate" 'appstreamcli validate --no-net "$metainfo"'
check "the installed tree passes appstreamcli validate-tree" 'appstreamcli validate-tree --no-net "$root"'
tag() { sed -n "s:.*<$1[^>]*>\(.*\)</$1>.*:\1:p" "$metainfo" | head -n 1; }
check "the metadata names the package's id" '[ "$(tag id)" = "$id" ]'
check "it launches the package's desktop entry" '[ "$(tag launchable)" = "$id.desktop" ]'
check "it provides the packaged program, on the PATH" '[ -x "$root/usr/games/$(tag binary)" ]'
check "its release is the package's version $version" 'grep -q "<release version=\"$version\"" "$metainfo"'
check "it rates the play-money gambling" 'grep -q "id=\"money-gambling\">moderate<" "$metainfo"'
check "it shows a screenshot" '[[ "$(tag image)" == https://*.png ]]'
copyright=$root/usr/share/doc/velmoran/copyright
for licence in GPL-3+ SIL-OFL-1.1 bitstream-vera; do
  check "the copyright file holds the $licence licence" 'grep -q "^License: $licence$" "$copyright"'
done
check "the change log is for this version" 'zcat "$root/usr/share/doc/velmoran/changelog.gz" | head -n 1 | grep -q "^velmoran ($version)"'
check "the manual page reads without errors" \
  '[ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/velmoran.6.gz" 2>&1 >/dev/null)" ]'

# Every library the program links comes with a package it depends on.
while read -r lib; do
  path=$(ldd "$program" | awk -v l="$lib" '$1 == l { print $3 }')
  pkg=$(package_of "$path" || true)
  check "$lib (from ${pkg:-no package}) is provided by a dependency" '[ -n "$pkg" ] && depends_on "$pkg"'
done < <(readelf -d "$program" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')

# --- the unpacked program -------------------------------------------------
export XDG_CONFIG_HOME=$dir/config XDG_RUNTIME_DIR=$dir QT_QPA_PLATFORM=xcb
"$program" 2>"$dir/stderr" &
pid=$!
# The title names the player once start-up has loaded the sounds; by then
# every plugin the program uses is in.
wait_until 20 has_window "$pid" "Current Player" || { echo "FAIL the program shows no window"; cat "$dir/stderr"; exit 1; }
window=$(window_of "$pid" "Current Player")
while read -r plugin; do
  pkg=$(package_of "$plugin" || true)
  check "plugin $(basename "$plugin") (from ${pkg:-no package}) is provided by a dependency" \
    '[ -n "$pkg" ] && depends_on "$pkg"'
done < <(grep -o '/[^ ]*/qt6/plugins/[^ ]*\.so' "/proc/$pid/maps" | sort -u)
press "$window" alt+e
check "the exit menu ends the program" 'wait_until 20 ended "$pid"'
status=0
wait "$pid" || status=$?
pid=""
check "it ends normally (status $status)" '[ "$status" -eq 0 ]'
record=$(printf '%s\n' amountinvested=0 bank=0 currentplayer= games=0 reelspeed=1 total=0 wager=0 winroll=0)
check "it wrote the record of player 1" '[ "$(record_of "$XDG_CONFIG_HOME/duraridu.ini")" = "$record" ]'
exit "$failures"
