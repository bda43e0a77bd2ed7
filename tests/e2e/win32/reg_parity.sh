#!/usr/bin/env bash
# brisander-reg, the Linux store's companion command, answers like Wine's
# `reg`: the same sequence of adds, queries and deletes on the settings key
# gives the same output (line ends aside) and the same exit codes.
# $1 (the screen saver) is not used; the command comes from the Linux build
# next to this one, or from $BRISANDER_REG.
source "$(dirname "$0")/../lib.sh"
use_wine

BRISANDER_REG="${BRISANDER_REG:-$BUILD_DIR/../linux/tools/brisander-reg}"
[ -x "$BRISANDER_REG" ] || fail "no brisander-reg at $BRISANDER_REG (build the linux preset first)"
export BRISANDER_REGISTRY="$WORK_DIR/registry.sqlite3"

KEY='HKCU\Software\Quennick\Quennick - Marrowdale'
wine reg delete 'HKCU\Software\Quennick' /f >/dev/null 2>&1 || true
at_exit "wine reg delete 'HKCU\\Software\\Quennick' /f >/dev/null 2>&1"

# Runs one command through both and compares; a prompt would hang Wine, so
# every change is forced with /f.
mismatches=0
compare() {
  local wine_out wine_rc=0 linux_out linux_rc=0
  wine_out="$(wine reg "$@" </dev/null 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}")" || wine_rc=$?
  linux_out="$("$BRISANDER_REG" "$@" </dev/null 2>&1)" || linux_rc=$?
  if [ "$wine_out" != "$linux_out" ] || [ "$wine_rc" != "$linux_rc" ]; then
    mismatches=$((mismatches + 1))
    echo "MISMATCH: reg $*"
    diff <(printf '%s\nexit %s\n' "$wine_out" "$wine_rc") \
         <(printf '%s\nexit %s\n' "$linux_out" "$linux_rc") || true
  else
    note "same (exit $wine_rc): reg $*"
  fi
}

compare query "$KEY"
compare add "$KEY" /v Effect /t REG_DWORD /d 23 /f
compare query "$KEY" /v Effect
compare add "$KEY" /v Effect /t REG_DWORD /d 0xffffffff /f
compare query "$KEY"
compare add "$KEY" /v Name /t REG_SZ /d "Random bars horizontal" /f
compare add "$KEY" /ve /d "default text" /f
compare add "$KEY\\Sub" /f
compare query "$KEY"
compare query "$KEY" /ve
compare query "$KEY\\Sub"
compare query 'hkey_current_user\software\quennick\quennick - marrowdale\' /v EFFECT
compare query 'HKCU\Software\Quennick'
compare add "$KEY" /v Effect /t REG_DWORD /d 0x7 /f
compare add "$KEY" /v Effect /t REG_DWORD /d -1 /f
compare add "$KEY" /v Effect /t REG_SZ /d "" /f
compare add "$KEY" /v Bytes /t REG_BINARY /d 00ff1A /f
compare query "$KEY"
compare delete "$KEY" /v Name /f
compare query "$KEY" /v Name
compare delete "$KEY" /ve /f
compare delete "$KEY" /ve /f
compare delete "$KEY\\Sub" /f
compare query "$KEY"
compare query 'HKXX\Software'
compare delete 'HKCU\Software\Quennick' /f
compare query "$KEY"

[ "$mismatches" -eq 0 ] || fail "$mismatches commands answered differently"
note "brisander-reg and Wine's reg agree"
