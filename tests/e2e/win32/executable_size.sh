#!/usr/bin/env bash
# The screen saver, with all its pictures, stays within 2.5 MB.
source "$(dirname "$0")/../lib.sh"
limit=$((2500 * 1000))
size="$(stat -c %s "$1")"
echo "$(basename "$1"): $size bytes, limit $limit"
[ "$size" -le "$limit" ] || fail "$(basename "$1") has $size bytes, more than $limit"
