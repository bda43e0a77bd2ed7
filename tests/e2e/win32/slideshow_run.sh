#!/usr/bin/env bash
# The full-screen show: its window, the settings it changes and restores,
# its scratch files, and the ways a user or the system ends it.
source "$(dirname "$0")/../lib.sh"
use_wine
start_xvfb 800x600
source "$(dirname "$0")/show.bash"

WS_POPUP=$((0x80000000)) WS_MAXIMIZE=$((0x01000000)) WS_EX_TOPMOST=$((0x8)) WS_EX_TOOLWINDOW=$((0x80))

key() { xdotool key space; }
mouse() {
  # 5 pixels on both axes are tolerated; the sixth on one axis is not.
  xdotool mousemove 405 305
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "a move of 5 pixels ended the show"
  xdotool mousemove 406 305
}
close() { wintool close "$window"; }
session_ends() { wineboot --end-session; }

# way of ending | Wine's DLL overrides | the screen's one colour (empty:
# any). Under the tests' Wine the browser control has no HTML engine and
# paints its own colour; without the control the window shows black.
cases=(
  "key|$WINEDLLOVERRIDES|"
  "mouse|$WINEDLLOVERRIDES|"
  "close|$WINEDLLOVERRIDES|"
  "session_ends|$WINEDLLOVERRIDES|"
  "key|$WINEDLLOVERRIDES;ieframe=|000000"
)
at_exit 'kill "${pid:-}" 2>/dev/null'
for case in "${cases[@]}"; do
  IFS='|' read -r way overrides colour <<<"$case"
  note "ending by $way, DLL overrides $overrides"
  prepare_settings
  xdotool mousemove 400 300
  WINEDLLOVERRIDES="$overrides" wine "$SCR" /s &
  pid=$!
  window="$(wait_show_window)"
  wait_first_slide
  expect_settings_changed
  expect_picture_page 800 600

  [ "$(info_value "$window" position)" = 0,0 ] && [ "$(info_value "$window" size)" = 800x600 ] ||
    fail "the window does not cover the screen: $(wintool info "$window")"
  style=$(info_value "$window" style) exstyle=$(info_value "$window" exstyle)
  (( (style & WS_POPUP) && (style & WS_MAXIMIZE) && (exstyle & WS_EX_TOPMOST) )) ||
    fail "not a maximized topmost popup: style $style, extended $exstyle"
  (( $(info_value "$window" owner_exstyle) & WS_EX_TOOLWINDOW )) || fail "the application keeps its taskbar entry"
  [ "$(info_value "$window" captured)" = 1 ] || fail "the mouse is not captured"
  [ "$(wintool running)" = 1 ] || fail "the running flag is not set"
  # One colour from edge to edge: no desktop, frame or scroll bar shows.
  screenshot "$WORK_DIR/show.png"
  [ "$(convert "$WORK_DIR/show.png" -format %k info:)" = 1 ] || fail "the screen is not covered evenly"
  if [ -n "$colour" ]; then
    shown="$(convert "$WORK_DIR/show.png" -format '%[hex:p{0,0}]' info:)"
    [ "${shown:0:6}" = "$colour" ] || fail "the screen shows $shown, not $colour"
  fi

  "$way"
  wait_exit "$pid" 2 || fail "the show did not end within 2 seconds after $way"
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after $way"
  expect_settings_restored
  [ "$(wintool running)" = 0 ] || fail "the running flag is still set"
done
