#!/usr/bin/env bash
# The scratch files are made read-only during a preview: the show goes on
# (reporting a failed write in the error box where the write is refused),
# and at its end the settings are back and the read-only files are removed.
source "$(dirname "$0")/../lib.sh"
use_wine
start_xvfb 800x600
source "$(dirname "$0")/show.bash"

at_exit 'kill "${pid:-}" "${host_pid:-}" 2>/dev/null'
prepare_settings
wine "$WINTOOL" host 200 150 >"$WORK_DIR/host.txt" &
host_pid=$!
wait_until 20 test -s "$WORK_DIR/host.txt" || fail "the host window did not start"
host="$(tr -d '\r' <"$WORK_DIR/host.txt")"
wine "$SCR" /p "$host" &
pid=$!
wait_first_slide
expect_settings_changed
page="$(find "$TEMP_UNIX" -maxdepth 1 -name 'ins*.htm')"
picture="$(find "$TEMP_UNIX" -maxdepth 1 -name 'ins*.jpg')"
# Wine shows a file without write permission as read-only.
chmod 0444 "$page" "$picture"
wine cmd /c attrib "$(winepath -w "$page")" | cut -c1-12 | grep -q R ||
  fail "the page file is not read-only: $(wine cmd /c attrib "$(winepath -w "$page")")"
# The next slide comes 6.1 to 9 seconds after the first. Wine lets root
# write a read-only file; anyone else gets the error box.
written_before="$(stat -c %Y "$page")"
wait_until 15 sh -c "xdotool search --onlyvisible --name '^Brisander\$' || [ \$(stat -c %Y '$page') != $written_before ]" ||
  fail "neither an error box nor a new slide"
if [ -n "$(find_window '^Brisander$')" ]; then
  xdotool key Return
  wait_until 5 sh -c "! xdotool search --onlyvisible --name '^Brisander\$'" || fail "the error box stays"
fi
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the show ended after the read-only file"
wintool close "$host"
wait_exit "$pid" 5 || fail "the preview did not end with its host"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
# The read-only files are removed as well.
expect_settings_restored
echo "passed"
