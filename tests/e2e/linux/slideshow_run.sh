#!/usr/bin/env bash
# The full-screen show (/s): it changes the two browser settings, writes the
# page of the chosen effect for the screen and a copy of a photo, shows the
# photo, and ends on input or a termination signal with everything put
# back. A mouse movement of 5 pixels on each axis, the wheel and a button
# release do not end it, nor does a window of another program that opens
# without taking the focus.
source "$(dirname "$0")/slideshow.bash"
start_xvfb 800x600

# Opens a small window of another program, then gives it the focus.
focus_other_window() {
  xmessage -geometry 100x50+0+0 other 2>/dev/null &
  at_exit "kill $! 2>/dev/null"
  wait_until 10 xdotool search --onlyvisible --class xmessage || fail "the other window did not open"
  sleep 0.5
  kill -0 "$SHOW_PID" 2>/dev/null || fail "a window that opened ended the show"
  xdotool windowfocus "$(xdotool search --onlyvisible --class xmessage | head -n1)"
}

# name | what ends the show
cases=(
  "key|xdotool key a"
  "mouse moved 6 pixels|xdotool mousemove 406 300"
  "mouse button|xdotool click 3"
  "another window takes the focus|focus_other_window"
  "termination signal|kill -TERM \$SHOW_PID"
  "interrupt signal|kill -INT \$SHOW_PID"
  "hangup signal|kill -HUP \$SHOW_PID"
)

for entry in "${cases[@]}"; do
  IFS='|' read -r name action <<<"$entry"
  note "$name"
  fresh_show "${name// /-}"
  xdotool mousemove 400 300
  start_show /s
  wait_first_slide
  check_store_during_show
  check_picture_page 800 600
  if [ "$name" = key ]; then
    sleep 3.5  # the wipe from the blank page
    shows_photo 800 600 0 0 || fail "the screen does not show $(basename "$PHOTO")"
  fi
  xdotool mousemove 405 305 click 4 click 5 mouseup 1
  sleep 0.7
  kill -0 "$SHOW_PID" 2>/dev/null || fail "5 pixels, the wheel or a button release ended the show"
  eval "$action"
  check_clean_end
done
echo "all cases passed"
