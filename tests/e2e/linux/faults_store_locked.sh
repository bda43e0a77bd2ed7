#!/usr/bin/env bash
# Another process holds the store's write lock for 3 seconds while the show
# starts and again while it ends: the show waits for it, then works, and
# puts the settings back.
source "$(dirname "$0")/faults.bash"
start_xvfb 800x600

# Takes the store's write lock for 3 seconds, once the lock is held.
lock_store() {
  (echo 'BEGIN EXCLUSIVE;'; sleep 3; echo 'COMMIT;') | sqlite3 "$BRISANDER_REGISTRY" &
  LOCK_PID=$!
  at_exit "kill $LOCK_PID 2>/dev/null"
  wait_until 5 sh -c "! sqlite3 '$BRISANDER_REGISTRY' 'BEGIN IMMEDIATE; ROLLBACK;'" ||
    fail "the store could not be locked"
}

# Whether the stored sound path carries the marker, read without waiting:
# readers pass the write lock.
sound_muted() {
  sqlite3 "$BRISANDER_REGISTRY" \
    "SELECT instr(CAST(data AS TEXT), '[deactivated]') > 0 FROM registry_values WHERE name = ''"
}

fresh_show locked
lock_store
start_show /s
sleep 1.5
kill -0 "$SHOW_PID" 2>/dev/null || fail "the show ended: $(cat "$WORK_DIR/brisander.log")"
[ "$(sound_muted)" = 0 ] && [ -z "$(scratch_files)" ] || fail "the show did not wait for the store"
wait_until 15 has_picture_page || fail "the show did not start: $(cat "$WORK_DIR/brisander.log")"
check_store_during_show

note "ending while the store is locked"
lock_store
kill -TERM "$SHOW_PID"
sleep 1.5
kill -0 "$SHOW_PID" 2>/dev/null || fail "the show ended without waiting for the store"
[ "$(sound_muted)" = 1 ] || fail "the sound path was restored under the lock"
wait_exit "$SHOW_PID" 10 || fail "the show did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
[ "$(store_dump)" = "$STORE_BEFORE" ] || fail "store not restored: $(store_dump)"
[ -z "$(scratch_files)" ] || fail "scratch files left: $(scratch_files | tr '\n' ' ')"
echo "passed"
