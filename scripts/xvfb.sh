# Sourced: start_xvfb DIR [WIDTHxHEIGHT] starts a private X server (Xvfb)
# whose display number it writes into DIR/display; sets xvfb (its pid) and
# DISPLAY. The caller kills $xvfb when done.
start_xvfb() {
  exec 3> "$1/display"
  Xvfb -displayfd 3 -screen 0 "${2:-1280x800}x24" -nolisten tcp >/dev/null 2>&1 </dev/null &
  xvfb=$!
  exec 3>&- # nothing started later keeps it open
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.05; done
  [ -s "$1/display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$1/display")"
  unset WAYLAND_DISPLAY
}
