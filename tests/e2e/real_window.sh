#!/usr/bin/env bash
# The game in its own SDL window on an Xvfb display, played with real X input events
# (xdotool): the opening credit, the title, a new hero whose name is typed, the opening
# monologue, the map, a battle in the free area fought through the skill list and 発動, home
# to the map and a night at the inn. The run is recorded, and at fixed points the game writes
# the picture it shows. The recording is then replayed headless and in the window: every
# picture must match to the pixel and every run must end on the same hash of the saved state.
#
# The test never sleeps in the hope that the game has caught up: it asks the game for a dump
# of its state (SIGUSR2; SIGUSR1 adds the picture) and waits for the state it needs.
#
# Usage: real_window.sh QV WORKDIR. Exit 77 (skipped) when no X server can be started.
set -u
QV=$1
WORK=$2

skip() { echo "SKIPPED: $*"; exit 77; }
fail() {
  echo "FAILED: $*"
  [ -s "$WORK/qv.err" ] && { echo "--- the game's messages:"; tail -20 "$WORK/qv.err"; }
  exit 1
}

command -v Xvfb >/dev/null || skip "Xvfb is not installed (scripts/install-deps)"
command -v xdotool >/dev/null || skip "xdotool is not installed (scripts/install-deps)"
rm -rf "$WORK"
mkdir -p "$WORK/data" "$WORK/shots"

QV_PID=
XVFB_PID=
cleanup() {
  [ -n "$QV_PID" ] && kill "$QV_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
}
trap cleanup EXIT

# Xvfb chooses a free display itself and writes its number once it takes clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 200); do
  [ -s "$WORK/display" ] && break
  kill -0 "$XVFB_PID" 2>/dev/null || skip "Xvfb could not start: $(tail -1 "$WORK/xvfb.log")"
  sleep 0.05
done
[ -s "$WORK/display" ] || skip "Xvfb did not come up within 10 s"
export DISPLAY=":$(head -1 "$WORK/display")"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
unset SDL_RENDER_DRIVER
# The X and font libraries keep their caches to the end; they are not ours to free.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

# Windows unscaled, silent, with a settings file of their own. The played run keeps the
# game's pace (a faster timer would only burn the machine while the test waits); the windowed
# replay runs as fast as it can.
LIVE_OPTIONS=(--scale 1 --mute --config "$WORK/qv.ini")
WINDOW_OPTIONS=("${LIVE_OPTIONS[@]}" --fast)

"$QV" "${LIVE_OPTIONS[@]}" --seed 1 --data-dir "$WORK/data" --record "$WORK/run.qvr" \
  --snapshot-dir "$WORK/shots" >"$WORK/qv.out" 2>"$WORK/qv.err" &
QV_PID=$!

# The game's loop runs once the recording holds its first check.
for _ in $(seq 400); do
  grep -q '^0 check ' "$WORK/run.qvr" 2>/dev/null && break
  kill -0 "$QV_PID" 2>/dev/null || fail "the game ended at start-up"
  sleep 0.05
done
grep -q '^0 check ' "$WORK/run.qvr" 2>/dev/null || fail "the game did not start within 20 s"
WID=$(xdotool search --onlyvisible --name '^Q\.V\.' | head -1)
[ -n "$WID" ] || fail "no window named Q.V. on $DISPLAY"

N=0       # snapshots asked for
DUMP=     # the newest dump
PICTURES=()

# Asks for a dump (SIGUSR2) or a dump and the picture (SIGUSR1) and waits until it is written.
snapshot() {
  N=$((N + 1))
  kill "-$1" "$QV_PID" 2>/dev/null || fail "the game is gone (snapshot $N)"
  for _ in $(seq 1000); do
    if [ -f "$WORK/shots/dump-$N.txt" ]; then
      DUMP="$WORK/shots/dump-$N.txt"
      return
    fi
    sleep 0.01
  done
  fail "snapshot $N was not written within 10 s"
}
look() { snapshot USR2; }
picture() {
  snapshot USR1
  PICTURES+=("shot-$N.png")
}
value() { sed -n "s/^$1: //p" "$DUMP" | head -1; }
panel_shown() { grep -q "^visible panels:.* $1\\( \\|\$\\)" "$DUMP"; }

# Waits until KEY reads VALUE.
wait_for() {
  for _ in $(seq 500); do
    look
    [ "$(value "$1")" = "$2" ] && return
    sleep 0.01
  done
  fail "waited for $1 to be '$2'; it is '$(value "$1")'"
}
# Waits until the number KEY is at least N.
wait_at_least() {
  for _ in $(seq 500); do
    look
    [ "$(value "$1")" -ge "$2" ] 2>/dev/null && return
    sleep 0.01
  done
  fail "waited for $1 to reach $2; it is '$(value "$1")'"
}

