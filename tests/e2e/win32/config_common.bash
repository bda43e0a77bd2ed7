# Shared steps of the configuration dialog's end-to-end tests under Wine
# (sourced; $1 of the test is Brisander.scr).

source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

SCR="$1"
KEY='HKCU\Software\Quennick\Quennick - Marrowdale'
CAPTION='Quennick - Marrowdale'
PICTURES="$E2E_DIR/../../src/resources/pictures"

use_wine
start_xvfb 1024x768

reset_setting() { wine reg delete "$KEY" /f >/dev/null 2>&1 || true; }
key_exists() { wine reg query "$KEY" >/dev/null 2>&1; }
store_setting() {  # type data
  wine reg add "$KEY" /v Effect /t "$1" /d "$2" /f >/dev/null 2>&1 || fail "cannot store $1 $2"
}
# The stored "Effect" as reg shows it (REG_DWORD in hex, e.g. 0x17), or
# "missing".
stored_effect() {
  local line
  line=$(wine reg query "$KEY" /v Effect 2>/dev/null | tr -d '\r' | awk '$1 == "Effect" {print $2 " " $3}')
  case "$line" in
    REG_DWORD*) echo "${line#REG_DWORD }" ;;
    "") echo missing ;;
    *) echo "$line" ;;
  esac
}

# Starts the screen saver with the given arguments; sets DIALOG_PID.
start_scr() {
  wine "$SCR" "$@" >"$WORK_DIR/scr.log" 2>&1 &
  DIALOG_PID=$!
  at_exit "kill $DIALOG_PID 2>/dev/null"
}

# Waits for the visible window with that exact title; sets WINDOW.
wait_window() {
  wait_until 30 find_window "^$1\$" || { keep_screenshot; cat "$WORK_DIR/scr.log" >&2; fail "no window \"$1\""; }
  WINDOW=$(find_window "^$1\$")
  sleep 0.5  # let it finish painting
}

# The screen at a failure, kept in the build folder for a look.
keep_screenshot() {
  screenshot "$BUILD_DIR/$(basename "$0" .sh)-failed.png"
  echo "screen kept in $BUILD_DIR/$(basename "$0" .sh)-failed.png" >&2
}

keys() { xdotool key --delay 150 "$@"; sleep 0.3; }

# The screen position of the dialog's client area (513 x 401 at 96 dots per
# inch) into CX, CY. Whether Wine draws the frame into the X window depends
# on the prefix; the frame is as wide on the left, right and bottom.
client_origin() {
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
  local border=$(((WIDTH - 513) / 2))
  CX=$((X + border))
  CY=$((Y + HEIGHT - 401 - border))
}

# Clicks at a point of the window's client area (layout pixels).
click_at() {
  client_origin
  xdotool mousemove $((CX + $1)) $((CY + $2)) click 1
  sleep 0.3
}

# Ends the test unless the process ends with exit code 0.
expect_exit_0() {
  wait_exit "$DIALOG_PID" 20 || { keep_screenshot; fail "the dialog is still open"; }
  [ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE"
}

# True when a 30 x 30 patch of a picture file, taken at (px, py) of the
# picture, is on screen where the picture's control should show it: at
# (left, top) of the active page, which lies a few pixels inside the page
# control at 5, 5 of the client area (the tab row's height is the
# system's, hence the search). Sets PAGE_X, PAGE_Y: the page's screen
# position as found.
page_shows() {  # picture left top px py
  local picture="$1" left="$2" top="$3" px="$4" py="$5"
  client_origin
  local x=$((CX + 5 + left + px - 4)) y=$((CY + 5 + top + py - 4)) size=90
  screenshot "$WORK_DIR/screen.png"
  convert "$WORK_DIR/screen.png" -crop "${size}x$size+$x+$y" +repage "$WORK_DIR/region.png"
  convert "$picture" -crop "30x30+$px+$py" +repage "$WORK_DIR/patch.png"
  local found score at
  found=$(compare -metric RMSE -subimage-search "$WORK_DIR/region.png" "$WORK_DIR/patch.png" null: 2>&1 | head -n1)
  score=$(sed -n 's/.*(\([0-9.e-]*\)).*/\1/p' <<<"$found")
  at=$(sed -n 's/.*@ \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$found")
  [ -n "$score" ] && [ -n "$at" ] && awk -v s="$score" 'BEGIN { exit !(s < 0.06) }' || return 1
  read -r fx fy <<<"$at"
  PAGE_X=$((x + fx - left - px))
  PAGE_Y=$((y + fy - top - py))
}

# Which page is in front, told by its picture.
expect_page() {
  case "$1" in
    Options) page_shows "$PICTURES/info-105.jpg" 16 74 40 20 ;;  # Image1
    Links) page_shows "$PICTURES/links.jpg" 4 8 400 150 ;;        # Image2
    About) page_shows "$PICTURES/logo.bmp" 344 100 35 35 ;;       # Image10
    Tips) page_shows "$PICTURES/tips.jpg" 4 8 60 220 ;;           # Image14
  esac || { keep_screenshot; fail "page \"$1\" is not in front"; }
}
