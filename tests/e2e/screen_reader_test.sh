#!/usr/bin/env bash
# Starts the real program in Xvfb on its own session bus with the accessibility
# bus running, shows the settings window, and lets screen_reader.py read both
# windows the way Orca does (AT-SPI).
set -euo pipefail
program="${1:?usage: screen_reader_test.sh PATH/TO/popolun}"
here="$(cd "$(dirname "$0")" && pwd)"

# A session bus of its own, never the desktop's.
if [ -z "${SCREEN_READER_TEST_BUS:-}" ]; then
  exec env SCREEN_READER_TEST_BUS=1 dbus-run-session -- "$0" "$@" 2> >(grep -v "Failed to set fd limit" >&2)
fi

scratch="$(mktemp -d)"
cp "$program" "$scratch/popolun"
exec 3> "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "${pid:-}" "${bus:-}" "$xvfb" 2>/dev/null || true; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$scratch/display")"
unset QT_QPA_PLATFORM

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$scratch/popolun" 2>/dev/null &
pid=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^ポポルン　ベーシック版$' | head -n1)
sleep 0.3
# "設定" (360,288 49x25).
xdotool mousemove --window "$main" 384 300 click 1
timeout 10 xdotool search --sync --onlyvisible --name '設定$' >/dev/null
timeout 30 "$here/screen_reader.py"
