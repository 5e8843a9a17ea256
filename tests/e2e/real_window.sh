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
# The run shows its texts in LANGUAGE (ja by default); a headless replay in the other language
# (English for a Japanese run, Japanese for any other) must write the very same save and record,
# since the language is only on the screen.
#
# Usage: real_window.sh QV WORKDIR [LANGUAGE]. Exit 77 (skipped) when no X server can be started.
set -u
QV=$1
WORK=$2
LANGUAGE=${3:-ja}
LANGUAGE_OPTIONS=(--language "$LANGUAGE")
OTHER_LANGUAGE=ja
[ "$LANGUAGE" = ja ] && OTHER_LANGUAGE=en

fail() {
  echo "FAILED: $*"
  [ -s "$WORK/qv.err" ] && { echo "--- the game's messages:"; tail -20 "$WORK/qv.err"; }
  exit 1
}
. "$(dirname "$0")/window_driver.sh"

command -v Xvfb >/dev/null || skip "Xvfb is not installed (scripts/install-deps)"
command -v xdotool >/dev/null || skip "xdotool is not installed (scripts/install-deps)"
rm -rf "$WORK"
mkdir -p "$WORK/data" "$WORK/shots"

cleanup() {
  [ -n "$QV_PID" ] && kill "$QV_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
}
trap cleanup EXIT

start_display
# Windows unscaled, silent, with a settings file of their own. The played run keeps the
# game's pace (a faster timer would only burn the machine while the test waits); the windowed
# replay runs as fast as it can.
LIVE_OPTIONS=(--scale 1 --mute --config "$WORK/qv.ini" "${LANGUAGE_OPTIONS[@]}")
WINDOW_OPTIONS=("${LIVE_OPTIONS[@]}" --fast)
start_game "${LIVE_OPTIONS[@]}" --seed 1 --data-dir "$WORK/data"

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
close_game
grep -q "closing at the system's request; nothing was unsaved" "$WORK/qv.err" ||
  fail "no note of the system's close, or progress left unsaved after the inn"
echo "recorded $(grep -c . "$WORK/run.qvr") lines, ${#PICTURES[@]} pictures, final hash $RECORDED"

# The same recording without a window, and in the window again.
"$QV" --headless "${LANGUAGE_OPTIONS[@]}" --replay "$WORK/run.qvr" --snapshot-dir "$WORK/replay-headless" \
  >"$WORK/replay-headless.out" 2>"$WORK/qv.err" || fail "the headless replay: $(cat "$WORK/replay-headless.out")"
stage "replayed headless"
"$QV" "${WINDOW_OPTIONS[@]}" --replay "$WORK/run.qvr" --snapshot-dir "$WORK/replay-window" \
  >"$WORK/replay-window.out" 2>"$WORK/qv.err" || fail "the windowed replay: $(cat "$WORK/replay-window.out")"
stage "replayed"
compare_replay headless
compare_replay window

# The same inputs in the other language write the same files, byte for byte.
"$QV" --headless --language "$OTHER_LANGUAGE" --replay "$WORK/run.qvr" --data-dir "$WORK/replay-other" \
  >"$WORK/replay-other.out" 2>"$WORK/qv.err" || fail "the $OTHER_LANGUAGE replay: $(cat "$WORK/replay-other.out")"
grep -q "replay matches: .* final hash $RECORDED" "$WORK/replay-other.out" ||
  fail "the $OTHER_LANGUAGE replay: $(cat "$WORK/replay-other.out")"
for file in my.dat 記録.txt; do
  cmp -s "$WORK/data/$file" "$WORK/replay-other/$file" ||
    fail "$file of the $LANGUAGE run differs from the $OTHER_LANGUAGE replay's (see $WORK)"
done
stage "replayed in $OTHER_LANGUAGE"
echo "PASSED ($LANGUAGE): ${#PICTURES[@]} pictures identical in the window, headless and windowed replays;" \
  "the save and the record identical in $OTHER_LANGUAGE"
