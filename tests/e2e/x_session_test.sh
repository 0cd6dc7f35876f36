#!/usr/bin/env bash
# Drives the real program in a real X window (Xvfb), as a user would: clicks
# and keys at the controls' pixel positions, then compares the page sets byte
# for byte. One page set is made with keys alone.
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

# The same name again: refused, the first page set untouched.
before=$(cat "$scratch"/bb/* | md5sum)
create
[ "$(cat "$scratch"/bb/* | md5sum)" = "$before" ] || fail "second request changed the first page set"

# "設定" (360,288 49x25): width 640 (312,64 33x25), "オン" (344,200 89x33), "戻る" (24,208 49x25).
click "$main" 384 300
settings=$(timeout 10 xdotool search --sync --onlyvisible --name '設定$' | head -n1)
sleep 0.3
click "$settings" 328 76
xdotool key ctrl+a
xdotool type --delay 50 640
click "$settings" 388 216
click "$settings" 48 220
[ -z "$(xdotool search --onlyvisible --name '設定$' 2>/dev/null)" ] || fail "戻る left the settings window shown"

click "$main" 224 144
xdotool key ctrl+a
xdotool type --delay 50 動画
create
embed="$scratch/動画/動画01.htm"
expect_embed_after_settings "$embed"

# Keys alone: back to the name field, a new name, Tab to "一発作成" and Space;
# Enter in the field makes nothing.
xdotool key shift+Tab ctrl+a
xdotool type --delay 50 kk
xdotool key Return
sleep 0.5
[ -z "$(boxes)" ] && [ ! -e "$scratch/kk" ] || fail "Enter in the name field did something"
xdotool key Tab space
for _ in $(seq 50); do [ -n "$(boxes)" ] && break; sleep 0.1; done
[ -n "$(boxes)" ] || fail "no message box after Space on 一発作成"
xdotool key Return
for _ in $(seq 50); do [ -z "$(boxes)" ] && break; sleep 0.1; done
grep -q 'width=640 height=544' "$scratch/kk/kk01.htm" || fail "keys alone made no page set"

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
