#!/usr/bin/env bash
# Drives the real program in a real X window (Xvfb), as a user would: clicks
# at the controls' pixel positions, a video on the command line, then compares
# the page sets byte for byte. Keys, settings and message boxes are the Qt
# suite's (tests/ui/qt), in process.
set -euo pipefail
program="${1:?usage: x_session_test.sh PATH/TO/popolun}"
. "$(dirname "$0")/session_support.sh"

scratch="$(mktemp -d)"
# The program writes its page sets beside itself.
cp "$program" "$scratch/popolun"
trap 'kill "${pid:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
start_xvfb "$scratch"
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }
title='ポポルン　ベーシック版'

start() {
  "$scratch/popolun" "$@" 2>/dev/null &
  pid=$!
  main=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1)
  sleep 0.3
}
start

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.2; }
boxes() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | grep -vx "$main" || true; }
# Presses the create button and answers the message box; prints its window count.
create() {
  click "$main" 228 208
  for _ in $(seq 50); do [ -n "$(boxes)" ] && break; sleep 0.1; done
  [ -n "$(boxes)" ] || fail "no message box after 一発作成"
  xdotool key Return
  for _ in $(seq 50); do [ -z "$(boxes)" ] && break; sleep 0.1; done
  [ -z "$(boxes)" ] || fail "the message box did not close on Enter"
}

# The name field (176,128 97x33), then "一発作成" (168,184 121x49).
click "$main" 224 144
xdotool type --delay 50 bb
create
expect_worked_example "$scratch"

# "終了" (304,288 57x25) ends the program.
quit() {
  click "$main" 332 300
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then fail "終了 did not end the program"; fi
  wait "$pid" || fail "the program exited with an error"
}
quit

# Started with a video: its name and extension are filled in.
video='運動会２０２６ 午前'
mkdir "$scratch/videos"
: > "$scratch/videos/$video.mp4"
start "$scratch/videos/$video.mp4"
create
expect_page_set "$scratch" "$video" .mp4
quit
echo "x session: 1 passed, 0 failed"
