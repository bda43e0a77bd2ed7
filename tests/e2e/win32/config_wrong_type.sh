#!/usr/bin/env bash
# A stored value of another type: the error box (titled with the
# application's title) comes first; the dialog then opens on "Tips" with its
# layout caption, since creation stopped, and OK replaces the bad value
# with -1 (no selection).
source "$(dirname "$0")/config_common.bash"

# type | data
cases=(
  "REG_SZ|abc"
  "REG_BINARY|0102030405"
)

for case in "${cases[@]}"; do
  IFS='|' read -r type data <<<"$case"
  note "stored $type $data"
  reset_setting
  store_setting "$type" "$data"
  start_scr /c
  wait_window Brisander
  [ -z "$(find_window "^Vorlage\$")$(find_window "^$CAPTION\$")" ] || fail "the dialog showed before the error box"
  keys Return
  wait_window Vorlage
  expect_page Tips
  keys Return
  expect_exit_0
  [ "$(stored_effect)" = 0xffffffff ] || fail "stored $(stored_effect), expected 0xffffffff"
done
note "ok"
