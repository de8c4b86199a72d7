# Shell functions for the scripts that drive the real program on a private X
# server the way a player would (sourced, not run). They need xdotool, an X
# display and a configuration folder of their own in XDG_CONFIG_HOME.

# wait_until SECONDS COMMAND...: runs COMMAND every 20 ms until it succeeds;
# fails once SECONDS have passed.
wait_until() {
  local deadline=$(($(date +%s%N) + $1 * 1000000000))
  shift
  until "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep 0.02
  done
}

# window_of PID TITLE: the id of a visible window of process PID whose title
# contains TITLE (nothing when there is none).
window_of() {
  xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1
}
has_window() { [ -n "$(window_of "$1" "$2")" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }

# press WINDOW KEYS...: gives WINDOW the keyboard focus and types KEYS there.
press() {
  local window=$1
  shift
  timeout 20 xdotool windowfocus --sync "$window" key --clearmodifiers "$@"
}

# record_of FILE: the keys of section player1 of a settings file, sorted.
record_of() {
  awk '/^\[/ { inside = ($0 == "[player1]") } inside && /=/' "$1" | sort
}

failures=0
check() {
  if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}
