#!/usr/bin/env bash
# What the Orca screen reader speaks of a short game. On a virtual X display with a D-Bus session,
# AT-SPI, openbox, speech-dispatcher speaking through espeak-ng into ALSA's null device and Orca
# writing its debug log, xdotool plays: the main menu, a new game, turns until a board object with
# its steps and a changed value are spoken, Orca's review keys (no turn may come of them), the
# time falling to 30 seconds, and the shop; the game starts anew when its level goes against the
# check. Each step is checked against the log's SPEECH OUTPUT lines. Installs nothing
# (`tools/install-deps.sh reach` does); takes about two minutes, at most about ten.
# Usage: tools/check-reach.sh [GAME]   (default build/release/vexmoor; `make check-reach`); with
# KEEP=DIR its folder, the logs of Orca, speech-dispatcher and the game among it, is kept as DIR.
set -euo pipefail

game=$(realpath "${1:-build/release/vexmoor}")
[ -x "$game" ] || { echo "check-reach: no game at $game" >&2; exit 1; }
me=check-reach
# shellcheck source=tools/orca-session.sh
source "$(dirname "$0")/orca-session.sh"

# What the games have taken, as their recordings hold it: how many keys, how many names.
taken() { cat "$HOME"/.local/share/Vexmoor/recordings/*.txt 2>/dev/null | grep -c -- "$1" || true; }
keysTaken() { taken '^[0-9]* key '; }
namesTaken() { taken '^[0-9]* input =Anna$'; }

# Starts the game and a new game in it: the main menu, N, a name and Enter.
play() {
    mark
    "$game" >>"$work/game.log" 2>&1 &
    playing=$!
    started $playing
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vexmoor( — seed [0-9]+)?$' | head -1)
    xdotool windowactivate --sync "$window"
    expect "the main menu's lines" '^notification .*N - New Adventure.*F - Hall of Fame' 20
    mark
    key n
    expect "the name's question" 'What is your name' 20
    local named
    named=$(namesTaken)
    sleep 0.5
    xdotool type --delay 100 Anna
    sleep 0.5
    key Return
    for _ in $(seq 100); do [ "$(namesTaken)" -gt "$named" ] && break; sleep 0.2; done
    [ "$(namesTaken)" -gt "$named" ] || { echo "check-reach: the game did not take the name" >&2; exit 1; }
    sleep 1
}

# A level can go against the check: the gate taken at the first step, a closing wall that pushes
# the player off the board. The game then starts anew, up to three times; what is checked is the
# same every time.
board_object='^notification .*(demon|spider|bat|gold|hits|food|serum|gate|secret passage|quicksand|time)( [0-9])?, ([0-9]+ steps? (left|right|up|down)|touching)'
value='^notification .*(Hits|Gold|Energy|Armor|Serum|Food|Level) [0-9]+'
echo "What Orca spoke:"
for attempt in 1 2 3 4; do
    if [ "$attempt" -gt 1 ]; then
        echo "  the level went against the check: the game starts anew"
        kill "$playing"
        wait "$playing" 2>/dev/null || true
    fi
    play

    # Turns, at most 40: a step each way, then waiting, until the monsters come near and fight.
    mark
    for turn in $(seq 40); do
        case $turn in 1) key Left ;; 2) key Right ;; *) key space ;; esac
        sleep 0.7
        heard "$board_object" 0 && heard "$value" 0 && break
    done
    heard "$board_object" 0 && heard "$value" 0 && ! heard 'Game Over' 0 || continue
    expect "a board object with its steps" "$board_object" 0
    expect "a changed value" "$value" 0

    # Orca's review keys (the keypad in its desktop layout, Insert its modifier) and Caps Lock,
    # its laptop layout's modifier: none of them is a turn.
    sleep 1
    before=$(keysTaken)
    for review in KP_Up KP_Home KP_Left KP_Begin KP_Subtract KP_Subtract Insert+KP_Up Caps_Lock Caps_Lock; do
        key "$review"
        sleep 0.5
    done
    sleep 2
    after=$(keysTaken)
    [ "$before" -gt 0 ] && [ "$after" = "$before" ] || {
        echo "check-reach: the review keys reached the game: $before keys before, $after after" >&2
        exit 1
    }
    echo "  the review keys: no turn ($after keys taken before them and after)"

    # The time falls to 30 seconds 90 seconds into the game, unless a closing wall pushes the
    # player off the board first: an edge coming near while no key is pressed, or the game's end.
    mark
    heard '^notification .*(Time 30|edge|Game Over)' 110 && heard '^notification .*Time 30' 0 && break
done
expect "the time warning" '^notification .*Time 30' 0
mark
key Escape
expect "the shop's lines" '^notification .*A - Buy Energy' 20
echo "check-reach: Orca spoke each of them"
