#!/usr/bin/env bash
# A show killed outright (SIGKILL, behind the Wine server's back) leaves its
# changes behind; the next show must still put the navigation sound path
# back as it was, without any marker.
source "$(dirname "$0")/../lib.sh"
use_wine
start_xvfb 800x600
source "$(dirname "$0")/show.bash"

prepare_settings
WINEDLLOVERRIDES="$WINEDLLOVERRIDES" wine "$SCR" /s &
pid=$!
at_exit 'kill -KILL "$pid" 2>/dev/null'
wait_show_window >/dev/null
wait_first_slide
expect_settings_changed
kill -KILL "$pid"
wait_exit "$pid" 5 || fail "the killed show stays"
wait_until 10 sh -c "! wine '$WINTOOL' find TSchoner" || fail "the killed show's window stays"
[ "$(reg_value "$SOUND_KEY" "")" = "$SOUND[deactivated]" ] || fail "sound after the kill: $(reg_value "$SOUND_KEY" "")"
left_behind="$(scratch_files)"
[ -n "$left_behind" ] || fail "the killed show left no scratch file"

note "a second show after the kill"
xdotool mousemove 400 300
wine "$SCR" /s &
pid=$!
wait_show_window >/dev/null
wait_until 20 sh -c "[ \$(grep -ls '<img' '$TEMP_UNIX'/ins*.htm | wc -l) -ge 2 ]" ||
  fail "the second show wrote no picture page"
[ "$(reg_value "$SOUND_KEY" "")" = "$SOUND[deactivated][deactivated]" ] ||
  fail "sound during the second show: $(reg_value "$SOUND_KEY" "")"
xdotool key space
wait_exit "$pid" 5 || fail "the second show did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
[ "$(reg_value "$SOUND_KEY" "")" = "$SOUND" ] || fail "sound not restored: $(reg_value "$SOUND_KEY" "")"
# The second show found the transitions on, so it leaves them on.
[ "$(reg_value "$MAIN_KEY" Page_Transitions)" = 0x1 ] || fail "page transitions changed"
[ "$(scratch_files)" = "$left_behind" ] || fail "the second show left files: $(scratch_files)"
scratch_files | xargs -r rm -f
echo "passed"
