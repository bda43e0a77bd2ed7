#!/usr/bin/env bash
# Makes the Wine prefix of the tests under the build folder (once).
source "$(dirname "$0")/lib.sh"
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  note "making the Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
[ -f "$WINEPREFIX/system.reg" ] || fail "wineboot made no prefix"
# The tests' X server runs no window manager, and Wine leaves maximizing a
# managed window to one: its windows are unmanaged in the tests.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
  fail "cannot set Wine's window management"
wineserver -w
