# Shared helpers of the end-to-end tests (bash). Source it, then call
# start_xvfb before starting a program that needs a display.

set -euo pipefail

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${BRISANDER_BUILD_DIR:-$(pwd)}"
WORK_DIR="$(mktemp -d "${TMPDIR:-/tmp}/brisander-e2e.XXXXXX")"
_cleanups=()

on_exit() {
  local status=$?
  for ((i = ${#_cleanups[@]} - 1; i >= 0; i--)); do eval "${_cleanups[i]}" || true; done
  rm -rf "$WORK_DIR"
  exit $status
}
trap on_exit EXIT
at_exit() { _cleanups+=("$1"); }

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "--- $*"; }

# Starts Xvfb on a free display of the given size (default 800x600) and
# exports DISPLAY; it is stopped when the test ends. It does not reset when
# its last client leaves: a client connecting during a reset fails.
start_xvfb() {
  local size="${1:-800x600}"
  local fd_file="$WORK_DIR/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fd_file" 2>"$WORK_DIR/xvfb.log" &
  local pid=$!
  at_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null"
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
  [ -s "$fd_file" ] || fail "Xvfb did not start: $(cat "$WORK_DIR/xvfb.log")"
  export DISPLAY=":$(head -n1 "$fd_file")"
  wait_until 10 xdpyinfo || fail "Xvfb on $DISPLAY does not answer"
}

# Waits until a command succeeds, at most $1 seconds.
wait_until() {
  local timeout="$1"; shift
  local deadline=$((SECONDS + timeout))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# Waits for a process to end, at most $2 seconds; sets EXIT_CODE.
wait_exit() {
  local pid="$1" timeout="$2"
  local deadline=$((SECONDS + timeout))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
  EXIT_CODE=0
  wait "$pid" || EXIT_CODE=$?
}

# The id of the first visible window whose name matches, or nothing.
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }

# Takes a screenshot of the whole display.
screenshot() { import -display "$DISPLAY" -window root "$1"; }

# The Wine prefix of the tests, made by wine-prefix.sh.
use_wine() {
  export WINEPREFIX="$BUILD_DIR/wineprefix"
  export WINEDEBUG=-all
  # No installer dialogs for Mono or Gecko.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  [ -f "$WINEPREFIX/system.reg" ] || fail "no Wine prefix at $WINEPREFIX"
}
