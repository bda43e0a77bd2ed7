#!/usr/bin/env bash
# The preview (/p <window>): the show runs inside the host window, at its
# size, and ends cleanly when the host goes away or on a key. A window id
# that names no window ends the process at once, with nothing touched; with
# no host (0) the show is a plain window at its design bounds.
source "$(dirname "$0")/slideshow.bash"
start_xvfb 800x600

# Focuses the show's window and presses a key.
press_key_in_show() {
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^brisander$' | head -n1)"
  xdotool key a
}

# name | what ends the show
cases=(
  "the host goes away|kill \$host_pid"
  "a key|press_key_in_show"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name action <<<"$entry"
  note "inside a host window: $name"
  fresh_show "host-${name// /-}"
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
  if [ "$name" = "the host goes away" ]; then
    sleep 3.5  # the wipe from the blank page
    shows_photo 320 240 41 31 || fail "the host does not show $(basename "$PHOTO")"
  fi
  eval "$action"
  check_clean_end
  kill "$host_pid" 2>/dev/null || true
  wait_until 5 sh -c '! xdotool search --onlyvisible --class xmessage' || fail "the host stays"
done

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
press_key_in_show
check_clean_end
echo "all cases passed"
