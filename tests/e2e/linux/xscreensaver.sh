#!/usr/bin/env bash
# /s as a screen saver of the XScreenSaver daemon: the show fills the window
# named by XSCREENSAVER_WINDOW, leaves the input to the daemon, and ends on
# the daemon's SIGTERM with everything put back.
source "$(dirname "$0")/slideshow.bash"
command -v xscreensaver >/dev/null || fail "xscreensaver is not installed"
start_xvfb 800x600

# The daemon launches no screen saver as root; it then runs as nobody, and
# its home (which holds the store) and the scratch folder must be that
# user's.
if [ "$(id -u)" = 0 ]; then
  as_daemon_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
  chmod 0755 "$WORK_DIR"
  hand_over() { chown -R nobody:nogroup "$@"; }
else
  as_daemon_user() { "$@"; }
  hand_over() { :; }
fi

show_pid() { pgrep -x -f "$BRISANDER /s"; }
show_gone() { [ -z "$(show_pid)" ]; }

note "a window handed over: input does not end the show, SIGTERM does"
fresh_show handed-over
xmessage -geometry 320x240+40+30 host 2>/dev/null &
host_pid=$!
at_exit "kill $host_pid 2>/dev/null"
wait_until 10 xdotool search --onlyvisible --class xmessage || fail "the host window did not open"
host="$(xdotool search --onlyvisible --class xmessage | head -n1)"  # decimal
xdotool mousemove 100 100
XSCREENSAVER_WINDOW="$host" start_show /s
wait_first_slide
check_store_during_show
check_picture_page 320 240
xwininfo -children -id "$host" | grep -q '"brisander": .* 320x240+0+0 ' ||
  fail "no 320x240 child at (0, 0) in the host: $(xwininfo -children -id "$host")"
xdotool mousemove 200 200 click 1 key a
sleep 0.7
kill -0 "$SHOW_PID" 2>/dev/null || fail "input ended the show: $(cat "$WORK_DIR/brisander.log")"
kill -TERM "$SHOW_PID"
check_clean_end
kill "$host_pid"

note "a window id that names no window"
fresh_show nowhere
XSCREENSAVER_WINDOW=0x3fffffe start_show /s
wait_exit "$SHOW_PID" 5 || fail "the show without a window did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
[ "$(store_dump)" = "$STORE_BEFORE" ] || fail "store changed: $(store_dump)"
[ -z "$(scratch_files)" ] || fail "scratch files written: $(scratch_files | tr '\n' ' ')"

note "under the daemon"
fresh_show daemon
export HOME="$WORK_DIR/home"
mkdir "$HOME"
mv "$BRISANDER_REGISTRY" "$HOME/store.sqlite"
export BRISANDER_REGISTRY="$HOME/store.sqlite"
cat >"$HOME/.xscreensaver" <<EOF
mode: one
selected: 0
timeout: 0:30:00
lock: False
splash: False
fade: False
unfade: False
programs: $BRISANDER /s
EOF
hand_over "$HOME" "$BRISANDER_TEMP"
# The screen saver inherits the store and the scratch folder from the daemon.
as_daemon_user xscreensaver -no-splash -verbose >"$WORK_DIR/daemon.log" 2>&1 &
daemon_pid=$!
at_exit "xscreensaver-command -exit >/dev/null 2>&1; kill $daemon_pid 2>/dev/null"
wait_until 10 xscreensaver-command -time || fail "the daemon did not start: $(cat "$WORK_DIR/daemon.log")"

xscreensaver-command -activate >/dev/null
wait_until 10 show_pid || fail "the daemon did not start the show: $(tail "$WORK_DIR/daemon.log")"
SHOW_PID="$(show_pid)"
wait_first_slide
check_store_during_show
check_picture_page 800 600
daemon_window="$(tr '\0' '\n' <"/proc/$SHOW_PID/environ" | sed -n 's/^XSCREENSAVER_WINDOW=//p')"
[ -n "$daemon_window" ] || fail "the show has no XSCREENSAVER_WINDOW"
xwininfo -children -id "$daemon_window" | grep -q '"brisander": .* 800x600+0+0 ' ||
  fail "no 800x600 child in the daemon's window: $(xwininfo -children -id "$daemon_window")"
sleep 3.5  # the wipe from the blank page
shows_photo 800 600 0 0 || fail "the screen does not show $(basename "$PHOTO")"

xscreensaver-command -deactivate >/dev/null
wait_until 5 show_gone || fail "the show did not end on -deactivate"
[ "$(store_dump)" = "$STORE_BEFORE" ] || fail "store not restored: $(store_dump)"
[ -z "$(scratch_files)" ] || fail "scratch files left: $(scratch_files | tr '\n' ' ')"
echo "all cases passed"
