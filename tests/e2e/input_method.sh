#!/usr/bin/env bash
# A name typed through a real input method, as a Japanese player types it: the game in its own
# window on an Xvfb display with a Japanese keyboard, a private D-Bus session, the input method
# (IBus or Fcitx 5) with Mozc, and every key pressed with xdotool. The player turns Mozc on with
# 半角/全角, types "kai" and commits the hiragana, types "kai" again and commits Mozc's first
# conversion, takes back a composition and a character, composes more than the name can hold,
# and then the input method dies in the middle of a composition. The saved name line of my.dat,
# read as CP932, must hold exactly what was committed; keys the input method consumed must
# never have reached the game; the pictures of the window, compositions included, must match
# those of the recording's headless replay.
#
# The test never sleeps in the hope that something happened: it asks the game for dumps of its
# state (SIGUSR2; SIGUSR1 adds the picture) and waits for the state it needs.
#
# Usage: input_method.sh QV WORKDIR ibus|fcitx5. Exit 77 (skipped) only when no X server can
# start; a missing input method is a failure (scripts/install-deps installs it).
set -u
# Japanese in the test's own text and patterns.
export LC_ALL=C.UTF-8
QV=$1
WORK=$2
IM=$3

fail() {
  echo "FAILED ($IM): $*"
  [ -s "$WORK/qv.err" ] && { echo "--- the game's messages:"; tail -20 "$WORK/qv.err"; }
  [ -s "$WORK/im.log" ] && { echo "--- the input method's messages:"; tail -20 "$WORK/im.log"; }
  exit 1
}
. "$(dirname "$0")/window_driver.sh"

case "$IM" in
  ibus) NEEDED=(ibus-daemon ibus /usr/lib/ibus-mozc/ibus-engine-mozc) ;;
  fcitx5) NEEDED=(fcitx5 fcitx5-remote /usr/share/fcitx5/inputmethod/mozc.conf) ;;
  *) fail "unknown input method '$IM' (ibus or fcitx5)" ;;
