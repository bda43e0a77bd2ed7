#!/usr/bin/env bash
# The configuration dialog reads the stored transition when it opens and
# stores the selection on OK; Cancel stores nothing. Keyboard only: the
# dialog opens on "Tips" with the page tabs in the focus, three times Left
# reach "Options", Tab the transition list and Tab again Cancel.
source "$(dirname "$0")/config.bash"
start_xvfb

# name | stored (type data, or nothing) | keys | stored afterwards
cases=(
  "no value||Return|REG_DWORD 0x17"
  "choose the next entry|REG_DWORD 7|Left Left Left Tab Down Return|REG_DWORD 0x8"
  "choose the first entry|REG_DWORD 7|Left Left Left Tab Home Return|REG_DWORD 0x0"
  "cancel after choosing|REG_DWORD 7|Left Left Left Tab Down Tab Return|REG_DWORD 0x7"
  "escape does not close|REG_DWORD 7|Escape Left Left Left Tab Up Return|REG_DWORD 0x6"
  "out of range|REG_DWORD 1000|Return|REG_DWORD 0xffffffff"
)

for entry in "${cases[@]}"; do
  IFS='|' read -r name stored keys expected <<<"$entry"
  note "$name"
  fresh_store "${name// /-}"
  [ -z "$stored" ] || store_effect $stored
  start_brisander /c
  focus_window "$CAPTION"
  if [ -z "$stored" ]; then
    key_exists || fail "$name: opening the dialog did not create the key"
    [ "$(stored_effect)" = none ] || fail "$name: a value was stored before OK"
    shows_tips_page "$WINDOW" || fail "$name: the dialog did not open on Tips"
  fi
  press $keys
  expect_exit 0
  actual="$(stored_effect)"
  [ "$actual" = "$expected" ] || fail "$name: stored $actual, expected $expected"
done
echo "all cases passed"
