# Shared steps of the configuration dialog's end-to-end tests (bash).
# Source it with the executable's path as $1.

source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

BRISANDER="$(realpath "$1")"
REG="$BUILD_DIR/tools/brisander-reg"
SETTINGS_KEY='HKCU\Software\Quennick\Quennick - Marrowdale'
CAPTION="Quennick - Marrowdale"
PICTURES="$E2E_DIR/../../src/resources/pictures"
[ -x "$REG" ] || fail "no brisander-reg at $REG"

# A new, empty store for the next case.
fresh_store() {
  export BRISANDER_REGISTRY="$WORK_DIR/store-$1.sqlite"
  rm -f "$BRISANDER_REGISTRY"
}

store_effect() { "$REG" add "$SETTINGS_KEY" /v Effect /t "$1" /d "$2" /f >/dev/null; }

# The stored value as "TYPE DATA" (for example "REG_DWORD 0x17"), or "none".
stored_effect() {
  local value
  value="$("$REG" query "$SETTINGS_KEY" /v Effect 2>/dev/null | awk '$1 == "Effect" { print $2, $3 }')"
  echo "${value:-none}"
}

key_exists() { "$REG" query "$SETTINGS_KEY" >/dev/null 2>&1; }

# Starts the executable with the given arguments; DIALOG_PID is its id.
start_brisander() {
  "$BRISANDER" "$@" >"$WORK_DIR/brisander.log" 2>&1 &
  DIALOG_PID=$!
  at_exit "kill $DIALOG_PID 2>/dev/null"
}

# Waits for a visible window of exactly that title and gives it the
# keyboard; WINDOW is its id.
focus_window() {
  wait_until 20 find_window "^$1\$" || fail "no window titled \"$1\""
  WINDOW="$(find_window "^$1\$")"
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
  sleep 0.3
}

press() {
  local key
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.15
  done
}

# Waits for the process to end and checks its exit code.
expect_exit() {
  wait_exit "$DIALOG_PID" 10 || fail "brisander did not end: $(cat "$WORK_DIR/brisander.log")"
  [ "$EXIT_CODE" = "$1" ] || fail "exit code $EXIT_CODE, expected $1"
}

# True when the window shows a 64x64 piece of the picture at (X, Y) of the
# picture, with the picture's top left corner at (LEFT, TOP) of the window
# (give or take 10 pixels).
window_shows_picture() {
  local window="$1" picture="$2" x="$3" y="$4" left="$5" top="$6"
  local shot="$WORK_DIR/window.png" patch="$WORK_DIR/patch.png" region="$WORK_DIR/region.png"
  import -display "$DISPLAY" -window "$window" "$shot"
  convert "$picture" -crop "64x64+$x+$y" +repage "$patch"
  convert "$shot" -crop "84x84+$((left + x - 10))+$((top + y - 10))" +repage "$region"
  local error
  error="$(compare -metric RMSE -subimage-search "$region" "$patch" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p' | head -n1)"
  [ -n "$error" ] && awk -v e="$error" 'BEGIN { exit !(e < 0.02) }'
}

# The "Tips" page is in front: its picture lies at (4, 8) of the page, the
# page about (7, 30) of the window.
shows_tips_page() { window_shows_picture "$1" "$PICTURES/tips.jpg" 40 180 11 38; }
