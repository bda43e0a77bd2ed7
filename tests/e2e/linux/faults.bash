# Shared steps of the fault tests (bash), on top of slideshow.bash.

source "$(dirname "${BASH_SOURCE[0]}")/slideshow.bash"

# The visible windows titled like the show.
show_windows() { xdotool search --onlyvisible --name '^brisander$' 2>/dev/null || true; }

# Remembers the show's own windows, so that they are not taken for a box.
remember_show_windows() { SHOW_WINDOWS="$(show_windows)"; }
SHOW_WINDOWS=""

# The error box: a visible window titled like the show, smaller than the
# screen (the full-screen window fills it) and none of the show's own
# windows. Prints its id.
error_box() {
  local window
  for window in $(show_windows); do
    grep -qx "$window" <<<"$SHOW_WINDOWS" && continue
    eval "$(xdotool getwindowgeometry --shell "$window")"
    if [ "$WIDTH" -lt 800 ]; then
      echo "$window"
      return 0
    fi
  done
  return 1
}

# Waits for the error box, at most $1 seconds, and answers it with OK.
confirm_error_box() {
  wait_until "$1" error_box || fail "no error box: $(cat "$WORK_DIR/brisander.log")"
  local box
  box="$(error_box)"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
  wait_until 5 sh -c '! xdotool search --onlyvisible --name "^brisander$" | grep -qx '"$box" ||
    fail "the error box stays"
}

# The number of keys and of values in the store, and the pages of its file.
store_size() {
  sqlite3 "$BRISANDER_REGISTRY" \
    'SELECT (SELECT count(*) FROM registry_keys), (SELECT count(*) FROM registry_values);
     PRAGMA page_count;' | tr '\n' ' '
}

# At least $1 picture pages are in the scratch folder.
picture_pages() { [ "$(find "$BRISANDER_TEMP" -name 'ins*.htm' -size +300c | wc -l)" -ge "$1" ]; }

# Root may write anywhere, so as root the show and the store tool run as
# the user nobody, in a work folder of nobody's; otherwise as they are.
run_as_unprivileged_user() {
  [ "$(id -u)" = 0 ] || return 0
  chown nobody: "$WORK_DIR"
  local tool
  for tool in BRISANDER REG; do
    printf '#!/bin/sh\nexec setpriv --reuid=nobody --regid=nogroup --clear-groups env -u XDG_RUNTIME_DIR HOME="%s" "%s" "$@"\n' \
      "$WORK_DIR" "${!tool}" >"$WORK_DIR/$tool"
    chmod 0755 "$WORK_DIR/$tool"
    printf -v "$tool" '%s' "$WORK_DIR/$tool"
  done
}

# fresh_show, with the scratch folder given to the user of the show.
fresh_show_of_user() {
  fresh_show "$1"
  chown --reference="$WORK_DIR" "$BRISANDER_TEMP"
}
