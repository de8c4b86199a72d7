#!/usr/bin/env bash
# One running copy per player store, with the real program on a private X
# server, answered with the keyboard as a player would:
# - a second copy started while the first runs shows its message box and,
#   after OK, ends without having touched the store; the first copy's record
#   is the one the store keeps;
# - a copy killed with SIGKILL leaves its lock file behind, and the next
#   start takes it over and runs normally.
#   two_copies.sh <path to velmoran>
set -euo pipefail
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${VELMORAN_UNDER_XVFB:-}" ]; then
  export VELMORAN_UNDER_XVFB=1
  # -noreset: an X server resets when its last client leaves, and a copy
  # started in that moment cannot connect and aborts.
  exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$@"
fi
# shellcheck source=../../package/program_under_x.sh
. "$here/../../package/program_under_x.sh"

dir=$(mktemp -d)
started=()
cleanup() {
  local status=$?
  for pid in "${started[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  # What the copies printed, when something failed.
  if [ "$status" -ne 0 ] && [ -s "$dir/stderr" ]; then
    echo "--- the copies' messages"
    cat "$dir/stderr"
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$dir XDG_RUNTIME_DIR=$dir QT_QPA_PLATFORM=xcb
store=$dir/duraridu.ini
main="Current Player"
box="Slots_Velmoran"

# start NAME: starts a copy and keeps its process id in NAME.
start() {
  "$exe" 2>>"$dir/stderr" &
  started+=($!)
  printf -v "$1" '%s' "$!"
}
# finish PID: waits for the copy's end and keeps its exit status in status.
finish() {
  status=0
  { wait "$1"; } 2>/dev/null || status=$?
}

cat >"$store" <<'INI'
[player1]
winroll=1
reelspeed=4
amountinvested=5000
wager=900
total=400
bank=1250
games=7
currentplayer=Ann
INI

# --- two copies at once -------------------------------------------------
start first
wait_until 20 has_window "$first" "$main" || { echo "FAIL the first copy shows no window"; exit 1; }
before=$(stat -c '%y %s' "$store"; sha256sum <"$store")

start second
wait_until 20 has_window "$second" "$box" || { echo "FAIL the second copy shows no message"; exit 1; }
check "the second copy shows only its message, not a machine" '! has_window "$second" "$main"'
press "$(window_of "$second" "$box")" Return
check "OK ends the second copy" 'wait_until 20 ended "$second"'
finish "$second"
check "the second copy ends normally (status $status)" '[ "$status" -eq 0 ]'
after=$(stat -c '%y %s' "$store"; sha256sum <"$store")
check "the second copy left the store untouched" '[ "$before" = "$after" ]'
check "the first copy still runs" '! ended "$first"'

# The first copy cashes the credit out and quits from its menu bar.
window=$(window_of "$first" "$main")
press "$window" alt+z
press "$window" alt+e
check "the exit menu ends the first copy" 'wait_until 20 ended "$first"'
finish "$first"
check "the first copy ends normally (status $status)" '[ "$status" -eq 0 ]'
expected=$(printf '%s\n' amountinvested=3750 bank=0 currentplayer=Ann games=7 reelspeed=4 total=400 wager=900 winroll=1)
check "the store holds exactly the first copy's record" '[ "$(record_of "$store")" = "$expected" ]'

# --- a copy killed where it stands ---------------------------------------
start killed
wait_until 20 has_window "$killed" "$main" || { echo "FAIL the copy to kill shows no window"; exit 1; }
kill -9 "$killed"
finish "$killed"
check "the killed copy leaves its lock file behind" '[ -e "$store.running" ]'
before=$(stat -c '%y' "$store")

start next
check "the next start runs the machine" 'wait_until 20 has_window "$next" "$main"'
check "and shows no message" '! has_window "$next" "$box"'
press "$(window_of "$next" "$main")" alt+e
check "its exit menu ends it" 'wait_until 20 ended "$next"'
finish "$next"
check "it ends normally (status $status)" '[ "$status" -eq 0 ]'
check "it saved on the way out" '[ "$(stat -c %y "$store")" != "$before" ]'
check "the record it saved is the one it read" '[ "$(record_of "$store")" = "$expected" ]'
exit "$failures"
