#!/usr/bin/env bash
# A show killed outright leaves its changes behind; the next show must still
# put the navigation sound path back as it was, without any marker.
source "$(dirname "$0")/faults.bash"
start_xvfb 800x600

fresh_show killed
start_show /s
wait_first_slide
check_store_during_show
kill -KILL "$SHOW_PID"
wait_exit "$SHOW_PID" 5 || fail "the killed show stays"
[ "$(stored "$SOUND_KEY" "")" = "$SOUND_PATH[deactivated]" ] || fail "sound after the kill: $(stored "$SOUND_KEY" "")"
left_behind="$(scratch_files | sort)"

note "a second show after the kill"
start_show /s
wait_until 10 picture_pages 2 ||
  fail "the second show wrote no picture page"
[ "$(stored "$SOUND_KEY" "")" = "$SOUND_PATH[deactivated][deactivated]" ] ||
  fail "sound during the second show: $(stored "$SOUND_KEY" "")"
kill -TERM "$SHOW_PID"
wait_exit "$SHOW_PID" 5 || fail "the second show did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
[ "$(stored "$SOUND_KEY" "")" = "$SOUND_PATH" ] || fail "sound not restored: $(stored "$SOUND_KEY" "")"
# The second show found the transitions on, so it leaves them on.
[ "$(stored "$BROWSER_KEY" Page_Transitions)" = 0x1 ] || fail "page transitions changed"
[ "$(scratch_files | sort)" = "$left_behind" ] || fail "the second show left files: $(scratch_files | tr '\n' ' ')"
echo "passed"
