#!/usr/bin/env bash
# A preview and a full-screen show run at the same time in two processes
# and end in either order. The first to end puts the sound path back in
# full; the transitions setting is put back by the preview, which started
# first and so found it off. In the end the settings are as before.
source "$(dirname "$0")/../lib.sh"
use_wine
start_xvfb 800x600
source "$(dirname "$0")/show.bash"

# At least $1 picture pages are in the temporary folder.
picture_pages() { [ "$(grep -ls '<img' "$TEMP_UNIX"/ins*.htm | wc -l)" -ge "$1" ]; }
end_preview() { wintool close "$host"; }
end_full_screen() { xdotool key space; }

at_exit 'kill "${preview_pid:-}" "${full_pid:-}" "${host_pid:-}" 2>/dev/null'
# the show that ends first | the transitions setting after that
cases=(
  "preview|0x0"
  "full_screen|0x1"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r first transitions <<<"$entry"
  note "the $first ends first"
  prepare_settings
  wine "$WINTOOL" host 200 150 >"$WORK_DIR/host-$first.txt" &
  host_pid=$!
  wait_until 20 test -s "$WORK_DIR/host-$first.txt" || fail "the host window did not start"
  host="$(tr -d '\r' <"$WORK_DIR/host-$first.txt")"
  wine "$SCR" /p "$host" &
  preview_pid=$!
  wait_until 20 picture_pages 1 || fail "the preview shows no picture"
  xdotool mousemove 400 300
  wine "$SCR" /s &
  full_pid=$!
  wait_until 20 picture_pages 2 || fail "the full-screen show shows no picture"
  [ "$(reg_value "$SOUND_KEY" "")" = "$SOUND[deactivated][deactivated]" ] ||
    fail "sound during both shows: $(reg_value "$SOUND_KEY" "")"
  [ "$(reg_value "$MAIN_KEY" Page_Transitions)" = 0x1 ] || fail "page transitions not on"

  if [ "$first" = preview ]; then
    first_pid=$preview_pid second_pid=$full_pid second=full_screen
  else
    first_pid=$full_pid second_pid=$preview_pid second=preview
  fi
  "end_$first"
  wait_exit "$first_pid" 5 || fail "the $first did not end"
  [ "$EXIT_CODE" = 0 ] || fail "the $first: exit code $EXIT_CODE"
  kill -0 "$second_pid" 2>/dev/null || fail "the $second ended too"
  [ "$(reg_value "$SOUND_KEY" "")" = "$SOUND" ] || fail "sound after the first end: $(reg_value "$SOUND_KEY" "")"
  [ "$(reg_value "$MAIN_KEY" Page_Transitions)" = "$transitions" ] ||
    fail "page transitions after the first end: $(reg_value "$MAIN_KEY" Page_Transitions)"

  "end_$second"
  wait_exit "$second_pid" 5 || fail "the $second did not end"
  [ "$EXIT_CODE" = 0 ] || fail "the $second: exit code $EXIT_CODE"
  expect_settings_restored
  wait_exit "$host_pid" 5 || kill "$host_pid"
done
echo "all cases passed"
