#!/usr/bin/env bash
# What the Orca screen reader speaks of a short game in the browser. vexmoor-server on 127.0.0.1
# with a data folder of its own; Debian's Chromium in a window (its accessibility on) on the
# virtual display of tools/orca-session.sh; xdotool plays as a blind player would: the front
# page's headings, the sign-up form's fields and the Play button; the game, where Orca must turn
# to focus mode so that letters and arrows reach the page; the main menu, N, the name question
# and its field; turns until a board object with its steps and a changed value are spoken, each
# once; the time falling to 30 seconds; the shop, closed and opened again, its lines spoken again;
# the page's Close button and its question.
# A level that goes against the check is left through the shop's New Game, up to three times.
# Each step is checked against Orca's SPEECH OUTPUT lines. Installs nothing
# (`tools/install-deps.sh reach` does); takes about three minutes, at most about ten.
# Usage: tools/check-reach-web.sh [SERVER]   (default build/release/vexmoor-server, its game process
# next to it, the checkout's page; `make check-reach-web`); KEEP=DIR keeps its folder and logs.
set -euo pipefail

server=$(realpath "${1:-build/release/vexmoor-server}")
[ -x "$server" ] || { echo "check-reach-web: no server at $server" >&2; exit 1; }
command -v chromium >/dev/null || { echo "check-reach-web: chromium is missing" >&2; exit 1; }
me=check-reach-web
# shellcheck source=tools/orca-session.sh
source "$(dirname "$0")/orca-session.sh"

mkdir -p "$work/data"
# The page as the checkout has it, not the copy the build last made.
"$server" --listen 127.0.0.1:0 --data "$work/data" --page "$(dirname "$0")/../web" \
    >"$work/server.log" 2>&1 &
started $!
for _ in $(seq 100); do grep -qs 'http://' "$work/server.log" && break; sleep 0.1; done
address=$(grep -os 'http://[^ ]*' "$work/server.log" | head -1)
[ -n "$address" ] || { echo "check-reach-web: the server did not start" >&2; exit 1; }

# A profile of its own that offers to keep no password, whose bubble would take the focus.
mkdir -p "$work/chrome/Default"
echo '{"credentials_enable_service":false,"profile":{"password_manager_enabled":false}}' \
    >"$work/chrome/Default/Preferences"
sandbox=()
[ "$(id -u)" -ne 0 ] || sandbox=(--no-sandbox)
chromium "${sandbox[@]}" --force-renderer-accessibility --user-data-dir="$work/chrome" \
    --no-first-run --no-default-browser-check --password-store=basic --window-position=0,0 \
    --window-size=1200,900 "$address" >"$work/chromium.log" 2>&1 &
started $!

# What the game has taken, as its recording holds it: how many keys, how many names.
taken() { cat "$work"/data/players/*/recordings/*.txt 2>/dev/null | grep -c -- "$1" || true; }
keysTaken() { taken '^[0-9]* key '; }
namesTaken() { taken '^[0-9]* input =Anna$'; }

# Answers the name question: the proposed name replaced by Anna, then Enter.
name() {
    local named
    named=$(namesTaken)
    key ctrl+a
    xdotool type --delay 100 Anna
    sleep 0.5
    key Return
    for _ in $(seq 100); do [ "$(namesTaken)" -gt "$named" ] && break; sleep 0.2; done
    [ "$(namesTaken)" -gt "$named" ] || { echo "check-reach-web: the game did not take the name" >&2; exit 1; }
    sleep 1
}

echo "What Orca spoke:"
mark
expect "the page's summary" 'Page has .*headings' 60
# Browse mode from the page's top: H reads the next heading; Tab then goes into the sign-up form.
mark
key h
sleep 1
key h
expect "the account's heading" '^Your account heading level 2' 5
expect "the form's heading" '^Sign up heading level 3' 5
mark
key Tab
sleep 1
key Tab
expect "the password's field" '^Password password text' 10
mark
key shift+Tab
expect "the name's field" '^Name entry' 10
xdotool type --delay 100 Anna
key Tab
xdotool type --delay 100 'a long secret'
mark
key Return
expect "the Play button" '^Play push button' 20
mark
key Return
expect "the game's area" 'The game: use the keyboard' 20
expect "focus mode" '^Focus mode' 5
expect "the main menu's lines" 'N - New Adventure.*F - Hall of Fame' 20

board_object='(demon|spider|bat|gold|hits|food|serum|gate|secret passage|quicksand|time)( [0-9]+)?, ([0-9]+ steps? (left|right|up|down)|touching)'
value='(Hits|Gold|Energy|Armor|Serum|Food|Level) [0-9]+'
mark
key n
expect "the name's dialog" '^Vexmoor dialog' 20
expect "the name's question and field" '^What is your name\? entry Player selected' 5
name
for attempt in 1 2 3; do
    # Turns, at most 40: a step each way, then waiting, until the monsters come near and fight.
    mark
    before=$(keysTaken)
    for turn in $(seq 40); do
        case $turn in 1) key Left ;; 2) key Right ;; *) key space ;; esac
        sleep 0.7
        heard "$board_object" 0 && heard "$value" 0 && break
    done
    after=$(keysTaken)
    [ "$after" -eq $((before + turn)) ] || {
        echo "check-reach-web: $turn keys pressed, $((after - before)) taken by the game" >&2
        exit 1
    }
    # News is said once: neither the main menu again nor the same news at every turn.
    ! heard 'N - New Adventure' 0 || { echo "check-reach-web: the main menu was spoken again" >&2; exit 1; }
    if heard "$board_object" 0 && heard "$value" 0 && ! heard 'Game Over' 0; then
        expect "a board object with its steps" "$board_object" 0
        expect "a changed value" "$value" 0
        echo "  $turn keys taken by the game, $(since | wc -l) lines spoken"
        # The time falls to 30 seconds 90 seconds into the game, unless the level goes against
        # the check first: an edge coming near while no key is pressed, or the game's end.
        mark
        heard '(Time 30|edge|Game Over)' 110 && heard 'Time 30' 0 && break
    fi
    [ "$attempt" -lt 3 ] || { echo "check-reach-web: three levels went against the check" >&2; exit 1; }
    echo "  the level went against the check: a new game from the shop"
    mark
    key Escape
    expect "the shop's lines" 'A - Buy Energy.*X - Close Shop' 20
    # A new game keeps the name, asking none.
    key n
    sleep 2
done
expect "the time warning" 'Time 30' 0
mark
key Escape
expect "the shop's lines" 'A - Buy Energy.*X - Close Shop' 20
key x
sleep 2
mark
key Escape
expect "the shop's lines again" 'A - Buy Energy.*X - Close Shop' 20
# Shift+Tab leads out of the area to the page's Close button, whose question is said; No, the
# default, leads back into the area, in focus mode again.
mark
key shift+Tab
sleep 1
key shift+Tab
expect "the Close button" '^Close push button' 10
mark
key Return
expect "the question" '^Vexmoor Abandon the game\?' 10
expect "its default button" '^No push button' 5
mark
key Return
expect "the game's area again" 'The game: use the keyboard' 10
expect "focus mode again" '^Focus mode' 5
echo "check-reach-web: Orca spoke each of them"
