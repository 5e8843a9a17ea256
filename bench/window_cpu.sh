#!/usr/bin/env bash
# How much of a core the game takes in a real window (Xvfb), stage by stage: the title, the map
# left alone, a battle waiting for the player's skill, a battle fought (skills chosen, lines
# clicked on, battle after battle). Each stage is measured for SECONDS from /proc/PID/stat
# (user + system time of all the game's threads over wall time). The route runs twice: with
# SDL's dummy audio driver, then with a real sound server (a PulseAudio null sink); the second
# half is skipped where PulseAudio is not installed.
#
# The route asks the game for dumps of its state (SIGUSR2, as the real-window test does) to know
# where it is; the idle stages ask nothing while they are measured.
#
# The shares move by a few tenths of a point from run to run on a busy machine: WINDOW_ROUNDS=N
# plays the route N times with each driver and ends with the median of each stage.
# WINDOW_DRIVERS picks the drivers (default "dummy pulseaudio").
#
# Usage: bench/window_cpu.sh [QV] [SECONDS]     (defaults: build/qv and 30)
# Exit 77 when no X server can be started.
set -u
QV=${1:-build/qv}
SECONDS_PER_STAGE=${2:-${WINDOW_SECONDS:-30}}
ROUNDS=${WINDOW_ROUNDS:-1}
DRIVERS=${WINDOW_DRIVERS:-dummy pulseaudio}
QV=$(realpath "$QV")
WORK=$(mktemp -d /tmp/qv-window-cpu.XXXXXX)
CLK_TCK=$(getconf CLK_TCK)

