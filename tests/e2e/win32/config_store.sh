#!/usr/bin/env bash
# What OK and Cancel store, by the value stored before and the user's
# steps. Ctrl+Tab brings "Options", Tab moves from the page control to the
# transition list, Down picks the next entry.
source "$(dirname "$0")/config_common.bash"

# stored before | steps | stored after
cases=(
  "7|ctrl+Tab Tab Down Return|0x8"
  "7|ctrl+Tab Tab Down Escape Return|0x8"
  "7|ctrl+Tab Tab Down Down Down Tab Return|0x7"
  "7|ctrl+Tab Tab Down click-cancel|0x7"
  "24|Return|0x18"
  "0|ctrl+Tab Tab Up Return|0x0"
  "1000|Return|0xffffffff"
  "1000|click-cancel|0x3e8"
  "25|Return|0xffffffff"
  "0xffffffff|ctrl+Tab Tab Down Return|0x0"
)

for case in "${cases[@]}"; do
  IFS='|' read -r before steps expected <<<"$case"
  note "stored $before, $steps"
  reset_setting
  store_setting REG_DWORD "$before"
  start_scr /c
  wait_window "$CAPTION"
  for step in $steps; do
    if [ "$step" = click-cancel ]; then
      click_at $((424 + 40)) $((360 + 12))  # Button10
    else
      keys "$step"
    fi
  done
  expect_exit_0
  [ "$(stored_effect)" = "$expected" ] || fail "stored $(stored_effect), expected $expected"
done
note "ok"
