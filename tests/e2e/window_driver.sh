# What the real-window tests share (sourced): an Xvfb display of their own, the game started
# with a recording and test snapshots, and the game's state read back from its dumps. Nothing
# here sleeps in the hope that the game has caught up: the test asks the game for a dump of
# its state (SIGUSR2; SIGUSR1 adds the picture) and waits for the state it needs.
#
# The sourcing script sets QV and WORK and defines fail (a message, exit 1); skip is here.

skip() { echo "SKIPPED: $*"; exit 77; }

QV_PID=
XVFB_PID=
START=$(date +%s%N)
# How long any one wait may last before the test fails: generous, for a busy machine. The
# waits end as soon as what they wait for is there.
PATIENCE=${QV_TEST_PATIENCE:-30}

# Runs a command again and again until it succeeds (true) or PATIENCE seconds have passed.
keep_trying() {
  local until=$((SECONDS + PATIENCE))
  while :; do
    "$@" && return 0
    [ "$SECONDS" -lt "$until" ] || return 1
    sleep 0.02
  done
}
# Milliseconds since the test began, with what it has reached.
stage() { echo "$((($(date +%s%N) - START) / 1000000)) ms: $*"; }

# Starts Xvfb on a display it chooses itself and exports DISPLAY; skips when it cannot start.
start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  display_or_gone() {
    [ -s "$WORK/display" ] && return
    kill -0 "$XVFB_PID" 2>/dev/null || skip "Xvfb could not start: $(tail -1 "$WORK/xvfb.log")"
    return 1
  }
  keep_trying display_or_gone || skip "Xvfb did not come up within $PATIENCE s"
  export DISPLAY=":$(head -1 "$WORK/display")"
  export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
  unset SDL_RENDER_DRIVER
  # The X and font libraries keep their caches to the end; they are not ours to free.
  export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
}

# Starts the game with OPTIONS..., recording to $WORK/run.qvr and writing its snapshots to
# $WORK/shots, and waits until its loop runs (the recording holds its first check) and its
# window is up (WID).
start_game() {
  "$QV" "$@" --record "$WORK/run.qvr" --snapshot-dir "$WORK/shots" >"$WORK/qv.out" \
    2>"$WORK/qv.err" &
  QV_PID=$!
  game_running() {
    grep -q '^0 check ' "$WORK/run.qvr" 2>/dev/null && return
    kill -0 "$QV_PID" 2>/dev/null || fail "the game ended at start-up"
    return 1
  }
  keep_trying game_running || fail "the game did not start within $PATIENCE s"
  WID=$(xdotool search --onlyvisible --name '^Q\.V\.' | head -1)
  [ -n "$WID" ] || fail "no window named Q.V. on $DISPLAY"
}

N=0       # snapshots asked for
DUMP=     # the newest dump
PICTURES=()

# Asks for a dump (SIGUSR2) or a dump and the picture (SIGUSR1) and waits until it is written.
snapshot() {
  N=$((N + 1))
  kill "-$1" "$QV_PID" 2>/dev/null || fail "the game is gone (snapshot $N)"
  keep_trying test -f "$WORK/shots/dump-$N.txt" ||
    fail "snapshot $N was not written within $PATIENCE s"
  DUMP="$WORK/shots/dump-$N.txt"
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
  reads() { look && [ "$(value "$1")" = "$2" ]; }
  keep_trying reads "$1" "$2" ||
    fail "waited for $1 to be '$2'; it is '$(value "$1")'"
}
# Waits until KEY no longer reads VALUE.
wait_change() {
  reads_not() { look && [ "$(value "$1")" != "$2" ]; }
  keep_trying reads_not "$1" "$2" ||
    fail "waited for $1 to change from '$2'"
}
# Waits until the number KEY is at least N.
wait_at_least() {
  reaches() { look && [ "$(value "$1")" -ge "$2" ] 2>/dev/null; }
  keep_trying reaches "$1" "$2" ||
    fail "waited for $1 to reach $2; it is '$(value "$1")'"
}

UPS=0
# A left click at a position of the 640x480 picture; returns once the game has had it.
click() {
  UPS=$((UPS + 1))
  xdotool mousemove --window "$WID" "$1" "$2" click 1
  wait_at_least inputs.up "$UPS"
}

# Closes the window as the system does (SIGTERM); the recording gets its end. RECORDED is the
# hash it ends on.
close_game() {
  kill -TERM "$QV_PID"
  wait "$QV_PID" || fail "the game ended with exit code $?"
  QV_PID=
  RECORDED=$(sed -n 's/.*final hash \([0-9a-f]*\).*/\1/p' "$WORK/qv.out")
  [ -n "$RECORDED" ] || fail "the recorded run printed no final hash"
}

# The replay written by MODE (headless, window) must have matched the recording and drawn
# every picture the window showed, pixel for pixel.
compare_replay() {
  grep -q "replay matches: .* final hash $RECORDED" "$WORK/replay-$1.out" ||
    fail "the $1 replay: $(cat "$WORK/replay-$1.out")"
  for shot in "${PICTURES[@]}"; do
    cmp -s "$WORK/shots/$shot" "$WORK/replay-$1/$shot" ||
      fail "$shot of the window differs from the $1 replay's (see $WORK)"
  done
}
