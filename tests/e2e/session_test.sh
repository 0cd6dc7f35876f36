#!/usr/bin/env bash
# Drives the real program in its own X server (Xvfb) as a user would: clicks
# and keys at the layout's pixel positions, a start with a video, a program
# folder more than 300 characters deep and a read-only one, each page set
# compared byte for byte with what the core writes for it (write_page_set).
# popolun.exe runs under Wine, whose msgbox trace tells what each message box
# says, and is also started on screens of 120, 144 and 192 dpi. Keys,
# settings, message boxes and pictures in detail are the conformance suite's.
# Non-zero on any failure.
set -euo pipefail
program="${1:?usage: session_test.sh PATH/TO/popolun[.exe] PATH/TO/write_page_set[.exe]}"
core="${2:?usage: session_test.sh PATH/TO/popolun[.exe] PATH/TO/write_page_set[.exe]}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
wine=()
[[ "$program" != *.exe ]] || wine=(wine)
for tool in Xvfb xdotool "${wine[@]}"; do
  command -v "$tool" >/dev/null || { echo "session: $tool is missing; run scripts/packages test (or windows)" >&2; exit 1; }
done

scratch="$(mktemp -d)"
# Before the trap: its wineserver -k must stop this prefix's server alone.
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
cleanup() {
  kill "${pid:-}" 2>/dev/null || true
  if [ -n "${wine[*]}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    timeout 10 wineserver -w >/dev/null 2>&1 || true
  fi
  kill "${xvfb:-}" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND exited with $?" >&2' ERR

# The program writes its page sets beside itself: a folder holding nothing
# else, named in Japanese, with a letter no ANSI code page shares with it and
# a character beyond the BMP.
exe="$(basename "$program")"
dir="$scratch/ホーム café 😀"
mkdir "$dir"
cp "$program" "$dir/"
cp "$(dirname "$program")/popolun-help.html" "$dir/"
log="$scratch/program.log"

. "$root/scripts/xvfb.sh"
start_xvfb "$scratch"
unset QT_QPA_PLATFORM

# A fresh prefix drawn through X (not the headless one), with the Japanese faces.
if [ -n "${wine[*]}" ] && ! "$root/scripts/wine-prefix" </dev/null >"$scratch/prefix.log" 2>&1; then
  cat "$scratch/prefix.log" >&2
  echo "FAIL: no Wine prefix" >&2
  exit 1
fi

title='ポポルン　ベーシック版'
# Decoded texts of the message boxes shown so far, one a line (Wine only).
messages() {
  perl -CS -ne 'next unless /MSGBOX_OnInit L"(.*)"\s*$/; my $s = $1;
    $s =~ s/\\(\\|"|[0-9a-f]{4})/length($1) == 4 ? chr(hex($1)) : $1/ge; print "$s\n"' "$log"
}
fail() {
  echo "FAIL: $*" >&2
  [ -z "${wine[*]}" ] || { echo "message boxes shown:"; messages | sed 's/^/  /' || true; } >&2
  exit 1
}
# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
size_of() { xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=' | cut -d= -f2 | paste -sd x; }

# Starts the program in $program_dir ($dir unless set), through ${wrap[@]} if
# set, in a Japanese desktop's locale where the machine has it (scripts/packages
# makes it). Arguments go to the program; Wine reads them in the locale's
# character set, UTF-8 either way.
wrap=()
locale_name=C.UTF-8
if locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
  locale_name=ja_JP.UTF-8
else
  echo "session: no ja_JP.UTF-8 locale here (scripts/packages test makes it); the programs run in C.UTF-8" >&2
fi
start_program() {
  seen=0
  LC_ALL="$locale_name" LANG="$locale_name" WINEDEBUG=-all,+msgbox "${wrap[@]}" "${wine[@]}" "${program_dir:-$dir}/$exe" "$@" \
    </dev/null >/dev/null 2>"$log" &
  pid=$!
  main=$(timeout 40 xdotool search --sync --onlyvisible --name "^$title\$" 2>/dev/null | head -n1) || true
  [ -n "$main" ] || fail "the main window did not appear"
  sleep 0.3
}
centred() {
  eval "$(xdotool getwindowgeometry --shell "$main" | grep -E '^[XY]=')"
  [ $((X - 423)) -ge -2 ] && [ $((X - 423)) -le 2 ] && [ "$Y" -ge 238 ] && [ "$Y" -le 280 ]
}

start_program
# Without a window manager the X window is the client area alone.
[ "$(size_of "$main")" = 434x323 ] || fail "main window client area is $(size_of "$main"), not 434x323"
if ! centred; then
  # In a busy fresh prefix Wine can tell the first program a 1024x768 screen
  # before its display driver is up; the program centres on what it is told.
  echo "session: main window at $X,$Y on the first start; once more" >&2
  wineserver -k >/dev/null 2>&1 || true
  wait "$pid" || true
  start_program
  centred || fail "main window not centred: client at $X,$Y"
fi
[ -z "$(xdotool search --onlyvisible --name '設定$' 2>/dev/null)" ] || fail "the settings window is shown at start"

# Points are given at 96 dpi; the windows are scaled to the screen's.
dpi=96
click() { xdotool mousemove --window "$1" $(($2 * dpi / 96)) $(($3 * dpi / 96)) click 1; sleep 0.1; }
boxes() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | grep -vx "$main" || true; }
# Waits for the next message box, checks what it says (a pattern; under Wine),
# and answers it with Enter, the pointer on the box (keys go to the window under it).
answer() {
  wait_for 15 eval '[ -n "$(boxes)" ]' || fail "no message box; expected \"$1\""
  if [ -n "${wine[*]}" ]; then
    wait_for 5 eval '[ "$(messages | wc -l)" -gt "$seen" ]' || fail "a message box with no text in the trace"
    seen=$((seen + 1))
    local text
    text=$(messages | sed -n "${seen}p")
    # shellcheck disable=SC2053 # a pattern on purpose
    [[ "$text" == $1 ]] || fail "the message box says \"$text\"; expected \"$1\""
  fi
  xdotool mousemove --window "$(boxes | head -n1)" 10 10 key Return
  wait_for 15 eval '[ -z "$(boxes)" ]' || fail "the message box did not close on Enter"
}
# The name field (176,128 97x33), then "一発作成" (168,184 121x49).
create() {
  click "$main" 224 144
  xdotool key ctrl+a
  xdotool type --delay 50 "$1"
  click "$main" 228 208
}
# "終了" (304,288 57x25) ends the program, with no question.
quit_program() {
  click "$main" 332 300
  wait_for 20 eval '! kill -0 "$pid" 2>/dev/null' || fail "終了 did not end the program"
  local status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the program exited with $status"
  [ -z "${wine[*]}" ] || [ "$(messages | wc -l)" -eq "$seen" ] || fail "more message boxes than answered"
}

# FOLDER/NAME holds the page set the core writes for NAME (UTF-8) and the
# video extension EXT (.wmv if not given), byte for byte, and nothing else.
expect_page_set() {
  local expected="$scratch/expected"
  rm -rf "$expected" && mkdir "$expected"
  local where="$expected"
  [ -z "${wine[*]}" ] || where=$(winepath -w "$expected")
  "${wine[@]}" "$core" "$where" "$2" "${3:-.wmv}" </dev/null >/dev/null 2>&1 || fail "the core did not write $2"
  diff -r "$expected/$2" "$1/$2" >/dev/null || fail "$1/$2 is not the page set the core writes"
}

# The worked example, by clicks.
create bb
answer '保存しました。'
expect_page_set "$dir" bb
listing() { ls -A "$1" | LC_ALL=C sort | paste -sd ' '; }
[ "$(listing "$dir")" = "$(printf '%s\n' bb popolun-help.html "$exe" | LC_ALL=C sort | paste -sd ' ')" ] ||
  fail "the folder holds: $(listing "$dir")"
quit_program

# Started with a video, as a file manager starts it for a file dropped on
# the program: its name and extension are filled in.
video='運動会２０２６ 午前'
mkdir "$scratch/videos"
: > "$scratch/videos/$video.mp4"
argument="$scratch/videos/$video.mp4"
[ -z "${wine[*]}" ] || argument=$(LC_ALL=C.UTF-8 winepath -w "$argument")
start_program "$argument"
click "$main" 228 208
answer '保存しました。'
expect_page_set "$dir" "$video" .mp4
quit_program

# A program folder more than 300 characters deep still takes page sets.
program_dir="$scratch/deep"
while [ "${#program_dir}" -le 300 ]; do program_dir="$program_dir/$(printf '%040d' 0)ホーム"; done
mkdir -p "$program_dir"
cp "$program" "$program_dir/"
start_program
create kk
answer '保存しました。'
expect_page_set "$program_dir" kk
quit_program

# The Windows program started on screens of 120, 144 and 192 dpi: its
# windows at the size the layout has at that dpi, and clicks at the scaled
# points reach their controls.
if [ -n "${wine[*]}" ]; then
  for dpi in 120 144 192; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
    start_program
    [ "$(size_of "$main")" = "$(((434 * dpi + 48) / 96))x$(((323 * dpi + 48) / 96))" ] ||
      fail "at $dpi dpi the main window's client area is $(size_of "$main")"
    click "$main" 228 208 # "一発作成" with no name
    answer '記入しましょう。'
    click "$main" 384 300 # "設定"
    timeout 30 xdotool search --sync --onlyvisible --name '設定$' >/dev/null || fail "no settings window at $dpi dpi"
    quit_program
  done
  dpi=96
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f </dev/null >/dev/null 2>&1
fi

# A read-only program folder: refused, and nothing is created. File modes do
# not stop root, so root gets a read-only mount of it in a namespace of its
# own, where a new Wine server starts too (the server creates the files).
# Where no mount namespace can be made (a container without the privilege),
# that case alone is skipped.
program_dir="$scratch/read-only"
mkdir "$program_dir"
cp "$program" "$program_dir/"
read_only=(sh -c 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" && exec "$@"' "$program_dir")
skipped=""
if [ "$(id -u)" -ne 0 ]; then
  chmod a-w "$program_dir"
elif ! why=$(unshare -m "${read_only[@]}" true 2>&1); then
  skipped="the read-only folder (as root only a read-only mount stops writing, and no mount namespace can be made here: ${why:-unshare failed})"
else
  if [ -n "${wine[*]}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    timeout 10 wineserver -w >/dev/null 2>&1 || true
  fi
  wrap=(unshare -m "${read_only[@]}")
fi
if [ -z "$skipped" ]; then
  start_program
  create bb
  # Wine tells a read-only mount as a folder without write permission, as Windows does a read-only folder.
  answer 'フォルダー「*[\\/]bb」を作成できませんでした。書き込む権限がありません。何も作成していません。'
  [ "$(listing "$program_dir")" = "$exe" ] || fail "the read-only folder holds: $(listing "$program_dir")"
  quit_program
  echo "session: 1 passed, 0 failed"
else
  echo "session: skipped $skipped"
  echo "session: 1 passed, 0 failed, 1 case skipped"
fi
