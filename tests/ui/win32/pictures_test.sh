#!/usr/bin/env bash
# The Windows program's windows as a user sees them, against pictures a person
# has looked at (tests/ui/win32/reviewed/): popolun.exe under Wine, drawn
# through X in an Xvfb of its own with the Japanese faces, started on a
# screen of 96, 120, 144 and 192 dpi each; the main window, the main window
# with a message box over it, and the settings window. A picture may differ
# from its reviewed one in at most 20 pixels by more than 2 % in a channel:
# room for a stray antialiased pixel, none for a box off by a pixel, a fill
# off by a few steps, a wrong font, a blurred picture or a window of the wrong
# size. With POPOLUN_RENEW_REVIEWED set, it saves them as the reviewed ones
# instead (scripts/renew-reviewed-pictures; look at every one before committing).
#   pictures_test.sh PATH/TO/popolun.exe
set -euo pipefail
program="${1:?usage: pictures_test.sh PATH/TO/popolun.exe}"
root="$(cd "$(dirname "$0")/../../.." && pwd)"
reviewed="$root/tests/ui/win32/reviewed"
for tool in Xvfb xdotool import compare wine; do
  command -v "$tool" >/dev/null || { echo "pictures: $tool is missing; run scripts/packages windows" >&2; exit 1; }
done

scratch="$(mktemp -d)"
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  timeout 10 wineserver -w >/dev/null 2>&1 || true
  kill "${xvfb:-}" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

. "$root/scripts/xvfb.sh"
start_xvfb "$scratch" 1920x1200
"$root/scripts/wine-prefix" </dev/null >"$scratch/prefix.log" 2>&1 || { cat "$scratch/prefix.log" >&2; fail "no Wine prefix"; }
# A caret that does not blink is drawn the same at every look.
wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /t REG_SZ /d -1 /f </dev/null >/dev/null 2>&1
mkdir "$scratch/program"
cp "$program" "$scratch/program/"

title='ポポルン　ベーシック版'
# look WINDOW FILE [GEOMETRY]: saves what the window (or that part of the
# screen) shows once two looks a fifth of a second apart agree.
look() {
  local previous="$scratch/previous.png" current="$scratch/current.png"
  shoot() { if [ -n "${3:-}" ]; then import -window root -crop "$3" +repage "$1"; else import -window "$2" "$1"; fi; }
  shoot "$previous" "$1" "${3:-}"
  for _ in $(seq 25); do
    sleep 0.2
    shoot "$current" "$1" "${3:-}"
    [ "$(compare -metric AE "$previous" "$current" null: 2>&1 || true)" = 0 ] && break
    mv "$current" "$previous"
  done
  mv "$current" "$2"
}
# at WINDOW X Y: the window's pixel for a point given at 96 dpi.
click_at() { xdotool mousemove --window "$1" $(($2 * dpi / 96)) $(($3 * dpi / 96)) click 1 mousemove 1919 1199; }

differing=()
for dpi in 96 120 144 192; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  wine "$scratch/program/$(basename "$program")" </dev/null >/dev/null 2>&1 &
  pid=$!
  main=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1) || fail "no main window at $dpi dpi"
  xdotool mousemove 1919 1199 # off every window: no hover, no tooltip
  look "$main" "$scratch/main-${dpi}dpi.png"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  # "一発作成" (168,184 121x49) with no name: 記入しましょう。 in a box over the window.
  click_at "$main" 228 208
  box=""
  for _ in $(seq 50); do
    box=$(xdotool search --onlyvisible --name "^$title\$" | grep -vx "$main" | head -n1) && [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "no message box at $dpi dpi"
  look "$main" "$scratch/message-${dpi}dpi.png" "${WIDTH}x${HEIGHT}+${X}+${Y}"
  xdotool mousemove --window "$box" 10 10 key Return mousemove 1919 1199
  # "設定" (360,288 49x25).
  click_at "$main" 384 300
  settings=$(timeout 30 xdotool search --sync --onlyvisible --name '設定$' | head -n1) || fail "no settings window at $dpi dpi"
  look "$settings" "$scratch/settings-${dpi}dpi.png"
  # "終了" (304,288 57x25) ends it.
  click_at "$main" 332 300
  timeout 20 tail --pid="$pid" -f /dev/null || fail "終了 did not end the program at $dpi dpi"

  for picture in main message settings; do
    name="$picture-${dpi}dpi.png"
    if [ -n "${POPOLUN_RENEW_REVIEWED:-}" ]; then
      cp "$scratch/$name" "$reviewed/$name"
      continue
    fi
    [ -f "$reviewed/$name" ] || fail "no reviewed picture $reviewed/$name"
    off=$(compare -metric AE -fuzz 2% "$reviewed/$name" "$scratch/$name" null: 2>&1 || true)
    if ! [ "$off" -le 20 ] 2>/dev/null; then
      mkdir -p "${TMPDIR:-/tmp}/popolun-drawn"
      cp "$scratch/$name" "${TMPDIR:-/tmp}/popolun-drawn/$name"
      differing+=("$name: ${off} pixels differ (drawn: ${TMPDIR:-/tmp}/popolun-drawn/$name)")
    fi
  done
done
[ -z "${POPOLUN_RENEW_REVIEWED:-}" ] || { echo "pictures: renewed in $reviewed"; exit 0; }
[ "${#differing[@]}" -eq 0 ] || { printf 'FAIL: %s\n' "${differing[@]}" >&2; exit 1; }
echo "pictures: 12 of 12 as reviewed"