esac
command -v Xvfb >/dev/null || skip "Xvfb is not installed (scripts/install-deps)"
for tool in "${NEEDED[@]}" /usr/lib/mozc/mozc_server xdotool setxkbmap dbus-daemon dbus-send \
  iconv setpriv; do
  case "$tool" in
    /*) [ -e "$tool" ] ;;
    *) command -v "$tool" >/dev/null ;;
  esac || fail "$tool is missing: run scripts/install-deps"
done

# Mozc's converter refuses to run as root, and the game, the input method and the converter
# must be one user to reach each other: run as root, the test runs as nobody. A checkout in a
# folder only root may enter (/root) stays readable to it: nobody keeps the right to read and
# search folders, and nothing else of root's. The game wants a data folder that its user can
# write by the folder's own rights, so the test then works in a folder of its own in the
# temporary folder (WORK/elsewhere names it).
if [ "$(id -u)" = 0 ]; then
  rm -rf "$WORK"
  mkdir -p "$WORK"
  chown nobody "$WORK"
  AS_NOBODY=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
  if ! "${AS_NOBODY[@]}" -- test -x "$QV" -a -r "$0" -a -w "$WORK"; then
    AS_NOBODY+=(--inh-caps=+dac_read_search --ambient-caps=+dac_read_search)
    # (test(1) asks by the rights of the files alone; opening them asks as a program does.)
    "${AS_NOBODY[@]}" -- sh -c 'head -c1 "$1" && head -c1 "$2"' - "$QV" "$0" >/dev/null ||
      fail "nobody cannot read $QV or $0"

    ELSEWHERE=$(mktemp -d "${TMPDIR:-/tmp}/qv-input-method.XXXXXX") || fail "no temporary folder"
    chmod 755 "$ELSEWHERE"
    chown nobody "$ELSEWHERE"
    echo "$ELSEWHERE" >"$WORK/elsewhere"
    echo "working in $ELSEWHERE (nobody cannot write $WORK by its rights)"
    set -- "$QV" "$ELSEWHERE" "$IM"
    export QV_IM_TEST_ELSEWHERE=1
  fi
  exec "${AS_NOBODY[@]}" -- env QV_IM_TEST_WORK_READY=1 bash "$0" "$@"
fi
if [ -z "${QV_IM_TEST_WORK_READY:-}" ]; then
  rm -rf "$WORK"
  mkdir -p "$WORK"
fi
[ -x "$QV" ] || fail "$(id -un) cannot run $QV"
mkdir -p "$WORK/data" "$WORK/shots" "$WORK/home/.config" "$WORK/run"
chmod 700 "$WORK/run"

# Everything the input method and the game keep (Mozc's dictionary history, IBus's and
# Fcitx's settings) stays in the test's own folder.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_CACHE_HOME="$WORK/home/.cache"
export XDG_DATA_HOME="$WORK/home/.local/share" XDG_RUNTIME_DIR="$WORK/run" NO_AT_BRIDGE=1
unset DBUS_SESSION_BUS_ADDRESS SDL_IM_MODULE GTK_IM_MODULE QT_IM_MODULE

IM_PID=
BUS_PID=
cleanup() {
  [ -n "$QV_PID" ] && kill "$QV_PID" 2>/dev/null
  [ -n "$IM_PID" ] && kill "$IM_PID" 2>/dev/null
  # The input method's helpers (the engine, Mozc's converter and its candidate window) detach
  # from it; they are known by the home folder they were started with.
  for p in /proc/[0-9]*; do
    [ "${p#/proc/}" = $$ ] && continue
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "HOME=$HOME" &&
      kill "${p#/proc/}" 2>/dev/null
  done
  [ -n "$BUS_PID" ] && kill "$BUS_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  # A folder of the test's own in the temporary folder goes once the test has passed.
  [ -n "$PASSED" ] && [ -n "${QV_IM_TEST_ELSEWHERE:-}" ] && rm -rf "$WORK"
}
PASSED=
trap cleanup EXIT

# Waits (PATIENCE seconds at most) for a command to succeed.
quietly() { "$@" >/dev/null 2>&1; }
wait_until() { keep_trying quietly "$@"; }

start_display
# The keyboard of a Japanese desktop: 半角/全角 is the key left of 1.
setxkbmap -layout jp || fail "setxkbmap could not set the Japanese layout"

dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$WORK/bus" 4>"$WORK/bus.pid" ||
  fail "no D-Bus session bus"
BUS_PID=$(cat "$WORK/bus.pid")
export DBUS_SESSION_BUS_ADDRESS=$(cat "$WORK/bus")

bus_has() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}
ibus_has_mozc() { ibus list-engine | grep -q 'mozc-jp'; }
ibus_on_mozc() { [ "$(ibus engine)" = mozc-jp ]; }

# SDL waits 300 ms for the input method to take or pass each key; one answered later reaches
# the game as well. Mozc's converter starts with the first key it sees and loads its
# dictionaries, which a busy machine can make slower than that: it is started first, as a
# desktop has it running long before a game starts.
/usr/lib/mozc/mozc_server >"$WORK/mozc.log" 2>&1 &
wait_until test -e "$XDG_CONFIG_HOME/mozc/.session.ipc" || fail "Mozc's converter did not start"

# The input method with Mozc, as the desktop's settings (im-config, XMODIFIERS) start it.
case "$IM" in
  ibus)
    ibus-daemon --xim=false --panel=disable --emoji-extension=disable >"$WORK/im.log" 2>&1 &
    IM_PID=$!
    wait_until ibus_has_mozc || fail "IBus did not come up with Mozc within $PATIENCE s"
    # (`ibus engine NAME` reports failure even when it switches; what counts is the engine.)
    ibus engine mozc-jp >/dev/null 2>&1
    wait_until ibus_on_mozc || fail "IBus did not switch to Mozc: '$(ibus engine 2>&1)'"
    export XMODIFIERS=@im=ibus
    ;;
  fcitx5)
    mkdir -p "$XDG_CONFIG_HOME/fcitx5"
    cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=日本語
Default Layout=jp
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-jp
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=日本語
EOF
    fcitx5 >"$WORK/im.log" 2>&1 &
    IM_PID=$!
    # SDL gives Fcitx 300 ms to answer the game's first call, and Fcitx answers nothing while
    # it loads Mozc: the game starts once Mozc is loaded and Fcitx answers again.
    wait_until bus_has org.freedesktop.portal.Fcitx ||
      fail "Fcitx 5 did not come up within $PATIENCE s"
    wait_until grep -q 'Loaded addon mozc' "$WORK/im.log" || fail "Fcitx 5 did not load Mozc"
    wait_until fcitx5-remote || fail "Fcitx 5 does not answer"
    export XMODIFIERS=@im=fcitx
    ;;
esac
stage "display $DISPLAY, $IM running"

start_game --scale 1 --mute --config "$WORK/qv.ini" --seed 1 --data-dir "$WORK/data"

type_keys() { xdotool type --delay 20 "$1"; }
# No key that the input method took may have reached the game.
KEYS=0
keys_unchanged() {
  look
  [ "$(value inputs.key)" = "$KEYS" ] ||
    fail "$1: the game got $(($(value inputs.key) - KEYS)) key(s) that the input method" \
      "consumed (or answered after SDL's 300 ms: is the machine too busy?)"
}

# Through the opening screens into character creation, and into the name field.
wait_for scene -2
click 320 240
wait_for scene -1
click 320 240
wait_for scene 0
click 200 86
wait_for textInput 1
stage "the name field has the keyboard"

# 半角/全角 turns Mozc on. The input method takes keys for the field only once it has given
# the field's input context its engine, which a busy machine can make later than the click;
# until then 半角/全角 does nothing and letters come out as they are. As a player would, the
# test types a letter to see: a composition means Mozc is on (Escape takes it back); a plain
# letter goes with Backspace, and 半角/全角 is pressed again.
answered() {
  look && { [ "$(value composition)" = あ ] || [ "$(value nameField)" = a ]; }
}
name_empty() { look && [ -z "$(value nameField)" ]; }
ON=
for attempt in 1 2 3 4 5; do
  xdotool key Zenkaku_Hankaku
  xdotool type a
  keep_trying answered || fail "neither あ nor a came of typing a (attempt $attempt)"
  if [ "$(value composition)" = あ ]; then
    xdotool key Escape
    wait_for composition ""
    ON=1
  fi
  until name_empty; do
    xdotool key BackSpace
    keep_trying name_empty || fail "Backspace left '$(value nameField)' in the field"
  done
  [ -n "$ON" ] && break
  stage "Mozc not on yet (attempt $attempt)"
done
[ -n "$ON" ] || fail "$IM never turned Mozc on for the name field"
KEYS=$(value inputs.key)
stage "Mozc is on"

# "kai" composes かい; Return commits it.
type_keys kai
wait_for composition かい
keys_unchanged "composing かい"
xdotool key Return
wait_for nameField かい
wait_for composition ""
keys_unchanged "committing かい"

# Space converts to Mozc's first candidate, Return commits it.
type_keys kai
wait_for composition かい
keys_unchanged "composing かい again"
xdotool key space
wait_change composition かい
CANDIDATE=$(value composition)
case "$CANDIDATE" in
  "" | *[ぁ-ゖ]*) fail "Mozc's first candidate for かい is '$CANDIDATE', not kanji or katakana" ;;
esac
picture  # the converted segment, underlined
xdotool key Return
wait_for nameField "かい$CANDIDATE"
keys_unchanged "committing $CANDIDATE"
stage "committed かい$CANDIDATE"

# Backspace inside a composition is the input method's; outside one it is the field's.
type_keys ka
wait_for composition か
picture  # the composition with the caret after it
xdotool key BackSpace
wait_for composition ""
keys_unchanged "taking back a composition"
[ "$(value nameField)" = "かい$CANDIDATE" ] || fail "taking back a composition changed the name"
for _ in $(seq ${#CANDIDATE}); do xdotool key BackSpace; done
wait_for nameField かい
KEYS=$((KEYS + ${#CANDIDATE}))
keys_unchanged "Backspace outside a composition"

# More than the name can hold (and more than SDL's 32 bytes of a short composition): the note
# says so while composing, and the commit keeps whole characters up to sixteen bytes.
type_keys aiueoaiueoaiueo
wait_for composition あいうえおあいうえおあいうえお
wait_for fieldNote 全角8文字・半角16文字まで
picture  # the long composition and the note
xdotool key Return
wait_for nameField かいあいうえおあ
wait_for composition ""
keys_unchanged "committing a long composition"
stage "the name is full"

# The input method dies in the middle of a composition: the game runs on, the name keeps what
# was committed, and the keys are plain keys again.
xdotool key BackSpace
wait_for nameField かいあいうえお
KEYS=$((KEYS + 1))
type_keys ka
wait_for composition か
kill -KILL "$IM_PID"
wait "$IM_PID" 2>/dev/null
IM_PID=
stage "$IM killed"
wait_at_least ticks $(($(value ticks) + 5))
[ "$(value nameField)" = かいあいうえお ] || fail "the name changed when $IM died"
xdotool key BackSpace
wait_for nameField かいあいうえ
type_keys x
wait_for nameField かいあいうえx
wait_for composition ""
picture

# OK saves the hero; line 5427 of my.dat is the name in CP932.
click 300 464
wait_for storyMode 1
[ "$(value player.name)" = かいあいうえx ] || fail "the hero is called '$(value player.name)'"
SAVED=$(sed -n 5427p "$WORK/data/my.dat" | tr -d '\r' | iconv -f CP932 -t UTF-8) ||
  fail "the saved name is not CP932"
[ "$SAVED" = かいあいうえx ] || fail "my.dat holds the name '$SAVED', not かいあいうえx"
stage "saved"

# The recording, compositions included, draws the same pictures without a window.
close_game
"$QV" --headless --replay "$WORK/run.qvr" --snapshot-dir "$WORK/replay-headless" \
  >"$WORK/replay-headless.out" 2>"$WORK/qv.err" ||
  fail "the headless replay: $(cat "$WORK/replay-headless.out")"
compare_replay headless
stage "replayed"
PASSED=1
echo "PASSED ($IM): かい and $CANDIDATE committed, かいあいうえx saved," \
  "${#PICTURES[@]} pictures as in the replay"
