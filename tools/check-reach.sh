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
for tool in Xvfb dbus-daemon openbox orca speech-dispatcher xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || {
        echo "check-reach: $tool is missing: run tools/install-deps.sh reach" >&2
        exit 1
    }
done
[ -x "$game" ] || { echo "check-reach: no game at $game" >&2; exit 1; }
# Orca declines to start while another of the user's Orcas runs, and this one must not stop it.
if pgrep -u "$(id -u)" -x orca >/dev/null; then
    echo "check-reach: another Orca of this user runs; try again once it has ended" >&2
    exit 1
fi

work=$(mktemp -d)
# What Orca spoke, a line each.
spoken() {
    sed -nE "s/.* - SPEECH OUTPUT: '(.*)'(\{.*\}|$)/\1/p" "$work/orca.log" 2>/dev/null || true
}
pids=()
finish() {
    local status=$?
    # Last started, first stopped, each by its own id.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" || true
        for _ in $(seq 30); do kill -0 "${pids[i]}" || break; sleep 0.1; done
        kill -KILL "${pids[i]}" || true
        wait "${pids[i]}" || true
    done 2>/dev/null
    if [ "$status" -ne 0 ]; then
        echo "check-reach: what Orca spoke:" >&2
        spoken | sed 's/^/  /' >&2
    fi
    [ -n "${KEEP:-}" ] && cp -r "$work" "$KEEP"; rm -rf "$work"
    exit "$status"
}
trap finish EXIT
trap 'exit 1' INT TERM
started() { pids+=("$1"); }

# A home of its own: Orca's settings, speech-dispatcher's socket, the game's files.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY QT_LINUX_ACCESSIBILITY_ALWAYS_ON
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8
# No sound card: speech goes to ALSA's null device.
printf 'pcm.!default { type null }\nctl.!default { type null }\n' >"$HOME/.asoundrc"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
started $!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "check-reach: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")

dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
started "$(cat "$work/bus.pid")"
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
started $!
openbox >"$work/openbox.log" 2>&1 &
started $!
# Debian's speech-dispatcher speaks through PulseAudio; this one through ALSA.
cp -r /etc/speech-dispatcher "$work/speechd"
echo 'AudioOutputMethod "alsa"' >>"$work/speechd/speechd.conf"
speech-dispatcher --run-single --timeout 0 --config-dir "$work/speechd" >"$work/speechd.log" 2>&1 &
started $!
# Orca as its own command starts it, with its debug log written line by line so that the log can
# be read while Orca runs.
cat >"$work/orca-by-line.py" <<'PYTHON'
import builtins, runpy, sys
log = sys.argv[1]
plain_open = builtins.open
def open_log_by_line(file, mode="r", *args, **kwargs):
    if file == log:
        kwargs["buffering"] = 1
    return plain_open(file, mode, *args, **kwargs)
builtins.open = open_log_by_line
sys.argv = ["orca", "--debug-file=" + log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
PYTHON
/usr/bin/python3 "$work/orca-by-line.py" "$work/orca.log" >"$work/orca.out" 2>&1 &
started $!

# What Orca spoke since the mark.
marked=0
mark() { marked=$(spoken | wc -l); }
since() { spoken | tail -n +$((marked + 1)); }
# Whether Orca spoke a line matching the extended regular expression since the mark, waiting up to
# SECONDS for it.
heard() {
    local pattern=$1 seconds=$2 tick
    for ((tick = 0; ; tick++)); do
        since | grep -Eq -- "$pattern" && return 0
        [ "$tick" -lt $((seconds * 5)) ] || return 1
        sleep 0.2
    done
}
expect() {
    local what=$1 pattern=$2 seconds=$3
    heard "$pattern" "$seconds" || { echo "check-reach: Orca did not speak $what" >&2; exit 1; }
    echo "  $what: $(since | grep -E -- "$pattern" | head -1)"
}
key() { xdotool key --delay 100 "$@"; }
# What the games have taken, as their recordings hold it: how many keys, how many names.
taken() { cat "$HOME"/.local/share/Vexmoor/recordings/*.txt 2>/dev/null | grep -c -- "$1" || true; }
keysTaken() { taken '^[0-9]* key '; }
namesTaken() { taken '^[0-9]* input =Anna$'; }

heard '^Screen reader on' 30 || { echo "check-reach: Orca did not start (see its log)" >&2; exit 1; }

# Starts the game and a new game in it: the main menu, N, a name and Enter.
play() {
    mark
    "$game" >>"$work/game.log" 2>&1 &
    playing=$!
    started $playing
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vexmoor$' | head -1)
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
