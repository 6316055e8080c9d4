#!/usr/bin/env bash
# The terminal front end played in tmux at 100 x 40 and at 80 x 24: the menu, a new game with its
# status panel on the bottom rows, the arrows, a click on the panel, the shop, a save and a load,
# a resize, Ctrl+C's question, a terminal too small, and Q, SIGTERM, SIGHUP and a crash leaving the
# terminal as it was, SIGTERM and a lost terminal ending a question; in a shell with job control,
# Ctrl+Z and fg, and a shrunk terminal that shows what the whole redraw after fg shows; a terminal
# without colours, and one that cannot move its cursor; a long paste; seed 777's first board twice
# and 778's; then every recording of those games replays headless in the desktop build (the
# load's among them, from the saved file).
# Every wait is bounded; the whole test takes about half a minute on an idle machine.
# Usage: tmux_test.sh VEXMOOR_TERMINAL VEXMOOR
set -Eeuo pipefail

work=$(mktemp -d)
socket=vexmoor-test-$$
t() { timeout 10 tmux -L "$socket" -f /dev/null "$@"; }
trap 't kill-server 2>/dev/null || true; pkill -KILL -f "$work/bin/" || true; rm -rf "$work"' EXIT
trap 'echo "terminal test failed at line $LINENO: $BASH_COMMAND" >&2' ERR
export LC_ALL=C.UTF-8 HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME DISPLAY WAYLAND_DISPLAY
# The program in a folder of its own, where its save lands.
mkdir -p "$work/bin" "$HOME"
cp "$1" "$work/bin/vexmoor-terminal"
desktop=$2
# A session that outlives the game's, so that the server does not end, and a new session race its
# end, each time the game's closes.
t new-session -d -s idle "sleep 3600"

