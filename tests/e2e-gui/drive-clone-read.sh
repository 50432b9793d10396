#!/usr/bin/env bash
# Runs inside xvfb-run: starts the program, reads the radio from the Clone
# menu with the keyboard, and leaves what it saw in $QUILLON_TEST_PROBE:
#   window-title   the main window's title as the X server knows it
#   screen.xwd     the whole screen after the read
#   exit-code      the program's exit code after File > Exit
# The program itself writes "state" and "main-window.png" there.
set -u
program=$1
probe=$QUILLON_TEST_PROBE

wait_for() { # seconds, command...
  local tries=$(($1 * 10))
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
state_says() { grep -qx "$1" "$probe/state" 2>/dev/null; }

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT

wait_for 30 state_says "modified=0" || { echo "the program did not come up"; exit 1; }
window=$(xdotool search --sync --onlyvisible --name " - Quillon" | head -n 1)
[ -n "$window" ] || { echo "no main window"; exit 1; }
xdotool windowfocus --sync "$window"
# Clone > Read from Radio.
xdotool key --delay 150 alt+c r
wait_for 60 state_says "modified=1" || echo "the read did not finish"
sleep 0.5
xdotool getwindowname "$window" >"$probe/window-title"
xwd -root -silent >"$probe/screen.xwd" 2>/dev/null || true

# File > Exit; the read made the document modified, so answer No when asked
# to save it.
xdotool windowfocus --sync "$window"
xdotool key --delay 150 alt+f x
sleep 1
xdotool key --delay 150 alt+n
if wait_for 20 bash -c "! kill -0 $pid 2>/dev/null"; then
  wait "$pid"
  echo $? >"$probe/exit-code"
fi
exit 0
