# shellcheck shell=bash
# Sourced by the screen reader's checks (check-reach.sh, check-reach-web.sh), with $me set to the
# check's name: Orca on a virtual X display with a D-Bus session, AT-SPI, openbox and
# speech-dispatcher speaking through espeak-ng into ALSA's null device, Orca writing its debug log.
# Gives $work (the check's folder, its HOME among it), started PID (stopped, last first, on exit),
# and what Orca spoke: spoken, mark, since, heard, expect; key presses keys. With KEEP=DIR the
# folder, the logs among it, is kept as DIR.

: "${me:?the name of the check that sources this}"
for tool in Xvfb dbus-daemon openbox orca speech-dispatcher xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || {
        echo "$me: $tool is missing: run tools/install-deps.sh reach" >&2
        exit 1
    }
done
# Orca declines to start while another of the user's Orcas runs, and this one must not stop it.
if pgrep -u "$(id -u)" -x orca >/dev/null; then
    echo "$me: another Orca of this user runs; try again once it has ended" >&2
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
        echo "$me: what Orca spoke:" >&2
        spoken | sed 's/^/  /' >&2
    fi
    [ -n "${KEEP:-}" ] && cp -r "$work" "$KEEP"
    rm -rf "$work"
    exit "$status"
}
trap finish EXIT
trap 'exit 1' INT TERM
started() { pids+=("$1"); }

# A home of its own: Orca's settings, speech-dispatcher's socket, the programs' files.
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
[ -s "$work/display" ] || { echo "$me: Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(cat "$work/display")
export DISPLAY

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
    heard "$pattern" "$seconds" || { echo "$me: Orca did not speak $what" >&2; exit 1; }
    echo "  $what: $(since | grep -E -- "$pattern" | head -1)"
}
key() { xdotool key --delay 100 "$@"; }

heard '^Screen reader on' 30 || { echo "$me: Orca did not start (see its log)" >&2; exit 1; }
