# Shared steps of the slideshow's end-to-end tests (bash). Source it with
# the executable's path as $1. Every show runs with a store and a private
# scratch folder of its own.

source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"

BRISANDER="$(realpath "$1")"
REG="$BUILD_DIR/tools/brisander-reg"
PICTURES="$E2E_DIR/../../src/resources/pictures"
SETTINGS_KEY='HKCU\Software\Quennick\Quennick - Marrowdale'
BROWSER_KEY='HKCU\Software\Microsoft\Internet Explorer\Main'
SOUND_KEY='HKCU\AppEvents\Schemes\Apps\Explorer\Navigating\.current'
SOUND_PATH='C:\Windows\Media\Navigation Start.wav'
EFFECT=5
[ -x "$REG" ] || fail "no brisander-reg at $REG"

# A new store with the effect, the page transitions off and a navigation
# sound, and a new private scratch folder.
fresh_show() {
  export BRISANDER_REGISTRY="$WORK_DIR/store-$1.sqlite"
  export BRISANDER_TEMP="$WORK_DIR/scratch-$1"
  rm -rf "$BRISANDER_REGISTRY" "$BRISANDER_TEMP"
  mkdir -m 0700 "$BRISANDER_TEMP"
  "$REG" add "$SETTINGS_KEY" /v Effect /t REG_DWORD /d "$EFFECT" /f >/dev/null
  "$REG" add "$BROWSER_KEY" /v Page_Transitions /t REG_DWORD /d 0 /f >/dev/null
  "$REG" add "$SOUND_KEY" /ve /t REG_SZ /d "$SOUND_PATH" /f >/dev/null
  STORE_BEFORE="$(store_dump)"
}

store_dump() {
  local key
  for key in "$SETTINGS_KEY" "$BROWSER_KEY" "$SOUND_KEY"; do "$REG" query "$key"; done
}

# The data of a value as the query shows it ("" names the default value).
stored() {
  local key="$1" name="$2"
  if [ -z "$name" ]; then
    "$REG" query "$key" /ve | sed -n 's/^ *(Default) *REG_[A-Z_]* *//p'
  else
    "$REG" query "$key" /v "$name" | sed -n "s/^ *$name *REG_[A-Z_]* *//p"
  fi
}

# Starts the executable with the given arguments; SHOW_PID is its id.
start_show() {
  "$BRISANDER" "$@" >"$WORK_DIR/brisander.log" 2>&1 &
  SHOW_PID=$!
  at_exit "kill $SHOW_PID 2>/dev/null"
}

scratch_files() { find "$BRISANDER_TEMP" -mindepth 1 -printf '%f\n'; }
picture_page() { find "$BRISANDER_TEMP" -name 'ins*.htm' -size +300c | head -n1; }
has_picture_page() { [ -n "$(picture_page)" ]; }

# Waits until the first slide's page is written; PAGE is its path.
wait_first_slide() {
  wait_until 10 has_picture_page || fail "no picture page: $(scratch_files | tr '\n' ' ')"
  PAGE="$(picture_page)"
}

# The store shows the show's changes.
check_store_during_show() {
  [ "$(stored "$BROWSER_KEY" Page_Transitions)" = 0x1 ] || fail "page transitions not switched on"
  [ "$(stored "$SOUND_KEY" "")" = "$SOUND_PATH[deactivated]" ] ||
    fail "navigation sound not muted: $(stored "$SOUND_KEY" "")"
}

# The picture page holds, byte for byte, the page of the effect for a
# window of W x H showing the picture file it names, which is a copy of one
# of the photos; PHOTO is that photo.
check_picture_page() {
  local width="$1" height="$2"
  local picture
  picture="$(sed -n 's/.*<img src="\([^"]*\)".*/\1/p' "$PAGE")"
  [ "$(dirname "$picture")" = "$BRISANDER_TEMP" ] || fail "picture outside the scratch folder: $picture"
  [[ "$(basename "$picture")" =~ ^ins[0-9A-F]+\.jpg$ ]] || fail "picture name $picture"
  PHOTO=""
  local photo
  for photo in "$PICTURES"/photo-1*.jpg; do
    cmp -s "$photo" "$picture" && PHOTO="$photo"
  done
  [ -n "$PHOTO" ] || fail "the picture file is none of the photos"

  local size photo_width photo_height
  read -r photo_width photo_height <<<"$(identify -format '%w %h' "$PHOTO")"
  size="$(awk -v w="$width" -v h="$height" -v pw="$photo_width" -v ph="$photo_height" \
    'BEGIN { s = sprintf("%.0f", h / ph * pw); print (s + 0 < w) ? "height=\"100%\"" : "width=\"100%\"" }')"
  local tag="<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=$EFFECT)>"
  printf '%s' "<html><head>$tag</head><body oncontextmenu=\"return false;\"" \
    " style=\"margin-top:0;margin-left:0;margin-bottom:0;margin-right:0\" bgcolor=\"#000000\">" \
    "<table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" width=\"$((width + 1))\"" \
    " height=\"$((height + 1))\" style=\"overflow:hidden\"><tr><td width=\"$width\"" \
    " height=\"$height\" style=\"overflow:hidden\"><div align=\"center\" style=\"overflow:hidden\">" \
    "<img src=\"$picture\" $size></div></td></tr></table></body></html>" >"$WORK_DIR/expected.htm"
  cmp "$WORK_DIR/expected.htm" "$PAGE" || fail "page differs: $(cat "$PAGE")"
}

# The area (W x H at X, Y of the screen) shows the photo fitted into it,
# centred on black, once the transition is over.
shows_photo() {
  local width="$1" height="$2" x="$3" y="$4"
  local shot="$WORK_DIR/shot.png" expected="$WORK_DIR/expected.png"
  screenshot "$shot"
  convert "$shot" -crop "${width}x${height}+$x+$y" +repage "$WORK_DIR/area.png"
  convert "$PHOTO" -resize "${width}x${height}" -background black -gravity center \
    -extent "${width}x${height}" "$expected"
  local error
  error="$(compare -metric RMSE "$WORK_DIR/area.png" "$expected" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')"
  note "screen against photo: RMSE $error"
  [ -n "$error" ] && awk -v e="$error" 'BEGIN { exit !(e < 0.1) }'
}

# The show ended within two seconds with exit code 0, put the store back
# and left no scratch file.
check_clean_end() {
  wait_exit "$SHOW_PID" 2 || fail "the show did not end: $(cat "$WORK_DIR/brisander.log")"
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
  [ "$(store_dump)" = "$STORE_BEFORE" ] || fail "store not restored: $(store_dump)"
  [ -z "$(scratch_files)" ] || fail "scratch files left: $(scratch_files | tr '\n' ' ')"
}
