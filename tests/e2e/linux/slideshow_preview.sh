#!/usr/bin/env bash
# The preview (/p <window>): the show runs inside the host window, at its
# size, and ends cleanly when the host goes away. A window id that names no
# window ends the process at once, with nothing touched; with no host (0)
# the show is a plain window at its design bounds, which a key closes.
source "$(dirname "$0")/slideshow.bash"
start_xvfb 800x600

note "inside a host window"
fresh_show host
xmessage -geometry 320x240+40+30 host 2>/dev/null &
host_pid=$!
at_exit "kill $host_pid 2>/dev/null"
wait_until 10 xdotool search --onlyvisible --class xmessage || fail "the host window did not open"
host="$(xdotool search --onlyvisible --class xmessage | head -n1)"
start_show /p "$host"
wait_first_slide
check_store_during_show
check_picture_page 320 240
xwininfo -children -id "$host" | grep -q '"brisander": .* 320x240+0+0 ' ||
  fail "no 320x240 child at (0, 0) in the host: $(xwininfo -children -id "$host")"
sleep 3.5  # the wipe from the blank page
shows_photo 320 240 41 31 || fail "the host does not show $(basename "$PHOTO")"
kill "$host_pid"
check_clean_end

note "a window id that names no window"
fresh_show nowhere
start_show /p 0x3fffffe
wait_exit "$SHOW_PID" 5 || fail "the preview without a window did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
[ "$(store_dump)" = "$STORE_BEFORE" ] || fail "store changed: $(store_dump)"
[ -z "$(scratch_files)" ] || fail "scratch files written: $(scratch_files | tr '\n' ' ')"

note "no host"
fresh_show plain
start_show /p 0
wait_first_slide
check_picture_page 720 664
window="$(xdotool search --onlyvisible --name '^brisander$' | head -n1)"
xwininfo -id "$window" | grep -q -- '-geometry 720x664+774+365' ||
  fail "plain window not at its design bounds: $(xwininfo -id "$window")"
xdotool windowfocus --sync "$window"
xdotool key a
check_clean_end
echo "all cases passed"