screen() { t capture-pane -p -t game; }
fail() { echo "terminal test failed: $*" >&2; screen >&2 || true; exit 1; }
# Waits for a text on the screen, or on its last rows, up to 20 s or the seconds in $limit.
see() {
    local deadline=$((SECONDS + ${limit:-20})) where="the screen"
    [ -z "${2:-}" ] || where="the screen's last $2 rows"
    until screen | tail -n "${2:-1000}" | grep -qF -- "$1"; do
        [ $SECONDS -lt $deadline ] || fail "'$1' is not on $where within ${limit:-20} s"
        sleep 0.1
    done
}
gone() {
    local deadline=$((SECONDS + 20))
    while screen | grep -qF -- "$1"; do
        [ $SECONDS -lt $deadline ] || fail "'$1' stays on the screen"
        sleep 0.1
    done
}
# Writes the screen with its colours once it stands still with a text on it.
settled() {
    local deadline=$((SECONDS + 20)) last="" now
    for (( ; ; )); do
        now=$(t capture-pane -e -p -t game)
        [ "$now" = "$last" ] && grep -qF -- "$1" <<<"$now" && break
        [ $SECONDS -lt $deadline ] || fail "the screen does not settle with '$1' on it"
        last=$now
        sleep 0.3
    done
    printf '%s\n' "$now"
}
# The row and byte column of the player's X (a drifting board moves it too).
player() { screen | awk '{ i = index($0, "X"); if (i) { print NR ":" i; exit } }'; }
# The colour the player's X shows in, as the terminal was told it: "38;5;231", "37". Whatever
# stands before it, the colour in force is followed from the top of the screen.
playerColour() {
    t capture-pane -e -p -t game | awk -v RS='\033' '
        NR > 1 {
            n = index($0, "m")
            k = split(substr($0, 2, n - 2), p, ";")
            for (i = 1; i <= k; i++)
                if (p[i] == "" || p[i] == 0 || p[i] == 39) colour = ""
                else if (p[i] == 38) { colour = p[i] ";" p[i + 1] ";" p[i + 2]; i += 2 }
                else if (p[i] == 48) i += 2
                else if (p[i] >= 30 && p[i] <= 37) colour = p[i]
            $0 = substr($0, n + 1)
        }
        index($0, "X") { print colour; exit }'
}
# A press and release of the left button on a cell (0-based), in xterm's mouse protocol.
click() {
    t send-keys -t game -H 1b 5b 4d 20 "$(printf %x $((33 + $1)))" "$(printf %x $((33 + $2)))" \
        1b 5b 4d 23 "$(printf %x $((33 + $1)))" "$(printf %x $((33 + $2)))"
}
# A click on the status panel's level: the cheat prompt, over the board, on a clock that waits.
openCheat() {
    click $(screen | awk '{ i = index($0, "LV:"); if (i) { print i - 1, NR - 1; exit } }')
    see "Cheat:"
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
# if one is named. The terminal's settings are written before the program's end shows.
start() {
    rm -f "$work/stty"
    t new-session -d -s game -x "$1" -y "$2" \
        "echo \$\$ >'$work/pid'; TERM=${3:-tmux-256color} ${4:-} '$work/bin/vexmoor-terminal' ${5:-}; code=\$?; stty -a >'$work/stty'; echo \"ended with \$code\"; sleep 600"
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
# Two steps right move the player's X.
walks() {
    local before after deadline=$((SECONDS + 10))
    before=$(player)
    t send-keys -t game Right Right
    while after=$(player) && [ "$after" = "$before" ] && [ $SECONDS -lt $deadline ]; do
        sleep 0.1
    done
    [ "$after" != "$before" ] || fail "the X stayed at $before on two steps right"
}
# The program ended and the shell has the terminal back.
backInTheShell() {
    local deadline=$((SECONDS + 20))
    until [ "$(flags)" = "0 1 0" ]; do
        [ $SECONDS -lt $deadline ] || fail "the terminal was left with '$(flags)' (alternate, cursor, mouse)"
        sleep 0.1
    done
}
# A new game under a name; $1 the player's colour, $2 a colour of the panel.
newGame() {
    askName
    t send-keys -t game Anna Enter
    see "LV:1" 3
    see "EN:100" 3
    see "Anna" 3
    [ "$(playerColour)" = "$1" ] || fail "the player shows in '$(playerColour)', not '$1'"
    t capture-pane -e -p -t game | grep -qF "$2" || fail "no '$2' among the colours"
    walks
    # The cheat prompt stops the clock while it is open.
    openCheat
    local time
    time=$(timeLeft)
    sleep 2.5
    t send-keys -t game Escape
    gone "Cheat:"
    stoodStill "$time" "while the cheat prompt was open"
    t send-keys -t game Escape
    see "A - Buy Energy"
}

# 100 x 40: a game saved, a resize, Q.
start 100 40
newGame "38;5;231" "[48;5;238m" # the player white, the panel grey
t send-keys -t game S
see "Saved!"
t send-keys -t game Enter
gone "Saved!"
[ -f "$work/bin/Save.ini" ] || fail "no Save.ini beside the program"
t resize-window -t game -x 120 -y 50
# Redrawn: the status panel once, on the new bottom rows (the level is the dice's: two steps may
# have found the gate).
deadline=$((SECONDS + 10))
until [ "$(screen | wc -l)" = 50 ] && [ "$(screen | grep -c 'LV:')" = 1 ] ||
    [ $SECONDS -ge $deadline ]; do
    sleep 0.1
done
see "LV:" 3
[ "$(screen | grep -c 'LV:')" = 1 ] || fail "the status panel shows twice after the resize"
t send-keys -t game q
restored 0

# 80 x 24: the saved game loaded, Ctrl+C asks, Q.
start 80 24 screen
newGame "37" "[33mGD:" # the player white, the gold yellow
t send-keys -t game L
gone "A - Buy Energy"
see "LV:" 3
# Too small a terminal asks for a larger one, and the game waits meanwhile.
time=$(timeLeft)
t resize-window -t game -x 70 -y 20
see "please make it larger"
sleep 2.5
t resize-window -t game -x 80 -y 24
see "LV:" 3
stoodStill "$time" "in too small a terminal"
t send-keys -t game C-c
see "Abandon the game?"
t send-keys -t game n
gone "Abandon the game?"
t send-keys -t game Escape
see "Q - End"
t send-keys -t game q
restored 0

# In a shell with job control. A terminal shrunk from 500 x 200 to 100 x 40 under the menu, and
# from 120 x 45 to 80 x 24 under the cheat prompt (the clock stands still), shows what a whole
# redraw on the return from Ctrl+Z shows, and nothing typed into the shell meanwhile reaches
# the game. On the board, the clock stands still while the game is suspended.
t new-session -d -s game -x 500 -y 200 "PS1='shell> ' bash --norc --noprofile -i"
see "shell>"
t send-keys -t game -l "TERM=tmux-256color '$work/bin/vexmoor-terminal'"
t send-keys -t game Enter
see "N - New Adventure"
# Shrinks the terminal, and compares its screen with the one that the return from Ctrl+Z draws.
shrinkAndCompare() {
    local shown=$3
    t resize-window -t game -x "$1" -y "$2"
    settled "$shown" >"$work/shrunk"
    t send-keys -t game C-z
    backInTheShell
    see "Stopped"
    t send-keys -t game -l "echo N typed in the shell at $1 x $2 | tr a-z A-Z"
    t send-keys -t game Enter
    see "N TYPED IN THE SHELL AT $1 X $2"
    t send-keys -t game -l fg
    t send-keys -t game Enter
    settled "$shown" >"$work/redrawn"
    diff "$work/shrunk" "$work/redrawn" >&2 ||
        fail "at $1 x $2 the shrunk terminal differs from a whole redraw (above)"
}
shrinkAndCompare 100 40 "N - New Adventure"
t resize-window -t game -x 120 -y 45
boardUnderTheProposedName
openCheat
shrinkAndCompare 80 24 "Cheat:"
t send-keys -t game Escape
gone "Cheat:"
time=$(timeLeft)
t send-keys -t game C-z
backInTheShell
sleep 2.5
t send-keys -t game -l fg
t send-keys -t game Enter
see "LV:" 3
stoodStill "$time" "while the game was suspended"
t send-keys -t game C-c
see "Abandon the game?"
t send-keys -t game y
backInTheShell
t send-keys -t game -l "echo ended with \$?"
t send-keys -t game Enter
see "ended with 0"
t kill-session -t game

# A terminal without colours plays in black and white; one that cannot move its cursor ends at
# once with one line.
start 80 24 vt100
boardUnderTheProposedName
! t capture-pane -e -p -t game | grep -qE '\[(3[0-7]|38;)' || fail "colours on a vt100"
walks
t send-keys -t game Escape
see "Q - End"
t send-keys -t game q
restored 0
t new-session -d -s game -x 80 -y 24 \
    "TERM=dumb '$work/bin/vexmoor-terminal' 2>'$work/said'; echo \"ended with \$?\"; sleep 600"
see "ended with 1"
[ "$(wc -l <"$work/said")" = 1 ] && grep -q "cannot move its cursor" "$work/said" ||
    fail "TERM=dumb said: $(cat "$work/said")"
t kill-session -t game

# A paste of 10^5 keys the menu ignores, then one into the name's question, settle within 5 s
# each; the question's line shows the paste's end in its box, wide characters in two cells.
start 100 40
head -c 100000 /dev/zero | tr '\0' 'y' >"$work/keys"
t load-buffer -b keys "$work/keys"
t paste-buffer -b keys -t game
t send-keys -t game N
limit=5 see "What is your name?"
for _ in $(seq 25000); do printf '名字😀a'; done >"$work/name"
printf 'END' >>"$work/name"
t load-buffer -b name "$work/name"
t paste-buffer -b name -t game
limit=5 see "END_"
# The line to type in begins under the question and is 56 cells wide at 100 columns.
question=$(screen | grep -F "What is your name?")
line=$(screen | grep -F "END_")
begins=$(printf %s "${question%%What is your name?*}" | wc -L)
ends=$(printf %s "${line%%END_*}END_" | wc -L)
[ $((ends - begins)) -le 56 ] && [ $((ends - begins)) -ge 50 ] ||
    fail "the name's line takes columns $begins to $ends"
t send-keys -t game Escape
see "LV:1" 3
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
deadline=$((SECONDS + 10))
while pgrep -f "$work/bin/vexmoor-terminal" >/dev/null && [ $SECONDS -lt $deadline ]; do
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

# Seed 777 twice and 778 once: the same first board twice, another for 778, the seed in the
# terminal's title; their recordings replay below with the others.
firstBoard() {
    start 100 40 tmux-256color "" "--seed $1"
    askName
    t send-keys -t game Anna Enter
    see "LV:1" 3
    [ "$(t display -p -t game '#{pane_title}')" = "Vexmoor - seed $1" ] ||
        fail "the title is '$(t display -p -t game '#{pane_title}')'"
    screen | head -n 36
    t send-keys -t game Escape
    see "A - Buy Energy"
    t send-keys -t game Q
    restored 0
}
board=$(firstBoard 777)
[ "$(firstBoard 777)" = "$board" ] || fail "seed 777 gave another first board the second time"
[ "$(firstBoard 778)" != "$board" ] || fail "seeds 777 and 778 gave the same first board"

recordings=("$HOME"/.local/share/Vexmoor/recordings/*.txt)
[ ${#recordings[@]} -ge 3 ] || fail "only ${#recordings[@]} recordings"
grep -l "load" "${recordings[@]}" >/dev/null || fail "no recording of the load"
crashed=("$HOME"/.local/share/Vexmoor/recordings/*-ended-unexpectedly.txt)
[ ${#crashed[@]} = 1 ] || fail "${#crashed[@]} recordings ended unexpectedly, not the crash's alone"
for recording in "${recordings[@]}"; do
    code=0
    verdict=$(QT_QPA_PLATFORM=offscreen timeout 120 "$desktop" --replay "$recording" --headless |
        tail -n 1) || code=$?
    case "$recording" in
    *-ended-unexpectedly.txt) [ $code = 3 ] || fail "$recording: $verdict ($code)" ;;
    *) [ "$verdict" = "replay matches" ] || fail "$recording: $verdict" ;;
    esac
done
echo "terminal test passed"
