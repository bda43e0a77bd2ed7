#!/usr/bin/env bash
# Start-up: the password-change mode ends cleanly, and a handle that is not
# an integer text ends the process after the error box.
source "$(dirname "$0")/../lib.sh"
use_wine
start_xvfb 800x600
SCR="$1"
WINTOOL="$BUILD_DIR/tests/win32_tools/wintool.exe"
wineserver -w

note "password change"
wine "$SCR" /a 1234 &
pid=$!
wait_exit "$pid" 30 || fail "/a 1234 did not end"
[ "$EXIT_CODE" = 0 ] || fail "/a 1234: exit code $EXIT_CODE"
[ -z "$(xdotool search --onlyvisible --name . 2>/dev/null)" ] || fail "/a 1234 left a window"

# arguments | the text that is no integer (the colon form comes from the
# upper-cased first argument)
cases=(
  "/p|"
  "/l:12x|12X"
)
for case in "${cases[@]}"; do
  IFS='|' read -r arguments text <<<"$case"
  note "start-up error for $arguments"
  wine "$SCR" $arguments &
  pid=$!
  wait_until 30 find_window '^Brisander$' || fail "$arguments: no error box titled Brisander"
  # The box's controls: the error icon, the text, OK.
  wine "$WINTOOL" texts Brisander | tr -d '\r' >"$WORK_DIR/box.txt"
  grep -qx "Static 0x[0-9A-F]*3 " "$WORK_DIR/box.txt" || fail "$arguments: no icon in $(cat "$WORK_DIR/box.txt")"
  grep -q "^Button 0x[0-9A-F]* OK$" "$WORK_DIR/box.txt" || fail "$arguments: no OK button"
  grep -qx "Static 0x[0-9A-F]* '$text' ist kein gültiger Integerwert\\." "$WORK_DIR/box.txt" ||
    fail "$arguments: box text $(cat "$WORK_DIR/box.txt")"
  kill -0 "$pid" 2>/dev/null || fail "$arguments: the process did not wait for the box"
  eval "$(xdotool getwindowgeometry --shell "$(find_window '^Brisander$')")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
  wait_exit "$pid" 10 || fail "$arguments: the process did not end after OK"
  [ "$EXIT_CODE" = 1 ] || fail "$arguments: exit code $EXIT_CODE"
done