skip() { echo "window CPU: skipped: $*"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is not installed (scripts/install-deps)"
command -v xdotool >/dev/null || skip "xdotool is not installed (scripts/install-deps)"
[ -x "$QV" ] || skip "no game at $QV (make build)"

QV_PID= XVFB_PID= PULSE_PID=
cleanup() {
  [ -n "$QV_PID" ] && kill "$QV_PID" 2>/dev/null && wait "$QV_PID" 2>/dev/null
  [ -n "$PULSE_PID" ] && kill "$PULSE_PID" 2>/dev/null && wait "$PULSE_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "window CPU: FAILED: $*"
  [ -s "$RUN/qv.err" ] && tail -5 "$RUN/qv.err"
  exit 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 200); do
  [ -s "$WORK/display" ] && break
  kill -0 "$XVFB_PID" 2>/dev/null || skip "Xvfb could not start"
  sleep 0.05
done
[ -s "$WORK/display" ] || skip "Xvfb did not come up"
export DISPLAY=":$(head -1 "$WORK/display")"
export SDL_VIDEODRIVER=x11
unset SDL_RENDER_DRIVER

# CPU ticks (user + system) of a process so far.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# The same for the process's audio threads (SDL names them SDLAudio...), with their wakeups.
audio_ticks() {
  local t sum=0
  for t in /proc/"$1"/task/*; do
    case "$(cat "$t/comm" 2>/dev/null)" in
      SDLAudio*) sum=$((sum + $(awk '{print $14 + $15}' "$t/stat" 2>/dev/null || echo 0))) ;;
    esac
  done
  echo "$sum"
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

N=0 DUMP= ROUND_NO=0
snapshot() {
  N=$((N + 1))
  kill -USR2 "$QV_PID" 2>/dev/null || fail "the game is gone"
  for _ in $(seq 1000); do
    [ -f "$RUN/shots/dump-$N.txt" ] && { DUMP="$RUN/shots/dump-$N.txt"; return; }
    sleep 0.01
  done
  fail "no state dump within 10 s"
}
value() { sed -n "s/^$1: //p" "$DUMP" | head -1; }
panel_shown() { grep -q "^visible panels:.* $1\\( \\|\$\\)" "$DUMP"; }
wait_for() {
  for _ in $(seq 500); do
    snapshot
    [ "$(value "$1")" = "$2" ] && return
    sleep 0.02
  done
  fail "waited for $1 to be '$2'; it is '$(value "$1")'"
}
UPS=0
click() {
  UPS=$((UPS + 1))
  xdotool mousemove --window "$WID" "$1" "$2" click 1
  for _ in $(seq 500); do
    snapshot
    [ "$(value inputs.up)" -ge "$UPS" ] 2>/dev/null && return
    sleep 0.01
  done
  fail "a click was not taken"
}

# One step of a fight: the first skill and 発動 on the player's turn, a click on a waiting
# line, 帰る after a victory, a night at the inn when the hero is worn, and the free area again
# from the map. A fallen hero is clicked on to the title and the stage goes on measuring.
fight_step() {
  snapshot
  if [ "$(value gameOver)" = 1 ]; then
    click 320 240
  elif panel_shown com_box; then
    click 460 460
  elif [ "$(value location)" = -1 ] && panel_shown map_box; then
    if [ "$(value player.hp)" -lt $(( $(value player.maxHp) / 2 )) ] 2>/dev/null; then
      click 254 134
    else
      click 330 162
    fi
  elif panel_shown battle_box && [ "$(value paused)" != 1 ]; then
    click 540 20
    click 546 450
  elif [ "$(value paused)" = 1 ]; then
    click 100 100
  else
    sleep 0.1
  fi
}

# Measures one stage: the game's and the X server's share of a core over SECONDS, while
# ACTION (if any) runs over and over.
RESULTS=()
measure() {
  local name=$1 action=${2:-}
  local t0 x0 a0 w0 t1 x1 a1 w1 end
  t0=$(ticks "$QV_PID") x0=$(ticks "$XVFB_PID") a0=$(audio_ticks "$QV_PID") w0=$(now_ms)
  end=$((w0 + SECONDS_PER_STAGE * 1000))
  if [ -n "$action" ]; then
    while [ "$(now_ms)" -lt "$end" ]; do "$action"; done
  else
    sleep "$SECONDS_PER_STAGE"
  fi
  t1=$(ticks "$QV_PID") x1=$(ticks "$XVFB_PID") a1=$(audio_ticks "$QV_PID") w1=$(now_ms)
  kill -0 "$QV_PID" 2>/dev/null || fail "the game ended during '$name'"
  local share xshare ashare
  percent() { awk -v t="$1" -v w=$((w1 - w0)) -v hz="$CLK_TCK" 'BEGIN {printf "%.2f", 100 * t / hz / (w / 1000)}'; }
  share=$(percent $((t1 - t0)))
  xshare=$(percent $((x1 - x0)))
  ashare=$(percent $((a1 - a0)))
  printf '  %-16s %6s %% of a core   (of which the audio thread %s %%; Xvfb %s %%)\n' "$name" \
    "$share" "$ashare" "$xshare"
  RESULTS+=("$share")
}

# Plays the route once with the audio driver given.
route() {
  local audio=$1
  ROUND_NO=$((ROUND_NO + 1))
  RUN="$WORK/run-$audio-$ROUND_NO"
  mkdir -p "$RUN/data" "$RUN/shots"
  N=0 UPS=0
  SDL_AUDIODRIVER=$audio "$QV" --scale 1 --seed 1 --data-dir "$RUN/data" --config "$RUN/qv.ini" \
    --snapshot-dir "$RUN/shots" >"$RUN/qv.out" 2>"$RUN/qv.err" &
  QV_PID=$!
  WID=
  for _ in $(seq 400); do
    WID=$(xdotool search --onlyvisible --name '^Q\.V\.' 2>/dev/null | head -1)
    [ -n "$WID" ] && break
    kill -0 "$QV_PID" 2>/dev/null || fail "the game ended at start-up"
    sleep 0.05
  done
  [ -n "$WID" ] || fail "no game window"
  # The window shows before the game listens for its dump signal (SIGUSR2, bit 11 of SigCgt);
  # a signal sent earlier would end it.
  for _ in $(seq 400); do
    mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$QV_PID/status" 2>/dev/null)
    [ -n "$mask" ] && (((16#$mask >> 11) & 1)) && break
    kill -0 "$QV_PID" 2>/dev/null || fail "the game ended at start-up"
    sleep 0.05
  done
  echo "audio driver $audio:"
  RESULTS=()
  wait_for scene -2
  click 320 240
  wait_for scene -1
  sleep 1
  measure title

  click 320 240
  wait_for scene 0
  click 200 86
  wait_for textInput 1
  xdotool type --delay 40 Kai
  wait_for nameField Kai
  click 186 120
  click 186 296
  click 302 384
  click 300 464
  wait_for storyMode 1
  for _ in $(seq 200); do
    snapshot
    [ "$(value storyMode)" = 0 ] && break
    [ "$(value paused)" = 1 ] && click 320 200
  done
  wait_for location -1
  sleep 1
  measure "map idle"

  click 330 162
  wait_for location 1
  for _ in $(seq 400); do
    snapshot
    panel_shown battle_box && [ "$(value paused)" != 1 ] && break
    [ "$(value paused)" = 1 ] && click 100 100
    sleep 0.05
  done
  panel_shown battle_box || fail "no skill list in the free area"
  sleep 1
  measure "battle waiting"
  measure "battle fought" fight_step

  kill "$QV_PID" 2>/dev/null
  wait "$QV_PID" 2>/dev/null
  QV_PID=
  echo "  ($(IFS=/; echo "${RESULTS[*]}") % for title/map idle/battle waiting/battle fought)"
}

# The median of each stage over the rounds of one driver (ROUND_RESULTS: one line a round).
ROUND_RESULTS=()
medians() {
  local stage values
  local -a out=()
  for stage in 1 2 3 4; do
    values=$(printf '%s\n' "${ROUND_RESULTS[@]}" | awk -v s="$stage" '{print $s}' | sort -n)
    out+=("$(echo "$values" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : sprintf("%.2f", (v[NR / 2] + v[NR / 2 + 1]) / 2)}')")
  done
  echo "  median of $ROUNDS rounds: $(IFS=/; echo "${out[*]}") % for title/map idle/battle waiting/battle fought"
}

# Plays the route ROUNDS times with one driver.
rounds() {
  ROUND_RESULTS=()
  for _ in $(seq "$ROUNDS"); do
    route "$1"
    ROUND_RESULTS+=("${RESULTS[*]}")
  done
  [ "$ROUNDS" -gt 1 ] && medians
  return 0
}

echo "window CPU: $QV, $SECONDS_PER_STAGE s a stage, display $DISPLAY"
case " $DRIVERS " in *" dummy "*) rounds dummy ;; esac
case " $DRIVERS " in *" pulseaudio "*) ;; *) exit 0 ;; esac

if ! command -v pulseaudio >/dev/null; then
  echo "window CPU: the sound-server half is skipped: PulseAudio is not installed"
  exit 0
fi
# A private PulseAudio with one null sink, talking only through a socket in the work folder.
export XDG_RUNTIME_DIR="$WORK/pulse" PULSE_SERVER="unix:$WORK/pulse/native"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit --disable-shm -n \
  --load="module-null-sink sink_name=bench" \
  --load="module-native-protocol-unix socket=$WORK/pulse/native auth-anonymous=1" \
  >"$WORK/pulse.log" 2>&1 &
PULSE_PID=$!
for _ in $(seq 100); do
  [ -S "$WORK/pulse/native" ] && break
  kill -0 "$PULSE_PID" 2>/dev/null || break
  sleep 0.05
done
if [ ! -S "$WORK/pulse/native" ]; then
  echo "window CPU: the sound-server half is skipped: PulseAudio did not start ($(tail -1 "$WORK/pulse.log"))"
  exit 0
fi
rounds pulseaudio
