#!/usr/bin/env bash
# The temporary folder cannot be written: the show reports every failed
# write of a scratch file in the error box, goes on, and ends on a key with
# the settings put back and no file anywhere.
source "$(dirname "$0")/../lib.sh"
use_wine
start_xvfb 800x600
source "$(dirname "$0")/show.bash"

ENV_KEY='HKCU\Environment'
LOCKED_WIN='C:\faults-temp'
LOCKED_UNIX="$WINEPREFIX/drive_c/faults-temp"

# Points the user's temporary folder at the locked one until the test ends.
for name in TEMP TMP; do
  at_exit "wine reg add '$ENV_KEY' /v $name /d '$(reg_value "$ENV_KEY" $name)' /f >/dev/null"
  wine reg add "$ENV_KEY" /v $name /d "$LOCKED_WIN" /f >/dev/null
done
mkdir -p "$LOCKED_UNIX"
at_exit "chattr -i '$LOCKED_UNIX' 2>/dev/null; rm -rf '$LOCKED_UNIX'"
chattr +i "$LOCKED_UNIX" 2>/dev/null || chmod 0500 "$LOCKED_UNIX"

prepare_settings
xdotool mousemove 400 300
wine "$SCR" /s &
pid=$!
at_exit 'kill "$pid" 2>/dev/null'
wait_until 20 find_window '^Brisander$' || fail "no error box"
# Wine's GetTempFileNameA gives the name even when the folder refuses the
# file, so here the scratch files fail at their first write: at activation
# and at every slide. Every box is answered until none comes for 3 seconds.
boxes=0
while wait_until 3 find_window '^Brisander$'; do
  kill -0 "$pid" 2>/dev/null || fail "the show did not wait for the box"
  xdotool key Return
  boxes=$((boxes + 1))
  [ $boxes -le 5 ] || fail "the error boxes do not stop"
  sleep 0.5
done
xdotool key space
wait_exit "$pid" 5 || fail "the show did not end on a key"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
expect_settings_restored
[ -z "$(ls -A "$LOCKED_UNIX")" ] || fail "files in the locked folder: $(ls -A "$LOCKED_UNIX")"
echo "passed after $boxes error boxes"
