#!/usr/bin/env bash
# The window program in a real X server, driven by real input events: presses of BitBtn1 write the
# headless runner's picture, closing writes nothing more and exits 0, and a missing input file
# ends the program with its message and status 255.
# usage: gui_e2e.sh FASTLIC_GUI FASTLIC FASTLIC_SAMPLE X_CLOSE_WINDOW
set -euo pipefail
gui=$1 fastlic=$2 sample=$3 close_window=$4

work=$(mktemp -d)
xvfb_pid=
gui_pid=
cleanup() {
  [ -n "$gui_pid" ] && kill "$gui_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A private X server on whichever display number is free.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

passed=0 failed=0
check() {  # check NAME CONDITION...
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name" >&2; fi
}

start_gui() {  # in the current folder; sets gui_pid and window
  "$gui" > out 2> err &
  gui_pid=$!
  window=$(timeout 20 xdotool search --sync --name '^Form1$' | head -n 1)
}

press_button() {  # the centre of BitBtn1 (32, 264, 105 x 57) in window coordinates
  xdotool mousemove --window "$window" 84 292 click 1
}

wait_for_size() {  # wait_for_size FILE BYTES
  for _ in $(seq 300); do
    [ "$(stat -c %s "$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

finish_gui() {  # waits for the program and sets status
  status=0
  for _ in $(seq 100); do kill -0 "$gui_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$gui_pid" || status=$?
  gui_pid=
}

# Two presses, then the window is closed.
mkdir "$work/run" && cd "$work/run"
"$sample" . mix > /dev/null
"$fastlic" > expected.ppm
size=$(stat -c %s expected.ppm)
start_gui
press_button
check "first press writes the picture" wait_for_size out "$size"
press_button
check "second press writes it again" wait_for_size out $((2 * size))
"$close_window" Form1
finish_gui
check "closing the window exits 0" test "$status" -eq 0
check "two presses give the headless picture twice" cmp -s out <(cat expected.ppm expected.ppm)

# Closed without a press: nothing on standard output.
start_gui
"$close_window" Form1
finish_gui
check "closing without a press exits 0" test "$status" -eq 0
check "closing without a press writes nothing" test ! -s out

# A press with no input files ends the program with the message and status 255.
mkdir "$work/empty" && cd "$work/empty"
start_gui
press_button
finish_gui
check "a missing vector file exits 255" test "$status" -eq 255
check "a missing vector file gives its message" \
  test "$(cat out)" = "Bad Vector Filename: ps.vec.256.256.3"

# A picture that cannot be written (a full disk) is reported, and the program ends with status 1.
cd "$work/run"
"$gui" > /dev/full 2> err &
gui_pid=$!
window=$(timeout 20 xdotool search --sync --name '^Form1$' | head -n 1)
press_button
finish_gui
check "a failed write exits 1" test "$status" -eq 1
check "a failed write is reported" grep -q "could not write the picture to standard output" err

# No display at all: a clear message on standard error, nothing on standard output.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$gui" > out 2> err || status=$?
check "without a display the program says so" grep -q "no display" err
check "without a display nothing is written" test ! -s out
check "without a display the start-up still returns 0" test "$status" -eq 0

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
