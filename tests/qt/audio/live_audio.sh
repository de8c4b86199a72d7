#!/usr/bin/env bash
# Starts a private sound server with a null sink, runs the live audio check
# against it and stops the server again, whatever happens:
#   live_audio.sh <path to velmoran_live_audio>
set -euo pipefail
check_bin=$1

dir=$(mktemp -d)
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap cleanup EXIT INT TERM

# Keep the server and its clients away from any user session and its files.
export HOME=$dir XDG_RUNTIME_DIR=$dir XDG_CONFIG_HOME=$dir/config XDG_STATE_HOME=$dir/state
export PULSE_RUNTIME_PATH=$dir/runtime PULSE_STATE_PATH=$dir/state
export PULSE_SERVER=unix:$dir/native
unset DBUS_SESSION_BUS_ADDRESS DISPLAY

pulseaudio --daemonize=no -n --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
  --log-target=file:"$dir/server.log" \
  --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
  --load="module-null-sink sink_name=velmoran_null rate=44100" \
  --load="module-always-sink" &
server_pid=$!

for _ in $(seq 50); do
  pactl info >/dev/null 2>&1 && break
  kill -0 "$server_pid" 2>/dev/null || { cat "$dir/server.log" >&2; exit 1; }
  sleep 0.1
done
pactl set-default-sink velmoran_null

status=0
timeout 60 "$check_bin" velmoran_null.monitor || status=$?
[ "$status" -eq 0 ] || cat "$dir/server.log" >&2
exit "$status"
