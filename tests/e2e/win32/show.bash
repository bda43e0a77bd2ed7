# Helpers of the slideshow's end-to-end tests under Wine (bash). Source it
# after lib.sh, use_wine and start_xvfb.

SCR="$1"
# A Wine server left from an earlier test knows that test's display; the
# show must see this one.
wineserver -w
SOURCE_DIR="$(cd "$E2E_DIR/../.." && pwd)"
PHOTO_DIR="$SOURCE_DIR/src/resources/pictures"
WINTOOL="$BUILD_DIR/tests/win32_tools/wintool.exe"
[ -f "$WINTOOL" ] || fail "no $WINTOOL: build the tests first"

OWN_KEY='HKCU\Software\Quennick\Quennick - Marrowdale'
MAIN_KEY='HKCU\Software\Microsoft\Internet Explorer\Main'
SOUND_KEY='HKCU\AppEvents\Schemes\Apps\Explorer\Navigating\.current'
SOUND='C:\ding.wav'
EFFECT=5

wintool() { wine "$WINTOOL" "$@" | tr -d '\r'; }

# The user's temporary folder, as Windows and as Linux see it.
TEMP_WIN="$(wine cmd /c 'echo %TEMP%' | tr -d '\r')"
TEMP_UNIX="$(winepath -u "$TEMP_WIN" | tr -d '\r')"
[ -d "$TEMP_UNIX" ] || fail "no temporary folder: $TEMP_WIN"

scratch_files() { find "$TEMP_UNIX" -maxdepth 1 -name 'ins*' \( -name '*.htm' -o -name '*.jpg' \) | sort; }

# The data of a registry value ("" for the key's default value).
reg_value() {
  local key="$1" name="$2" output
  if [ -z "$name" ]; then output="$(wine reg query "$key" /ve)"; else output="$(wine reg query "$key" /v "$name")"; fi
  printf '%s\n' "$output" | tr -d '\r' | sed -nE 's/^\s+\S.*\s+REG_[A-Z_]+\s+//p'
}

# The settings a show starts from: transitions off, a navigation sound,
# the stored effect, no scratch file.
prepare_settings() {
  wine reg add "$OWN_KEY" /v Effect /t REG_DWORD /d $EFFECT /f >/dev/null
  wine reg add "$MAIN_KEY" /v Page_Transitions /t REG_DWORD /d 0 /f >/dev/null
  wine reg add "$SOUND_KEY" /ve /d "$SOUND" /f >/dev/null
  scratch_files | xargs -r rm -f
}

expect_settings_changed() {
  [ "$(reg_value "$MAIN_KEY" Page_Transitions)" = 0x1 ] || fail "transitions not on during the show"
  [ "$(reg_value "$SOUND_KEY" "")" = "$SOUND[deactivated]" ] ||
    fail "navigation sound not muted: $(reg_value "$SOUND_KEY" "")"
}

expect_settings_restored() {
  [ "$(reg_value "$MAIN_KEY" Page_Transitions)" = 0x0 ] || fail "transitions not off again"
  [ "$(reg_value "$SOUND_KEY" "")" = "$SOUND" ] || fail "sound not restored: $(reg_value "$SOUND_KEY" "")"
  [ -z "$(scratch_files)" ] || fail "scratch files left: $(scratch_files)"
}

expect_settings_untouched() {
  [ "$(reg_value "$MAIN_KEY" Page_Transitions)" = 0x0 ] || fail "transitions changed"
  [ "$(reg_value "$SOUND_KEY" "")" = "$SOUND" ] || fail "sound changed: $(reg_value "$SOUND_KEY" "")"
  [ -z "$(scratch_files)" ] || fail "scratch files made: $(scratch_files)"
}

# The picture page that a window of W x H shows for the photo copy, after
# the page rules: fit by height when the photo scaled to the window's height
# is narrower than the window.
expected_picture_page() {
  local width="$1" height="$2" photo="$3" picture_path="$4"
  local size pw ph scaled attribute
  size="$(identify -format '%w %h' "$photo")"
  pw="${size% *}" ph="${size#* }"
  scaled="$(awk -v w="$pw" -v h="$ph" -v H="$height" 'BEGIN { printf "%.0f", H / h * w }')"
  if [ "$scaled" -lt "$width" ]; then attribute='height="100%"'; else attribute='width="100%"'; fi
  printf '%s' '<html><head><meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition='"$EFFECT"')>' \
    '</head><body oncontextmenu="return false;" style="margin-top:0;margin-left:0;margin-bottom:0;margin-right:0" bgcolor="#000000"><table cellspacing="0" cellpadding="0" border="0" width="' \
    "$((width + 1))" '" height="' "$((height + 1))" '" style="overflow:hidden"><tr><td width="' \
    "$width" '" height="' "$height" '" style="overflow:hidden"><div align="center" style="overflow:hidden">' \
    '<img src="' "$picture_path" '" ' "$attribute" '></div></td></tr></table></body></html>'
}

# The scratch files of a running show of W x H: one photo copy identical to
# an embedded photo, one picture page byte for byte as it must be.
expect_picture_page() {
  local width="$1" height="$2" pages pictures photo
  pages=($(find "$TEMP_UNIX" -maxdepth 1 -name 'ins*.htm'))
  pictures=($(find "$TEMP_UNIX" -maxdepth 1 -name 'ins*.jpg'))
  [ ${#pages[@]} = 1 ] && [ ${#pictures[@]} = 1 ] || fail "scratch files: $(scratch_files)"
  photo=""
  for candidate in "$PHOTO_DIR"/photo-1??.jpg; do
    cmp -s "$candidate" "${pictures[0]}" && photo="$candidate"
  done
  [ -n "$photo" ] || fail "the photo copy is none of the embedded photos"
  expected_picture_page "$width" "$height" "$photo" "$TEMP_WIN\\$(basename "${pictures[0]}")" >"$WORK_DIR/expected.htm"
  cmp "$WORK_DIR/expected.htm" "${pages[0]}" ||
    fail "picture page differs: $(cat "${pages[0]}") expected $(cat "$WORK_DIR/expected.htm")"
}

# A value from `wintool info`.
info_value() { wintool info "$1" | sed -n "s/^$2=//p"; }

# Waits for the show's window; prints its handle.
wait_show_window() {
  wait_until 20 wine "$WINTOOL" find TSchoner || fail "no slideshow window"
  wintool find TSchoner
}

# Waits until the first picture page is written (the 21st tick).
wait_first_slide() {
  wait_until 20 sh -c "grep -qs '<img' '$TEMP_UNIX'/ins*.htm" || fail "no picture page written"
}
