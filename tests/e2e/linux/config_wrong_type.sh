#!/usr/bin/env bash
# A stored value of the wrong type: the error box comes first, titled with
# the application's title; the dialog then opens with its layout caption
# and no selection, and OK replaces the value with -1.
source "$(dirname "$0")/config.bash"
start_xvfb
fresh_store wrong-type
store_effect REG_SZ seven

start_brisander /c
focus_window brisander
box="$WINDOW"
[ -z "$(find_window "^Vorlage\$")" ] || fail "the dialog showed before the error box"
[ -z "$(find_window "^$CAPTION\$")" ] || fail "the dialog got its caption"
press Return
wait_until 10 bash -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" || fail "the error box stayed"

focus_window Vorlage
shows_tips_page "$WINDOW" || fail "the dialog did not open on Tips"
press Return
expect_exit 0
[ "$(stored_effect)" = "REG_DWORD 0xffffffff" ] || fail "stored $(stored_effect), expected -1"
