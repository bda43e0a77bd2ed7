#!/usr/bin/env bash
# The Debian package of this build: apt installs it with its run-time
# dependencies, the installed show runs and ends cleanly, the desktop entry
# opens the configuration dialog, and apt removes it again.
if [ "$(id -u)" != 0 ]; then
  echo "SKIP: installing the package needs root"
  exit 0
fi
source "$(dirname "$0")/slideshow.bash" /usr/bin/brisander
dpkg -s brisander >/dev/null 2>&1 && fail "brisander is already installed; the test would replace it"

note "build and install the package"
(cd "$BUILD_DIR" && cpack -G DEB >"$WORK_DIR/cpack.log" 2>&1) || fail "cpack: $(cat "$WORK_DIR/cpack.log")"
PACKAGE="$(ls "$BUILD_DIR"/packages/brisander_*.deb | head -n1)"
cp "$PACKAGE" "$WORK_DIR/"
at_exit "apt-get remove -y -o DPkg::Lock::Timeout=120 brisander >/dev/null 2>&1"
(cd "$WORK_DIR" && apt-get install -y -o DPkg::Lock::Timeout=120 ./brisander_*.deb) \
  >"$WORK_DIR/apt.log" 2>&1 || fail "apt-get install: $(cat "$WORK_DIR/apt.log")"
dpkg -s brisander | grep -q '^Status: install ok installed' || fail "not installed"
for binary in /usr/bin/brisander /usr/bin/brisander-reg; do
  missing="$(ldd "$binary" | grep 'not found' || true)"
  [ -z "$missing" ] || fail "$binary lacks libraries: $missing"
done

note "the installed show"
REG=/usr/bin/brisander-reg
start_xvfb 800x600
fresh_show installed
start_show /s
wait_first_slide
check_store_during_show
check_picture_page 800 600
sleep 3  # the wipe from the blank page
shows_photo 800 600 0 0 || fail "the screen does not show $(basename "$PHOTO")"
kill -TERM "$SHOW_PID"
check_clean_end

note "the desktop entry"
ENTRY=/usr/share/applications/brisander.desktop
[ -f "$ENTRY" ] || fail "no desktop entry"
entry_key() { sed -n "s/^$1=//p" "$ENTRY"; }
[ "$(entry_key Type)" = Application ] || fail "entry type $(entry_key Type)"
[ -f "/usr/share/icons/hicolor/scalable/apps/$(entry_key Icon).svg" ] || fail "no icon $(entry_key Icon)"
# Its command opens the dialog.
read -r -a command <<<"$(entry_key Exec)"
[ "$(command -v "${command[0]}")" = /usr/bin/brisander ] || fail "Exec runs ${command[0]}"
"${command[@]}" >"$WORK_DIR/dialog.log" 2>&1 &
dialog_pid=$!
at_exit "kill $dialog_pid 2>/dev/null"
wait_until 20 xdotool search --onlyvisible --pid "$dialog_pid" ||
  fail "\"$(entry_key Exec)\" opened no window: $(cat "$WORK_DIR/dialog.log")"
kill "$dialog_pid"

note "remove the package"
apt-get remove -y -o DPkg::Lock::Timeout=120 brisander >"$WORK_DIR/apt.log" 2>&1 ||
  fail "apt-get remove: $(cat "$WORK_DIR/apt.log")"
[ ! -e /usr/bin/brisander ] && [ ! -e "$ENTRY" ] || fail "files left after removal"
echo "all cases passed"
