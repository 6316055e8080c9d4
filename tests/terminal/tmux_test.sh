#!/usr/bin/env bash
# The terminal front end played in tmux at 100 x 40 and at 80 x 24: the menu, a new game with its
# status panel on the bottom rows, the arrows, a click on the panel, the shop, a save and a load,
# a resize, Ctrl+C's question, a terminal too small, and Q, SIGTERM, SIGHUP and a crash leaving the
# terminal as it was, SIGTERM and a lost terminal ending a question; then every recording of those
# games replays headless in the desktop build (the load's among them, from the saved file).
# Usage: tmux_test.sh VEXMOOR_TERMINAL VEXMOOR
set -euo pipefail

work=$(mktemp -d)
socket=vexmoor-test-$$
t() { tmux -L "$socket" -f /dev/null "$@"; }
trap 't kill-server 2>/dev/null || true; pkill -KILL -f "$work/bin/" || true; rm -rf "$work"' EXIT
export LC_ALL=C.UTF-8 HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME DISPLAY WAYLAND_DISPLAY
# The program in a folder of its own, where its save lands.
mkdir -p "$work/bin" "$HOME"
cp "$1" "$work/bin/vexmoor-terminal"
desktop=$2

screen() { t capture-pane -p -t game; }
fail() { echo "terminal test failed: $*" >&2; screen >&2 || true; exit 1; }
# Waits up to 20 s for a text on the screen, or on its last rows.
see() {
    for _ in $(seq 200); do
        screen | tail -n "${2:-1000}" | grep -qF -- "$1" && return 0
        sleep 0.1
    done
    fail "'$1' is not on the screen${2:+'s last $2 rows'}"
}
gone() {
    for _ in $(seq 200); do
        screen | grep -qF -- "$1" || return 0
        sleep 0.1
    done
    fail "'$1' stays on the screen"
}
# The row and byte column of the player's X (a drifting board moves it too).
player() { screen | awk '{ i = index($0, "X"); if (i) { print NR ":" i; exit } }'; }
# A press and release of the left button on a cell (0-based), in xterm's mouse protocol.
click() {
    t send-keys -t game -H 1b 5b 4d 20 "$(printf %x $((33 + $1)))" "$(printf %x $((33 + $2)))" \
        1b 5b 4d 23 "$(printf %x $((33 + $1)))" "$(printf %x $((33 + $2)))"
}
# The time left on the status panel.
timeLeft() { screen | grep -o 'TM:[0-9]*' | head -n 1 | cut -d: -f2; }
# The clock stood still since the time left was $1: at most the tick that fell due came.
stoodStill() {
    local now
    now=$(timeLeft)
    [ $(($1 - now)) -le 1 ] || fail "the clock ran $2: the time left went from $1 to $now"
}
flags() { t display -p -t game '#{alternate_on} #{cursor_flag} #{mouse_any_flag}'; }
# Starts the game at a size, on a terminal of 256 colours unless one is named, through a launcher
# if one is named.
start() {
    t new-session -d -s game -x "$1" -y "$2" \
        "echo \$\$ >'$work/pid'; TERM=${3:-tmux-256color} ${4:-} '$work/bin/vexmoor-terminal'; echo \"ended with \$?\"; stty -a >'$work/stty'; sleep 600"
    see "N - New Adventure"
}
# The terminal is as it was: the program ended, the alternate screen left, the cursor shown, no
# mouse reports, echo and line editing back.
restored() {
    see "ended with $1"
    [ "$(flags)" = "0 1 0" ] || fail "the terminal was left with '$(flags)' (alternate, cursor, mouse)"
    grep -qE '(^| )echo( |$)' "$work/stty" && grep -qE '(^| )icanon( |$)' "$work/stty" ||
        fail "echo and icanon are not back: $(cat "$work/stty")"
    t kill-session -t game
}
# N, and the name's question open.
askName() {
    t send-keys -t game N
    see "What is your name?"
}
# N, and Enter takes the proposed name.
boardUnderTheProposedName() {
    askName
    t send-keys -t game Enter
    see "LV:1" 3
}
newGame() {
    askName
    t send-keys -t game Anna Enter
    see "LV:1" 3
    see "EN:100" 3
    see "Anna" 3
    # The colours as the terminal shows them: the palette's entries or the console's 8 colours.
    local colours
    colours=$(t capture-pane -e -p -t game)
    grep -qF "$1" <<<"$colours" && grep -qF "$2" <<<"$colours" ||
        fail "no '$1' and '$2' among the colours: $colours"
    local before after
    before=$(player)
    t send-keys -t game Right Right
    for _ in $(seq 100); do
        after=$(player)
        [ "$after" != "$before" ] && break
        sleep 0.1
    done
    [ "$after" != "$before" ] || fail "the X stayed at $before on two steps right"
    # A click on a caption of the status panel opens the cheat prompt; the clock waits for it.
    local time
    time=$(timeLeft)
    click $(screen | awk '{ i = index($0, "LV:"); if (i) { print i - 1, NR - 1; exit } }')
    see "Cheat:"
    sleep 2.5
    t send-keys -t game Escape
    gone "Cheat:"
    stoodStill "$time" "while the cheat prompt was open"
    t send-keys -t game Escape
    see "A - Buy Energy"
}

