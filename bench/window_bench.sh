#!/usr/bin/env bash
# The real window's figures under a private X server:
#   bench/window_bench.sh [build dir]           (default build/default)
# - time from launch until the window is mapped on the screen;
# - CPU used while idle for 10 s after the start-up pause;
# - peak resident memory over the run;
# - the reel motion's wall time against the sleeps it asks for, at reel
#   speeds 1 and 10 (from the widget test that plays on the real window).
# It needs Xvfb and xdotool (./run.sh test installs them). The game runs
# with its settings in a temporary folder, never the user's.
set -euo pipefail
build=${1:-build/default}
exe=$build/src/shell/window/velmoran
tests=$build/tests/velmoran_qt_tests
[ -x "$exe" ] || { echo "no program at $exe; build first" >&2; exit 1; }

if [ -z "${VELMORAN_BENCH_INNER:-}" ]; then
  export VELMORAN_BENCH_INNER=1
  # -noreset: an X server resets when its last client leaves, and a copy
  # started in that moment cannot connect and aborts.
  exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$@"
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export XDG_CONFIG_HOME=$dir XDG_RUNTIME_DIR=$dir QT_QPA_PLATFORM=xcb

ms() { echo $(( $(date +%s%N) / 1000000 )); }

start=$(ms)
"$exe" &
pid=$!
# Polled every 10 ms (xdotool's own --sync waits in half seconds).
until xdotool search --onlyvisible --name "Current Player" >/dev/null 2>&1; do
  kill -0 "$pid" 2>/dev/null || { echo "the game ended before its window appeared" >&2; exit 1; }
  sleep 0.01
done
shown=$(ms)
echo "window on the screen after $((shown - start)) ms"

# The start-up pause runs 3 s; idle is measured after it.
sleep 4
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
t0=$(ticks)
sleep 10
t1=$(ticks)
awk -v d=$((t1 - t0)) -v hz="$hz" 'BEGIN { printf "idle CPU over 10 s: %.2f %% of a core\n", 100 * d / hz / 10 }'
echo "peak resident memory: $(awk '/VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$pid/status")"
kill "$pid"
wait "$pid" 2>/dev/null || true

if [ -x "$tests" ]; then
  "$tests" --gtest_filter='ReelMotionTiming.*' | grep '^reel motion' || true
fi
