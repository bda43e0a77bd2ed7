#!/usr/bin/env bash
# Takes a PNG of each page of the configuration dialog under Wine and Xvfb:
# options.png, links.png, about.png and tips.png in the given folder.
#   scripts/screenshots-win32.sh OUTPUT_FOLDER [PATH_TO_BRISANDER_SCR]
# The executable defaults to build/win32/src/Brisander.scr; it runs in the
# Wine prefix of the tests next to it (made by tests/e2e/wine-prefix.sh).
# The dialog is closed with Cancel, so the stored choice stays as it was.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -ge 1 ] || { echo "usage: $0 OUTPUT_FOLDER [PATH_TO_BRISANDER_SCR]" >&2; exit 2; }
mkdir -p "$1"
out="$(cd "$1" && pwd)"
scr="$(realpath "${2:-$root/build/win32/src/Brisander.scr}")"
[ -f "$scr" ] || { echo "no executable at $scr" >&2; exit 2; }
export BRISANDER_BUILD_DIR="${BRISANDER_BUILD_DIR:-$(dirname "$(dirname "$scr")")}"

source "$root/tests/e2e/lib.sh"
use_wine
start_xvfb 800x600

wine "$scr" /c >/dev/null 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null"
wait_until 30 find_window "^Quennick - Marrowdale$" || fail "the dialog did not open"
window="$(find_window "^Quennick - Marrowdale$")"
sleep 0.5

# The dialog opens on "Tips", with the page tabs in the keyboard focus; Left
# moves one page towards "Options".
for page in tips about links options; do
  [ "$page" = tips ] || xdotool key Left
  sleep 0.5
  import -display "$DISPLAY" -window "$window" "$out/$page.png"
  echo "$out/$page.png"
done

# Back from the page tabs to Cancel, the last but one in the tab order.
xdotool key shift+Tab shift+Tab Return
wait_exit "$pid" 20 || fail "the dialog did not close"
