#!/usr/bin/env bash
# "/c:<window>" makes the dialog transient for that X window (and modal);
# a number that names no window leaves the dialog without an owner.
source "$(dirname "$0")/config.bash"
start_xvfb
fresh_store owner

xmessage -name brisander-host -title "Host window" "host" &
host_pid=$!
at_exit "kill $host_pid 2>/dev/null"
wait_until 10 find_window "^Host window\$" || fail "the host window did not open"
host="$(find_window "^Host window\$")"

transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p'; }

note "owned by the host"
start_brisander "/c:$host"
focus_window "$CAPTION"
owner="$(transient_for "$WINDOW")"
[ "$((owner))" = "$host" ] || fail "WM_TRANSIENT_FOR is $owner, expected the host $host"
xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "the dialog is not modal"
press Return
expect_exit 0
kill -0 "$host_pid" || fail "the host window went away"
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$host" ] || fail "the host did not get the focus back"

note "a number that names no window"
start_brisander /c 536870911
focus_window "$CAPTION"
owner="$(transient_for "$WINDOW")"
[ "$((owner))" != 536870911 ] || fail "the dialog is transient for a window that does not exist"
! xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_MODAL || fail "a dialog without owner is modal"
press Return
expect_exit 0
[ "$(stored_effect)" = "REG_DWORD 0x17" ] || fail "stored $(stored_effect)"
