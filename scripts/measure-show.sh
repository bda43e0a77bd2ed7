#!/usr/bin/env bash
# Runs the real full-screen show (/s) under Xvfb at each screen size for a
# while and reports what it costs: CPU of the show and of the X server over
# the whole run and between transitions, peak resident memory, frames shown
# per second during transitions and when the first photo page is navigated.
# Each run has a store and a private scratch folder of its own; the show is
# ended with SIGTERM and must exit with 0.
#
# Usage: scripts/measure-show.sh [SECONDS] [BUILD_DIR]
#   SECONDS    length of each run (default 60)
#   BUILD_DIR  a Linux build holding src/brisander and tools/brisander-reg;
#              made as a Release build when it has neither (default
#              build/measure)
# Environment: SIZES (default "800x600 1920x1080"), EFFECT (the Effect
# setting, default 23: the blend; 0..22 are the reveals, 24 random).
set -euo pipefail
cd "$(dirname "$0")/.."

RUN_SECONDS="${1:-60}"
BUILD_DIR="${2:-build/measure}"
SIZES="${SIZES:-800x600 1920x1080}"
EFFECT="${EFFECT:-23}"
SAMPLE_SECONDS=0.1
# Frames further apart than this belong to different transitions.
TRANSITION_GAP_MS=150
# Room left around each transition when the CPU between transitions is summed.
MARGIN_MS=300

SETTINGS_KEY='HKCU\Software\Quennick\Quennick - Marrowdale'
BROWSER_KEY='HKCU\Software\Microsoft\Internet Explorer\Main'

