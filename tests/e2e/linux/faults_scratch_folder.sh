#!/usr/bin/env bash
# No scratch name can be made: the folder cannot be written, or it is not
# the user's private folder. The show reports it in the error box, puts
# the settings back, and ends.
source "$(dirname "$0")/faults.bash"
start_xvfb 800x600
run_as_unprivileged_user

# Makes the folder unwritable: immutable for root, read-only otherwise
# (which also fails the private folder check).
make_unwritable() {
  if chattr +i "$BRISANDER_TEMP" 2>/dev/null; then
    at_exit "chattr -i '$BRISANDER_TEMP'"
  else
    chmod 0500 "$BRISANDER_TEMP"
  fi
}

# Gives the folder to another user than the show's.
give_away() {
  if [ "$(id -u)" = 0 ]; then chown root: "$BRISANDER_TEMP"; else chmod 0755 "$BRISANDER_TEMP"; fi
}

# name | how the folder is spoilt
cases=(
  "folder cannot be written|make_unwritable"
  "folder of another user|give_away"
)
for entry in "${cases[@]}"; do
  IFS='|' read -r name spoil <<<"$entry"
  note "$name"
  fresh_show_of_user "${name// /-}"
  $spoil
  start_show /s
  confirm_error_box 15
  check_clean_end
done
echo "all cases passed"
