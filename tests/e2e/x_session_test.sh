#!/usr/bin/env bash
# Drives the real program in a real X window (Xvfb), as a user would: clicks
# and keys at the controls' pixel positions, then compares the page sets byte
# for byte. One page set is made with keys alone.
set -euo pipefail
program="${1:?usage: x_session_test.sh PATH/TO/popolun}"

scratch="$(mktemp -d)"
# The program writes its page sets beside itself.
cp "$program" "$scratch/popolun"
exec 3> "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "${pid:-}" "$xvfb" 2>/dev/null || true; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$scratch/display")"
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }
title='ポポルン　ベーシック版'

"$scratch/popolun" 2>/dev/null &
pid=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1)
sleep 0.3

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

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
expect_file() {
  [ -f "$1" ] || fail "missing $1"
  cmp -s "$1" <(printf '%s' "$2") || { od -c "$1" | head -20 >&2; fail "$1 differs"; }
}

# The name field (176,128 97x33), then "一発作成" (168,184 121x49).
click "$main" 224 144
xdotool type --delay 50 bb
create
crlf=$'\r\n'
expect_file "$scratch/bb/bb.asx" "<ASX Version =\"3.0\"><Entry>$crlf<Ref href =\"./bb.wmv\"></Entry></ASX>$crlf"
expect_file "$scratch/bb/bb.htm" "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>$crlf<P align=\"center\"><B><A href=\"./bb.asx\" target=\"_self\">$(sjis 'ここをクリックしてください。')</A></B></P>$crlf'</BODY></HTML>$crlf"
embed_head="<html><head><title>enbedsampl</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">$crlf</head><body bgcolor=\"#FFFFFF\" text=\"#000000\">$crlf"
expect_file "$scratch/bb/bb01.htm" "$embed_head<OBJECT ID=\"Player\" width=\"320\" height=\"304\"CLASSID=\"CLSID:6BF52A52-394A-11d3-B153-00C04F79FAA6\">$crlf<PARAM name=\"autoStart\" value=\"false\">$crlf<PARAM name=\"URL\" value=\"./bb.asx\">$crlf<embed src=\"./bb.asx\" autostart=\"false\" width=320 height=304></embed></OBJECT>$crlf</body></html>$crlf$crlf"
[ "$(stat -c %s "$scratch/bb/bb.asx" "$scratch/bb/bb.htm" "$scratch/bb/bb01.htm" | tr '\n' ' ')" = "67 156 432 " ] \
  || fail "worked example sizes"

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
[ -f "$embed" ] || fail "no page set for a Japanese name"
grep -q 'width="640" height="544"' "$embed" || fail "width 640 did not give height 544"
grep -q 'width=640 height=544' "$embed" || fail "embed element size"
grep -q '<PARAM name="autoStart" value="true">' "$embed" || fail "オン did not reach the page"
grep -q "$(sjis './動画.asx')" "$embed" || fail "the Japanese name is not Shift_JIS in the page"

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
click "$main" 332 300
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then fail "終了 did not end the program"; fi
wait "$pid" || fail "the program exited with an error"
echo "x session: 1 passed, 0 failed"
