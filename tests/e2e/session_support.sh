# Shared by the end-to-end tests (sourced): a private X server and the page
# set checks. The sourcing script defines fail.

# Starts Xvfb with its display number written into DIR/display; sets xvfb
# (its pid) and DISPLAY.
start_xvfb() {
  exec 3> "$1/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  xvfb=$!
  exec 3>&- # nothing started later keeps it open
  for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.05; done
  [ -s "$1/display" ] || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$1/display")"
  unset WAYLAND_DISPLAY
}

sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
crlf=$'\r\n'

expect_file() {
  [ -f "$1" ] || fail "missing $1"
  cmp -s "$1" <(printf '%s' "$2") || { od -c "$1" | head -20 >&2; fail "$1 differs"; }
}

# FOLDER/NAME holds the page set for NAME (UTF-8) and the video extension EXT
# (.wmv if not given), with the settings untouched, byte for byte, and nothing else.
expect_page_set() {
  local dir="$1/$2" name ext="${3:-.wmv}"
  name=$(sjis "$2")
  expect_file "$dir/$2.asx" "<ASX Version =\"3.0\"><Entry>$crlf<Ref href =\"./$name$ext\"></Entry></ASX>$crlf"
  expect_file "$dir/$2.htm" "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>$crlf<P align=\"center\"><B><A href=\"./$name.asx\" target=\"_self\">$(sjis 'ここをクリックしてください。')</A></B></P>$crlf'</BODY></HTML>$crlf"
  local head="<html><head><title>enbedsampl</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">$crlf</head><body bgcolor=\"#FFFFFF\" text=\"#000000\">$crlf"
  expect_file "$dir/${2}01.htm" "$head<OBJECT ID=\"Player\" width=\"320\" height=\"304\"CLASSID=\"CLSID:6BF52A52-394A-11d3-B153-00C04F79FAA6\">$crlf<PARAM name=\"autoStart\" value=\"false\">$crlf<PARAM name=\"URL\" value=\"./$name.asx\">$crlf<embed src=\"./$name.asx\" autostart=\"false\" width=320 height=304></embed></OBJECT>$crlf</body></html>$crlf$crlf"
  [ "$(ls -A "$dir" | wc -l)" -eq 3 ] || fail "$dir holds more than its three files"
}

# FOLDER/bb holds the worked example.
expect_worked_example() {
  expect_page_set "$1" bb
  [ "$(stat -c %s "$1/bb/bb.asx" "$1/bb/bb.htm" "$1/bb/bb01.htm" | paste -sd ' ')" = '67 156 432' ] || fail "worked example sizes"
}