# 100 x 40: a game saved, a resize, Q.
start 100 40
newGame "[38;5;231mX" "[48;5;238m" # the player white, the panel grey
t send-keys -t game S
see "Saved!"
t send-keys -t game Enter
gone "Saved!"
[ -f "$work/bin/Save.ini" ] || fail "no Save.ini beside the program"
t resize-window -t game -x 120 -y 50
# Redrawn: the status panel once, on the new bottom rows (the level is the dice's: two steps may
# have found the gate).
for _ in $(seq 100); do
    [ "$(screen | wc -l)" = 50 ] && [ "$(screen | grep -c 'LV:')" = 1 ] && break
    sleep 0.1
done
see "LV:" 3
[ "$(screen | grep -c 'LV:')" = 1 ] || fail "the status panel shows twice after the resize"
t send-keys -t game q
restored 0

# 80 x 24: the saved game loaded, Ctrl+C asks, Q.
start 80 24 screen
newGame "[37mX" "[33mGD:" # the player white, the gold yellow
t send-keys -t game L
gone "A - Buy Energy"
see "LV:" 2
# Too small a terminal asks for a larger one, and the game waits meanwhile.
time=$(timeLeft)
t resize-window -t game -x 70 -y 20
see "please make it larger"
sleep 2.5
t resize-window -t game -x 80 -y 24
see "LV:" 2
stoodStill "$time" "in too small a terminal"
t send-keys -t game C-c
see "Abandon the game?"
t send-keys -t game n
gone "Abandon the game?"
t send-keys -t game Escape
see "Q - End"
t send-keys -t game q
restored 0

# SIGTERM in the menu, and SIGHUP on the board, as when the connection drops: the program ends as
# Q does, its recording finished.
start 100 40
kill -TERM "$(pgrep -P "$(cat "$work/pid")")"
restored 0
start 100 40
boardUnderTheProposedName
kill -HUP "$(pgrep -P "$(cat "$work/pid")")"
restored 0
# SIGTERM while a question is open; and a terminal that closes while one is open, no signal
# reaching the game (it runs in a session of its own): each ends the program, asking nothing.
start 100 40
askName
kill -TERM "$(pgrep -P "$(cat "$work/pid")")"
restored 0
start 100 40 tmux-256color setsid
askName
t kill-session -t game
for _ in $(seq 100); do
    pgrep -f "$work/bin/vexmoor-terminal" >/dev/null || break
    sleep 0.1
done
! pgrep -f "$work/bin/vexmoor-terminal" >/dev/null || fail "the game goes on in a terminal that is gone"
# A crash on the board; the next start keeps its recording as one that ended unexpectedly.
start 80 24
boardUnderTheProposedName
kill -SEGV "$(pgrep -P "$(cat "$work/pid")")"
restored 139
start 80 24
t send-keys -t game x
restored 0

recordings=("$HOME"/.local/share/Vexmoor/recordings/*.txt)
[ ${#recordings[@]} -ge 3 ] || fail "only ${#recordings[@]} recordings"
grep -l "load" "${recordings[@]}" >/dev/null || fail "no recording of the load"
crashed=("$HOME"/.local/share/Vexmoor/recordings/*-ended-unexpectedly.txt)
[ ${#crashed[@]} = 1 ] || fail "${#crashed[@]} recordings ended unexpectedly, not the crash's alone"
for recording in "${recordings[@]}"; do
    code=0
    verdict=$(QT_QPA_PLATFORM=offscreen "$desktop" --replay "$recording" --headless | tail -n 1) ||
        code=$?
    case "$recording" in
    *-ended-unexpectedly.txt) [ $code = 3 ] || fail "$recording: $verdict ($code)" ;;
    *) [ "$verdict" = "replay matches" ] || fail "$recording: $verdict" ;;
    esac
done
echo "terminal test passed"
