#!/usr/bin/env bash
# The preview: the show as a child of a host window, ended by a key that
# reaches it, by a close message or by the host's closing; and the preview
# without a usable host.
source "$(dirname "$0")/../lib.sh"
use_wine
start_xvfb 800x600
source "$(dirname "$0")/show.bash"

start_host() {
  wine "$WINTOOL" host 200 150 >"$WORK_DIR/host.txt" &
  host_pid=$!
  wait_until 20 test -s "$WORK_DIR/host.txt" || fail "the host window did not start"
  host="$(tr -d '\r' <"$WORK_DIR/host.txt")"
}

key() {
  # A click gives the preview the keyboard; the key then ends it.
  eval "$(xdotool getwindowgeometry --shell "$(find_window '^Preview host$')")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  sleep 0.5
  xdotool key space
}
close() {
  # A minimize command only hides the window; the show goes on.
  wintool minimize "$window"
  wait_until 5 sh -c "wine '$WINTOOL' info $window | grep -q visible=0" || fail "minimize did not hide the window"
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "minimize ended the show"
  wintool close "$window"
}
host_closes() { wintool close "$host"; }

at_exit 'kill "${pid:-}" "${host_pid:-}" 2>/dev/null'
start_host
host_size="$(info_value "$host" size)"
for way in key close host_closes; do
  note "preview ended by $way"
  prepare_settings
  wine "$SCR" /p "$host" &
  pid=$!
  window="$(wait_show_window)"
  wait_first_slide
  expect_settings_changed
  expect_picture_page "${host_size%x*}" "${host_size#*x}"
  wintool info "$window" >"$WORK_DIR/info.txt"
  for expected in "parent=$host" style=0x50000000 position=0,0 "size=$host_size" captured=0; do
    grep -qx "$expected" "$WORK_DIR/info.txt" || fail "not $expected: $(cat "$WORK_DIR/info.txt")"
  done
  [ "$(wintool running)" = 0 ] || fail "a preview set the running flag"

  "$way"
  wait_exit "$pid" 2 || fail "the preview did not end within 2 seconds after $way"
  [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after $way"
  expect_settings_restored
done

note "preview without a host: a plain window of the design size"
prepare_settings
wine "$SCR" 0 &
pid=$!
window="$(wait_show_window)"
wait_first_slide
[ "$(info_value "$window" parent)" = 0 ] && [ "$(info_value "$window" size)" = 720x664 ] ||
  fail "not a plain window of 720x664: $(wintool info "$window")"
wintool close "$window"
wait_exit "$pid" 2 || fail "the hostless preview did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
expect_settings_restored

note "preview in a host that has gone"
wait_exit "$host_pid" 10 || fail "the host window did not close"
prepare_settings
wine "$SCR" /p "$host" &
pid=$!
wait_exit "$pid" 10 || fail "the preview of a gone host did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
expect_settings_untouched
