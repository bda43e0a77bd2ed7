#!/usr/bin/env bash
# Every clickable place opens its page through the shell, where two hot
# regions share a pixel the upper one takes the click, and following links
# leaves the dialog open with its selection: OK still stores it. Enter
# presses a button that has the focus. Wine hands
# web addresses to the programs named in its WineBrowser setting; a script
# there records them.
source "$(dirname "$0")/config_common.bash"

CONTENT="$E2E_DIR/../../src/config/DialogContent.h"
# The web address of a link handler, from the dialog's content table.
link_url() {
  local index
  index=$(sed -n '/^enum class DialogLink {/,/^};/p' "$CONTENT" | grep -o '^  [A-Za-z0-9]*Click' |
    awk -v name="$1" '$1 == name { print NR; exit }')
  [ -n "$index" ] || fail "no link handler $1"
  sed -n '/kDialogLinkUrls = {/,/^};/p' "$CONTENT" | grep -o '"[^"]*"' | tr -d '"' | sed -n "${index}p"
}

opened="$WORK_DIR/opened.txt"
printf '#!/bin/sh\necho "$1" >> "%s"\n' "$opened" >"$WORK_DIR/browser.sh"
chmod +x "$WORK_DIR/browser.sh"
: >"$opened"
opened_count() { wc -l <"$opened"; }
opened_at_least() { [ "$(opened_count)" -ge "$1" ]; }
BROWSER_KEY='HKCU\Software\Wine\WineBrowser'
wine reg add "$BROWSER_KEY" /v Browsers /d "$WORK_DIR/browser.sh" /f >/dev/null 2>&1
at_exit "wine reg delete '$BROWSER_KEY' /v Browsers /f >/dev/null 2>&1"

# page | x | y (on the page) | handler | what is clicked
cases=(
  "Tips|100|50|Image13Click|Image13"
  "Tips|100|250|Image12Click|Image12"
  "Tips|300|250|Image11Click|Image11"
  "Tips|240|160|none|the gap between Image13 and the two below"
  "Options|200|150|Image1Click|Image1"
  "Links|100|40|Image3Click|Image3"
  "Links|100|80|StaticText5Click|the row shared by Image3 and Image4"
  "Links|100|144|StaticText5Click|the row shared by Image4 and Image5"
  "Links|100|170|Image5Click|Image5"
  "Links|100|272|Image6Click|the row shared by Image6 and Image7"
  "Links|100|283|Image7Click|Image7"
  "Links|100|305|Image8Click|Image8"
  "Links|296|100|StaticText5Click|the column shared by Image4 and Image9"
  "Links|400|200|Image5Click|Image9"
  "About|176|50|Image1Click|StaticText2"
  "About|168|206|StaticText1Click|StaticText1"
  "About|168|245|StaticText5Click|StaticText5"
  "About|394|150|StaticText5Click|Image10"
  "About|394|241|Button1Click|Button1"
)

reset_setting
store_setting REG_DWORD 7
start_scr /c
wait_window "$CAPTION"
page=Tips
expect_page Tips
count=0
for case in "${cases[@]}"; do
  IFS='|' read -r want x y handler what <<<"$case"
  while [ "$page" != "$want" ]; do
    keys ctrl+Tab
    case "$page" in Tips) page=Options ;; Options) page=Links ;; Links) page=About ;; About) page=Tips ;; esac
  done
  note "$page: $what"
  xdotool mousemove $((PAGE_X + x)) $((PAGE_Y + y)) click 1
  if [ "$handler" = none ]; then
    sleep 2
    [ "$(opened_count)" -eq "$count" ] || fail "a page was opened: $(tail -n1 "$opened")"
    continue
  fi
  count=$((count + 1))
  wait_until 15 opened_at_least "$count" || fail "no page was opened"
  [ "$(opened_count)" -eq "$count" ] || fail "more than one page was opened"
  expected=$(link_url "$handler")
  [ "$(tail -n1 "$opened")" = "$expected" ] || fail "opened $(tail -n1 "$opened"), expected $expected ($handler)"
done

[ -n "$(find_window "^$CAPTION\$")" ] || fail "the dialog closed"
note "Enter presses the focused button, Donate..."
keys Return
wait_until 15 opened_at_least $((count + 1)) || fail "Enter did not press Donate..."
[ "$(tail -n1 "$opened")" = "$(link_url Button1Click)" ] || fail "Enter opened $(tail -n1 "$opened")"
click_at $((332 + 40)) $((360 + 12))  # Button9, OK
expect_exit_0
[ "$(stored_effect)" = 0x7 ] || fail "stored $(stored_effect), expected 0x7"
note "ok"
