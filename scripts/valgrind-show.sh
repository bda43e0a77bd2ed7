#!/usr/bin/env bash
# Runs a 20-second full-screen show under Valgrind's memcheck, on its own
# Xvfb display with a store and a scratch folder of its own, ends it with
# SIGTERM and fails when memcheck finds memory definitely lost (leaks inside
# system libraries are suppressed by tests/valgrind.supp).
# Usage: scripts/valgrind-show.sh [build folder, default build/linux]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/linux}"
seconds=20

if [ ! -x "$build/src/brisander" ] || [ ! -x "$build/tools/brisander-reg" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j2 --target brisander brisander-reg
fi

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"

export BRISANDER_REGISTRY="$work/store.sqlite"
export BRISANDER_TEMP="$work/scratch"
mkdir -m 0700 "$BRISANDER_TEMP"
reg="$build/tools/brisander-reg"
"$reg" add 'HKCU\Software\Microsoft\Internet Explorer\Main' /v Page_Transitions /t REG_DWORD /d 0 /f >/dev/null
"$reg" add 'HKCU\AppEvents\Schemes\Apps\Explorer\Navigating\.current' /ve /t REG_SZ /d 'C:\ding.wav' /f >/dev/null

# Children that libraries fork (a D-Bus autolaunch without a session bus)
# write logs of their own and are checked too.
valgrind --tool=memcheck --leak-check=full --num-callers=30 --suppressions=tests/valgrind.supp \
  --log-file="$work/memcheck.%p.log" "$build/src/brisander" /s &
show_pid=$!
sleep "$seconds"
kill -TERM "$show_pid"
status=0
wait "$show_pid" || status=$?
echo "exit code of the show: $status"

lost=0
for log in "$work"/memcheck.*.log; do
  echo "--- $(sed -n 's/^==[0-9]*== Command: //p' "$log") (process $(basename "$log" .log | cut -d. -f2))"
  sed -n '/LEAK SUMMARY/,/suppressed/p' "$log"
  if grep -q 'definitely lost in' "$log"; then
    grep -A30 'definitely lost in' "$log" >&2
    lost=1
  fi
done
[ $lost = 0 ] || { echo "FAIL: memory definitely lost" >&2; exit 1; }
[ "$status" = 0 ] || { echo "FAIL: exit code $status" >&2; exit 1; }
[ -z "$(ls -A "$BRISANDER_TEMP")" ] || { echo "FAIL: scratch files left" >&2; exit 1; }
echo "valgrind: no memory definitely lost"
