#!/usr/bin/env bash
# The program ended by the system: SIGTERM (and SIGHUP) close the window the
# ordinary way, so the player's record is written and the exit is clean.
#   termination.sh <path to velmoran>
set -euo pipefail
exe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME=$dir XDG_RUNTIME_DIR=$dir QT_QPA_PLATFORM=offscreen
failures=0
check() {
  if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

for sig in TERM HUP; do
  rm -f "$dir/duraridu.ini"
  "$exe" 2>/dev/null &
  pid=$!
  sleep 0.5
  check "SIG$sig: nothing is written before the end" '[ ! -e "$dir/duraridu.ini" ]'
  kill -s "$sig" "$pid"
  status=0
  wait "$pid" || status=$?
  check "SIG$sig: the program exits normally (status $status)" '[ "$status" -eq 0 ]'
  check "SIG$sig: the record of player 1 is written" 'grep -q "^bank=0$" "$dir/duraridu.ini"'
done
exit "$failures"
