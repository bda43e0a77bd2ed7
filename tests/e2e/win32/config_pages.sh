#!/usr/bin/env bash
# Without a stored setting: the dialog creates the key at once, opens on
# "Tips", Ctrl+Tab and Ctrl+Shift+Tab walk the pages, Escape closes
# nothing, and Enter stores the default 23 and ends the process.
source "$(dirname "$0")/config_common.bash"

reset_setting
start_scr /c
wait_window "$CAPTION"
key_exists || fail "the key was not created when the dialog opened"
[ "$(stored_effect)" = missing ] || fail "a value was stored before OK: $(stored_effect)"
expect_page Tips

for page in Options Links About Tips; do
  keys ctrl+Tab
  expect_page "$page"
done
keys ctrl+shift+Tab
expect_page About

keys Escape
sleep 1
[ -n "$(find_window "^$CAPTION\$")" ] || fail "Escape closed the dialog"

keys Return
expect_exit_0
[ "$(stored_effect)" = 0x17 ] || fail "stored $(stored_effect), expected 0x17"
note "ok"