UPS=0
# A left click at a position of the 640x480 picture; returns once the game has had it.
click() {
  UPS=$((UPS + 1))
  xdotool mousemove --window "$WID" "$1" "$2" click 1
  wait_at_least inputs.up "$UPS"
}

START=$(date +%s%N)
stage() { echo "$(( ($(date +%s%N) - START) / 1000000 )) ms: $*"; }
stage "display $DISPLAY, window $WID"
# The opening credit, the title, and into play.
wait_for scene -2
picture
click 320 240
wait_for scene -1
picture
click 320 240
wait_for scene 0
panel_shown bp_box || fail "no creation panel after the title"

# Creation: the name typed on the keyboard, then STR, the sage, the beast-man and OK.
click 200 86
wait_for textInput 1
xdotool type --delay 40 Kai
wait_for nameField Kai
picture
click 186 120
click 186 296
click 302 384
click 300 464
wait_for storyMode 1
[ "$(value player.name)" = Kai ] || fail "the hero is called '$(value player.name)', not Kai"

stage "creation done"
# The opening monologue: one click a line, until the map comes up.
look
for _ in $(seq 120); do
  [ "$(value storyMode)" = 0 ] && break
  if [ "$(value paused)" = 1 ]; then click 320 200; else look; fi
done
wait_for location -1
panel_shown map_box || fail "no map after the opening"
picture

stage "the map"
# The free area: a battle fought through the skill list and 発動 until the enemy falls.
click 330 162
wait_for location 1
picture
for _ in $(seq 400); do
  look
  panel_shown com_box && break
  [ "$(value gameOver)" = 1 ] && fail "the hero fell in the free area"
  if panel_shown battle_box; then
    click 540 20    # the first skill of the list
    click 546 450   # 発動
  elif [ "$(value paused)" = 1 ]; then
    click 100 100   # the next line
  fi
done
panel_shown com_box || fail "the battle did not end"
[ "$(value enemy.hp)" = 0 ] || fail "the commands came with the enemy alive"
# The command box slides in; a few ticks later its buttons are in place.
wait_at_least ticks $(($(value ticks) + 20))
picture

stage "the battle won"
# 帰る: home to the map, then the inn (the keeper names the price, a click pays and saves).
click 460 460
wait_for location -1
click 254 134
wait_for location 0
wait_for paused 1
picture
click 100 100
for _ in $(seq 200); do
  look
  grep -q "line\\[0\\]: .*Save complete" "$DUMP" && break
done
grep -q "line\\[0\\]: .*Save complete" "$DUMP" || fail "the inn did not save"
click 100 100
wait_for location -1
picture

stage "the inn"
# The system closes the window (as when the session ends): no question, one line on the
# terminal, and the recording gets its end. The inn has just saved, so nothing is lost.
kill -TERM "$QV_PID"
wait "$QV_PID" || fail "the game ended with exit code $?"
QV_PID=
grep -q "closing at the system's request; nothing was unsaved" "$WORK/qv.err" ||
  fail "no note of the system's close, or progress left unsaved after the inn"
RECORDED=$(sed -n 's/.*final hash \([0-9a-f]*\).*/\1/p' "$WORK/qv.out")
[ -n "$RECORDED" ] || fail "the recorded run printed no final hash"
echo "recorded $(grep -c . "$WORK/run.qvr") lines, ${#PICTURES[@]} pictures, final hash $RECORDED"

# The same recording without a window, and in the window again.
"$QV" --headless --replay "$WORK/run.qvr" --snapshot-dir "$WORK/replay-headless" \
  >"$WORK/replay-headless.out" 2>"$WORK/qv.err" || fail "the headless replay: $(cat "$WORK/replay-headless.out")"
stage "replayed headless"
"$QV" "${WINDOW_OPTIONS[@]}" --replay "$WORK/run.qvr" --snapshot-dir "$WORK/replay-window" \
  >"$WORK/replay-window.out" 2>"$WORK/qv.err" || fail "the windowed replay: $(cat "$WORK/replay-window.out")"
stage "replayed"
for mode in headless window; do
  grep -q "replay matches: .* final hash $RECORDED" "$WORK/replay-$mode.out" ||
    fail "the $mode replay: $(cat "$WORK/replay-$mode.out")"
  for shot in "${PICTURES[@]}"; do
    cmp -s "$WORK/shots/$shot" "$WORK/replay-$mode/$shot" ||
      fail "$shot of the window differs from the $mode replay's (see $WORK)"
  done
done
echo "PASSED: ${#PICTURES[@]} pictures identical in the window, headless and windowed replays"
