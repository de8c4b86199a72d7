#!/usr/bin/env bash
# The program ended by the system: SIGTERM (and SIGHUP) close the window the
# ordinary way, so the player's record is written and the exit is clean.
#   termination.sh <path to velmoran>
# The signal is sent once the program has taken SIGTERM and SIGHUP over, as
# the kernel shows in the process's status (SigCgt), never after a guessed
# delay: before that, the default action would end it where it stands.
# Until the program is running in the process (its exe), the status is that
# of this shell's own child between fork and exec, which catches both
# signals to run the EXIT trap and dies of them.
set -euo pipefail
exe=$1
program=$(readlink -f "$exe")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME=$dir XDG_RUNTIME_DIR=$dir QT_QPA_PLATFORM=offscreen
failures=0
check() {
  if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

# True when process $1 runs the program and catches both SIGHUP (1) and
# SIGTERM (15).
catches_both() {
  local mask
  [ "$(readlink -f "/proc/$1/exe" 2>/dev/null)" = "$program" ] || return 1
  mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
  [ -n "$mask" ] || return 1
  (( (16#$mask >> 0) & 1 && (16#$mask >> 14) & 1 ))
}

for sig in TERM HUP; do
  rm -f "$dir/duraridu.ini"
  "$exe" 2>/dev/null &
  pid=$!
  # Polled until it holds; the test's own time limit bounds the wait.
  until catches_both "$pid"; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "FAIL SIG$sig: the program ended before it took the signals over"
      exit 1
    fi
    sleep 0.01
  done
  check "SIG$sig: nothing is written before the end" '[ ! -e "$dir/duraridu.ini" ]'
  kill -s "$sig" "$pid"
  status=0
  wait "$pid" || status=$?
  check "SIG$sig: the program exits normally (status $status)" '[ "$status" -eq 0 ]'
  check "SIG$sig: the record of player 1 is written" 'grep -q "^bank=0$" "$dir/duraridu.ini"'
done
exit "$failures"
