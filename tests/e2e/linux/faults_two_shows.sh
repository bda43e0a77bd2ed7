#!/usr/bin/env bash
# A preview and a full-screen show run at the same time in two processes
# and end in either order. The first to end puts the sound path back in
# full; the transitions setting is put back by the preview, which started
# first and so found it off. In the end the store is as before.
source "$(dirname "$0")/faults.bash"
start_xvfb 800x600

# name | the show that ends first | the transitions setting after that
cases=(
  "preview first|PREVIEW_PID|0x0"
  "full screen first|FULL_PID|0x1"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name first transitions <<<"$entry"
  note "$name"
  fresh_show "${name// /-}"
  xmessage -geometry 320x240+40+30 host 2>/dev/null &
  host_pid=$!
  at_exit "kill $host_pid 2>/dev/null"
  wait_until 10 xdotool search --onlyvisible --class xmessage || fail "the host window did not open"
  start_show /p "$(xdotool search --onlyvisible --class xmessage | head -n1)"
  PREVIEW_PID=$SHOW_PID
  wait_until 10 picture_pages 1 ||
    fail "the preview shows no picture"
  start_show /s
  FULL_PID=$SHOW_PID
  wait_until 10 picture_pages 2 ||
    fail "the full-screen show shows no picture"
  [ "$(stored "$SOUND_KEY" "")" = "$SOUND_PATH[deactivated][deactivated]" ] ||
    fail "sound during both shows: $(stored "$SOUND_KEY" "")"
  [ "$(stored "$BROWSER_KEY" Page_Transitions)" = 0x1 ] || fail "page transitions not on"

  if [ "$first" = PREVIEW_PID ]; then second=$FULL_PID; else second=$PREVIEW_PID; fi
  kill -TERM "${!first}"
  wait_exit "${!first}" 5 || fail "the first show did not end"
  [ "$EXIT_CODE" = 0 ] || fail "first show: exit code $EXIT_CODE"
  kill -0 "$second" 2>/dev/null || fail "the second show ended too"
  [ "$(stored "$SOUND_KEY" "")" = "$SOUND_PATH" ] || fail "sound after the first end: $(stored "$SOUND_KEY" "")"
  [ "$(stored "$BROWSER_KEY" Page_Transitions)" = "$transitions" ] ||
    fail "page transitions after the first end: $(stored "$BROWSER_KEY" Page_Transitions)"

  kill -TERM "$second"
  wait_exit "$second" 5 || fail "the second show did not end"
  [ "$EXIT_CODE" = 0 ] || fail "second show: exit code $EXIT_CODE"
  [ "$(store_dump)" = "$STORE_BEFORE" ] || fail "store not restored: $(store_dump)"
  [ -z "$(scratch_files)" ] || fail "scratch files left: $(scratch_files | tr '\n' ' ')"
  kill "$host_pid" 2>/dev/null || true
  wait_until 5 sh -c '! xdotool search --onlyvisible --class xmessage' || fail "the host stays"
done
echo "all cases passed"
