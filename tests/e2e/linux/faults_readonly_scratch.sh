#!/usr/bin/env bash
# The page file is made read-only during the show, so the next slide cannot
# write it. In a preview the error box reports it and the show goes on; the
# full-screen show ends, as the box takes the focus from it. Either way the
# settings are back at the end and the read-only file is removed as well.
source "$(dirname "$0")/faults.bash"
start_xvfb 800x600
run_as_unprivileged_user

note "preview"
fresh_show_of_user preview
xmessage -geometry 320x240+40+30 host 2>/dev/null &
host_pid=$!
at_exit "kill $host_pid 2>/dev/null"
wait_until 10 xdotool search --onlyvisible --class xmessage || fail "the host window did not open"
start_show /p "$(xdotool search --onlyvisible --class xmessage | head -n1)"
wait_first_slide
check_store_during_show
remember_show_windows
chmod 0400 "$PAGE"
confirm_error_box 15
sleep 0.5
kill -0 "$SHOW_PID" 2>/dev/null || fail "the preview ended after the error"
[ "$(stat -c %a "$PAGE")" = 400 ] || fail "the page file was replaced"
kill -TERM "$SHOW_PID"
check_clean_end
kill "$host_pid"

note "full screen"
fresh_show_of_user full-screen
start_show /s
wait_first_slide
check_store_during_show
chmod 0400 "$PAGE"
# The next slide comes 6.1 to 9 seconds after the first.
wait_exit "$SHOW_PID" 15 || fail "the show did not end after the error"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
[ "$(store_dump)" = "$STORE_BEFORE" ] || fail "store not restored: $(store_dump)"
[ -z "$(scratch_files)" ] || fail "scratch files left: $(scratch_files | tr '\n' ' ')"
echo "all cases passed"
