#!/usr/bin/env bash
# Owned by a host window (/c:<handle> or /c <handle>): the host takes no
# input while the dialog is open and gets it back, with the foreground,
# whichever button closes the dialog. A handle that names no window leaves
# the dialog without owner.
source "$(dirname "$0")/config_common.bash"

HOST=$(find "$BUILD_DIR" -name config_host.exe -print -quit)
[ -n "$HOST" ] || fail "config_host.exe is not built"
wine "$HOST" >"$WORK_DIR/host.log" 2>&1 &
host_pid=$!
at_exit "kill $host_pid 2>/dev/null"
wait_until 30 grep -q '^[0-9]' "$WORK_DIR/host.log" || fail "the host printed no handle"
handle=$(grep -m1 '^[0-9]' "$WORK_DIR/host.log" | tr -d '\r')
host_is() { wait_until 10 find_window "^config host: $1\$"; }
host_is "enabled, .*" || fail "the host window did not show"

# arguments | closing step
cases=(
  "/c:$handle|Return"
  "/c $handle|click-cancel"
)
for case in "${cases[@]}"; do
  IFS='|' read -r arguments step <<<"$case"
  note "$arguments, $step"
  reset_setting
  # shellcheck disable=SC2086  # the arguments are split on purpose
  start_scr $arguments
  wait_window "$CAPTION"
  host_is "disabled, background" || fail "the host is not disabled while the dialog is open"
  if [ "$step" = click-cancel ]; then click_at $((424 + 40)) $((360 + 12)); else keys "$step"; fi
  expect_exit_0
  host_is "enabled, foreground" || fail "the host did not get its input and the foreground back"
done

note "a handle that names no window"
reset_setting
start_scr /c:12345
wait_window "$CAPTION"
host_is "enabled, .*" || fail "the host was disabled"
keys Return
expect_exit_0
[ "$(stored_effect)" = 0x17 ] || fail "stored $(stored_effect), expected 0x17"
note "ok"