BRISANDER="$BUILD_DIR/src/brisander"
REG="$BUILD_DIR/tools/brisander-reg"
if [ ! -x "$BRISANDER" ] || [ ! -x "$REG" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$BUILD_DIR" -j2 --target brisander brisander-reg
fi

WORK_DIR="$(mktemp -d "${TMPDIR:-/tmp}/brisander-measure.XXXXXX")"
XVFB_PID=""
SHOW_PID=""
cleanup() {
  [ -n "$SHOW_PID" ] && kill "$SHOW_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK_DIR"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# utime + stime of a process, in clock ticks.
cpu_ticks() {
  local fields
  read -r -a fields <"/proc/$1/stat"
  echo $((fields[13] + fields[14]))
}

peak_resident_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

now_ms() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }

start_xvfb() {
  local size="$1" fd_file="$WORK_DIR/display"
  rm -f "$fd_file"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fd_file" 2>"$WORK_DIR/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
  [ -s "$fd_file" ] || fail "Xvfb did not start: $(cat "$WORK_DIR/xvfb.log")"
  export DISPLAY=":$(head -n1 "$fd_file")"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  fail "Xvfb on $DISPLAY does not answer"
}

stop_xvfb() {
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
}

# A new store with the effect and page transitions on, and a new private
# scratch folder.
fresh_store() {
  export BRISANDER_REGISTRY="$WORK_DIR/store-$1.sqlite"
  export BRISANDER_TEMP="$WORK_DIR/scratch-$1"
  export BRISANDER_FRAME_LOG="$WORK_DIR/frames-$1.log"
  rm -rf "$BRISANDER_REGISTRY" "$BRISANDER_TEMP" "$BRISANDER_FRAME_LOG"
  mkdir -m 0700 "$BRISANDER_TEMP"
  "$REG" add "$SETTINGS_KEY" /v Effect /t REG_DWORD /d "$EFFECT" /f >/dev/null
  "$REG" add "$BROWSER_KEY" /v Page_Transitions /t REG_DWORD /d 1 /f >/dev/null
}

measure() {
  local size="$1"
  local samples="$WORK_DIR/samples-$size.txt"
  start_xvfb "$size"
  fresh_store "$size"

  local xvfb_before start_ms end_ms
  xvfb_before="$(cpu_ticks "$XVFB_PID")"
  start_ms="$(now_ms)"
  "$BRISANDER" /s >"$WORK_DIR/brisander-$size.log" 2>&1 &
  SHOW_PID=$!
  # "<ms> <show ticks> <X server ticks>", every SAMPLE_SECONDS.
  : >"$samples"
  end_ms=$((start_ms + RUN_SECONDS * 1000))
  while [ "$(now_ms)" -lt "$end_ms" ]; do
    kill -0 "$SHOW_PID" 2>/dev/null || fail "the show ended early: $(cat "$WORK_DIR/brisander-$size.log")"
    echo "$(now_ms) $(cpu_ticks "$SHOW_PID") $(cpu_ticks "$XVFB_PID")" >>"$samples"
    sleep "$SAMPLE_SECONDS"
  done
  local show_ticks xvfb_ticks peak_kb stopped_ms
  show_ticks="$(cpu_ticks "$SHOW_PID")"
  xvfb_ticks=$(($(cpu_ticks "$XVFB_PID") - xvfb_before))
  peak_kb="$(peak_resident_kb "$SHOW_PID")"
  stopped_ms="$(now_ms)"

  kill -TERM "$SHOW_PID"
  local exit_code=0
  wait "$SHOW_PID" || exit_code=$?
  SHOW_PID=""
  stop_xvfb
  [ "$exit_code" = 0 ] || fail "the show exited with $exit_code after SIGTERM"
  [ -z "$(ls -A "$BRISANDER_TEMP")" ] || fail "scratch files left: $(ls "$BRISANDER_TEMP")"

  report "$size" "$samples" "$BRISANDER_FRAME_LOG" "$show_ticks" "$xvfb_ticks" "$peak_kb" \
    $((stopped_ms - start_ms))
}

# Transitions are the runs of frames painted less than TRANSITION_GAP_MS
# apart; the first navigation is the blank page's, made as the slide timer
# starts, so the second one is the first photo page.
report() {
  local size="$1" samples="$2" log="$3" show_ticks="$4" xvfb_ticks="$5" peak_kb="$6"
  local elapsed_ms="$7"
  awk -v size="$size" -v hz="$(getconf CLK_TCK)" -v show_ticks="$show_ticks" \
    -v xvfb_ticks="$xvfb_ticks" -v peak_kb="$peak_kb" -v elapsed_ms="$elapsed_ms" \
    -v gap="$TRANSITION_GAP_MS" -v margin="$MARGIN_MS" -v effect="$EFFECT" '
    function median(values, count,    sorted, i, j, t) {
      for (i = 1; i <= count; i++) sorted[i] = values[i]
      for (i = 2; i <= count; i++)
        for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
          t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t
        }
      return count % 2 ? sorted[(count + 1) / 2] : (sorted[count / 2] + sorted[count / 2 + 1]) / 2
    }
    FNR == NR {
      if ($2 == "navigate") navigations[++navigated] = $1
      if ($2 != "frame") next
      if (frames == 0 || $1 - last > gap) { runs++; first[runs] = $1; count[runs] = 0 }
      count[runs]++; last = $1; lastOf[runs] = $1; frames++
      next
    }
    { sampleAt[++sampled] = $1; showAt[sampled] = $2; xAt[sampled] = $3 }
    END {
      ms_per_tick = 1000 / hz
      transitions = 0; transitionMs = 0; transitionFrames = 0
      for (r = 1; r <= runs; r++) {
        if (count[r] < 10) continue  # a repaint, not a transition
        transitions++
        span = lastOf[r] - first[r]
        fps[transitions] = (count[r] - 1) * 1000 / span
        from[transitions] = first[r]; to[transitions] = lastOf[r]
        transitionMs += span; transitionFrames += count[r]
      }
      # CPU in the sample intervals that keep MARGIN_MS away from every
      # transition and from every navigation (the slide step), after the first.
      idleMs = 0; idleShow = 0; idleX = 0
      # CPU in the sample intervals that overlap a transition.
      playMs = 0; playShow = 0; playX = 0
      for (i = 2; i <= sampled; i++) {
        a = sampleAt[i - 1]; b = sampleAt[i]
        for (t = 1; t <= transitions; t++)
          if (b > from[t] && a < to[t]) {
            playMs += b - a; playShow += showAt[i] - showAt[i - 1]; playX += xAt[i] - xAt[i - 1]
            break
          }
        if (navigated == 0 || a < navigations[1] + margin) continue
        busy = 0
        for (t = 1; t <= transitions && !busy; t++)
          if (b > from[t] - margin && a < to[t] + margin) busy = 1
        for (n = 2; n <= navigated && !busy; n++)
          if (b > navigations[n] - margin && a < navigations[n] + margin) busy = 1
        if (busy) continue
        idleMs += b - a; idleShow += showAt[i] - showAt[i - 1]; idleX += xAt[i] - xAt[i - 1]
      }
      printf "== %s, effect %d, %.1f s\n", size, effect, elapsed_ms / 1000
      printf "  CPU whole run: show %.2f %%, X server %.2f %%, together %.2f %% of one core\n",
        100 * show_ticks * ms_per_tick / elapsed_ms, 100 * xvfb_ticks * ms_per_tick / elapsed_ms,
        100 * (show_ticks + xvfb_ticks) * ms_per_tick / elapsed_ms
      if (idleMs > 0)
        printf "  CPU between transitions (%.1f s): show %.2f %%, X server %.2f %%, together %.2f %%\n",
          idleMs / 1000, 100 * idleShow * ms_per_tick / idleMs, 100 * idleX * ms_per_tick / idleMs,
          100 * (idleShow + idleX) * ms_per_tick / idleMs
      else
        print "  CPU between transitions: no sample clear of the transitions"
      if (transitionFrames > 0)
        printf "  CPU during transitions (%.1f s): show %.1f %%, X server %.1f %%; %.2f ms per frame shown, both together\n",
          playMs / 1000, 100 * playShow * ms_per_tick / playMs, 100 * playX * ms_per_tick / playMs,
          (playShow + playX) * ms_per_tick / transitionFrames
      printf "  peak resident memory of the show: %.1f MB\n", peak_kb / 1024
      if (transitions > 0) {
        minimum = fps[1]
        for (t = 2; t <= transitions; t++) if (fps[t] < minimum) minimum = fps[t]
        printf "  transitions: %d, frames shown per second: median %.1f, lowest %.1f\n",
          transitions, median(fps, transitions), minimum
      } else {
        print "  transitions: none seen"
      }
      if (navigated >= 2)
        printf "  first photo page navigated %.3f s after the slide timer started\n",
          (navigations[2] - navigations[1]) / 1000
      else
        print "  first photo page: not navigated"
    }' "$log" "$samples"
}

echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1)," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
for size in $SIZES; do measure "$size"; done
