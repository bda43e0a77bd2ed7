#!/usr/bin/env bash
# Start-up: the password-change mode ends cleanly, and a handle that is not
# an integer text ends the process after the error box.
source "$(dirname "$0")/../lib.sh"
start_xvfb 800x600
BIN="$1"

note "password change"
"$BIN" /a 1234 &
pid=$!
wait_exit "$pid" 20 || fail "/a 1234 did not end"
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
  message="'$text' ist kein gültiger Integerwert."
  note "start-up error for $arguments, without a display"
  status=0
  env -u DISPLAY "$BIN" $arguments 2>"$WORK_DIR/stderr.txt" || status=$?
  [ "$status" = 1 ] || fail "$arguments: exit code $status without a display"
  grep -qxF "brisander: $message" "$WORK_DIR/stderr.txt" || fail "$arguments: $(cat "$WORK_DIR/stderr.txt")"

  # The box's label cannot be read back (Qt copies a box's text only on
  # Windows); its title, its error icon and the exit code after OK can.
  note "start-up error for $arguments, in the error box"
  "$BIN" $arguments &
  pid=$!
  wait_until 20 find_window '^brisander$' || fail "$arguments: no error box titled brisander"
  eval "$(xdotool getwindowgeometry --shell "$(find_window '^brisander$')")"
  screenshot "$WORK_DIR/box.png"
  red="$(convert "$WORK_DIR/box.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage -fuzz 25% -fill black \
    +opaque '#e00000' -fill white -opaque '#e00000' -format '%[fx:mean]' info:)"
  awk -v red="$red" 'BEGIN { exit !(red > 0.01) }' || fail "$arguments: the box shows no error icon"
  kill -0 "$pid" 2>/dev/null || fail "$arguments: the process did not wait for the box"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
  wait_exit "$pid" 10 || fail "$arguments: the process did not end after OK"
  [ "$EXIT_CODE" = 1 ] || fail "$arguments: exit code $EXIT_CODE"
done
