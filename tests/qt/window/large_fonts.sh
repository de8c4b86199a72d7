#!/usr/bin/env bash
# The program on a desktop set to 120 pixels per inch, on a real X server.
# With Qt's scaling (the default) the window is drawn 1.25 times as large and
# the program runs; with scaling switched off the desktop's 120 reach the
# font check, which shows the large-fonts message and ends the program once
# the player answers it.
#   xvfb-run -s "-noreset ..." large_fonts.sh <path to velmoran>
set -euo pipefail
exe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME=$dir XDG_RUNTIME_DIR=$dir QT_QPA_PLATFORM=xcb
chmod 700 "$dir"
failures=0
check() {
  if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}
# A window of the program whose title matches, once it is on the screen.
window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }

# The desktop's font setting, as the desktop's settings daemon publishes it
# (the server is started with -noreset, so it stays after xprop leaves).
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	120
"

# Scaled: the window comes up, 646 x 476 client pixels drawn 1.25 times as large.
"$exe" 2>/dev/null &
pid=$!
main=$(window 'Current Player' || true)
check "scaled: the main window opens" '[ -n "$main" ]'
if [ -n "$main" ]; then
  width=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^WIDTH=//p')
  check "scaled: the window is 1.25 times as wide ($width)" '[ "$width" -ge 806 ] && [ "$width" -le 810 ]'
fi
check "scaled: no large-fonts message" '! xdotool search --onlyvisible --name "LARGE FONTS" >/dev/null'
kill -s TERM "$pid"
status=0
wait "$pid" || status=$?
check "scaled: the program ends normally (status $status)" '[ "$status" -eq 0 ]'
rm -f "$dir/duraridu.ini"

# Unscaled: only the message, answered with the Enter key.
QT_ENABLE_HIGHDPI_SCALING=0 "$exe" 2>/dev/null &
pid=$!
box=$(window 'LARGE FONTS BEING USED' || true)
check "unscaled: the large-fonts message shows" '[ -n "$box" ]'
check "unscaled: no main window" '! xdotool search --onlyvisible --name "Current Player" >/dev/null'
if [ -n "$box" ]; then
  xdotool windowfocus --sync "$box" key Return
fi
status=0
timeout 20 tail --pid="$pid" -f /dev/null || kill -s KILL "$pid"
wait "$pid" || status=$?
check "unscaled: the program ends after OK (status $status)" '[ "$status" -eq 0 ]'
check "unscaled: the settings store is left alone" '[ ! -e "$dir/duraridu.ini" ]'
exit "$failures"
