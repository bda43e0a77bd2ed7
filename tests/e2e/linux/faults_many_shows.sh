#!/usr/bin/env bash
# 200 shows started and ended by SIGTERM in a row, each as soon as its
# page file exists: no scratch file is left and the store does not grow.
source "$(dirname "$0")/faults.bash"
start_xvfb 800x600

page_written() { [ -n "$(find "$BRISANDER_TEMP" -name 'ins*.htm')" ]; }

fresh_show many
for round in $(seq 200); do
  start_show /s
  wait_until 10 page_written || fail "show $round wrote no page: $(cat "$WORK_DIR/brisander.log")"
  kill -TERM "$SHOW_PID"
  wait_exit "$SHOW_PID" 5 || fail "show $round did not end"
  [ "$EXIT_CODE" = 0 ] || fail "show $round: exit code $EXIT_CODE"
  [ -z "$(scratch_files)" ] || fail "show $round left: $(scratch_files | tr '\n' ' ')"
  [ "$round" = 1 ] && size_after_first="$(store_size)"
done
[ "$(store_size)" = "$size_after_first" ] ||
  fail "the store grew: $size_after_first after the first show, $(store_size) after the last"
[ "$(store_dump)" = "$STORE_BEFORE" ] || fail "store not restored: $(store_dump)"
echo "passed"
