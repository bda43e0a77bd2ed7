#!/usr/bin/env bash
# Takes a PNG of each page of the configuration dialog under Xvfb:
# options.png, links.png, about.png and tips.png in the given folder.
#   scripts/screenshots-linux.sh OUTPUT_FOLDER [PATH_TO_BRISANDER]
# The executable defaults to build/linux/src/brisander. A store of its own
# keeps the user's choice out of it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -ge 1 ] || { echo "usage: $0 OUTPUT_FOLDER [PATH_TO_BRISANDER]" >&2; exit 2; }
mkdir -p "$1"
out="$(cd "$1" && pwd)"
brisander="$(realpath "${2:-$root/build/linux/src/brisander}")"
[ -x "$brisander" ] || { echo "no executable at $brisander" >&2; exit 2; }

source "$root/tests/e2e/lib.sh"
start_xvfb 800x600
export BRISANDER_REGISTRY="$WORK_DIR/store.sqlite"

"$brisander" /c &
pid=$!
at_exit "kill $pid 2>/dev/null"
wait_until 20 find_window "^Quennick - Marrowdale$" || fail "the dialog did not open"
window="$(find_window "^Quennick - Marrowdale$")"
xdotool windowfocus --sync "$window" 2>/dev/null

# The dialog opens on "Tips", with the page tabs in the keyboard focus; Left
# moves one page towards "Options".
for page in tips about links options; do
  [ "$page" = tips ] || xdotool key Left
  sleep 0.3
  import -display "$DISPLAY" -window "$window" "$out/$page.png"
  echo "$out/$page.png"
done
