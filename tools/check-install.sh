#!/usr/bin/env bash
# Installs a built Vexmoor into a scratch prefix and checks what lands there.
# Usage: tools/check-install.sh BUILD_DIR [PREFIX]
#   e.g. tools/check-install.sh build/release /tmp/vexmoor-prefix
# With no PREFIX it installs into a temporary folder and removes it afterwards.
# Needs desktop-file-validate (desktop-file-utils) and appstreamcli (appstream);
# tools/install-deps.sh installs both.
set -euo pipefail

fail() { echo "install check failed: $*" >&2; exit 1; }

[ $# -eq 1 ] || [ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR [PREFIX]" >&2; exit 2; }
build=$1
if [ $# -eq 2 ]; then
    prefix=$2
else
    prefix=$(mktemp -d)
    trap 'rm -rf "$prefix"' EXIT
fi
[ -f "$build/CMakeCache.txt" ] || fail "$build is not a configured build folder"

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install $build --prefix $prefix"

id=org.vexmoor.Vexmoor
files=(
    bin/vexmoor
    bin/vexmoor-terminal
    bin/vexmoor-server
    lib/vexmoor/vexmoor-web
    share/vexmoor/web/index.html
    share/vexmoor/help/index.html
    share/applications/$id.desktop
    share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/icons/hicolor/48x48/apps/$id.png
    share/icons/hicolor/256x256/apps/$id.png
    share/man/man6/vexmoor.6.gz
    share/man/man6/vexmoor-server.6.gz
    share/doc/vexmoor/copyright
    share/doc/vexmoor/changelog.gz
)
for f in "${files[@]}"; do
    [ -f "$prefix/$f" ] || fail "missing $prefix/$f"
done
[ -x "$prefix/bin/vexmoor" ] || fail "$prefix/bin/vexmoor is not executable"

command -v desktop-file-validate >/dev/null || fail "desktop-file-validate not found (install desktop-file-utils)"
command -v appstreamcli >/dev/null || fail "appstreamcli not found (install appstream)"
out=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) \
    || fail "desktop-file-validate: $(echo "$out" | head -n 1)"
# Strict: a warning or a note fails too. AppStream before 1.0 (Debian 12's 0.16) does not know the
# <developer> tag that 1.0 asks for; there, and only there, that one note is let through.
if ! out=$(appstreamcli validate --no-net --strict "$prefix/share/metainfo/$id.metainfo.xml" 2>&1); then
    issues=$(grep -E '^[EWI]: ' <<<"$out" || echo "$out")
    if appstreamcli --version | grep -q 'version: 0\.'; then
        issues=$(grep -vE '^I: [^ ]+: unknown-tag developer$' <<<"$issues" || true)
    fi
    [ -z "$issues" ] || fail "appstreamcli validate: $(head -n 1 <<<"$issues")"
fi

# --version and --help answer on the terminal, without a display; a wrong option gets a hint, and
# the game itself says it needs a graphical session.
run() { QT_QPA_PLATFORM= DISPLAY= WAYLAND_DISPLAY= "$prefix/bin/vexmoor" "$@" 2>&1; }
version=$(run --version) || fail "vexmoor --version exited with $?"
[ "$version" = "Vexmoor 1.0" ] || fail "vexmoor --version printed '$version', not 'Vexmoor 1.0'"
usage=$(run --help) || fail "vexmoor --help exited with $?"
grep -qi "usage" <<<"$usage" || fail "vexmoor --help printed no usage text"
if out=$(run --frobnicate); then fail "vexmoor --frobnicate was accepted"; fi
grep -q "Try 'vexmoor --help'." <<<"$out" || fail "vexmoor --frobnicate gave no hint: $out"
if out=$(run); then fail "vexmoor started with no display"; fi
grep -q "graphical session" <<<"$out" || fail "vexmoor with no display said: $out"
grep -q "vexmoor-terminal" <<<"$out" || fail "vexmoor with no display did not name vexmoor-terminal: $out"

# The replay's options, with no display, in either spelling; what does not go together is refused
# with exit 2 and a hint, and a recording no game can have made with one line. Each row: the exit
# code, what the output holds, then the arguments.
recording=$(dirname "$0")/../tests/replays/shop_every_command.txt
impossible=$(mktemp)
sed '3s/^random \([0-9]*\) [0-9]*/random \1 18446744073709551615/' "$recording" >"$impossible"
while IFS='|' read -r code text args; do
    eval "set -- $args"
    status=0
    out=$(QT_QPA_PLATFORM= DISPLAY= WAYLAND_DISPLAY= timeout 60 "$prefix/bin/vexmoor" "$@" 2>&1) ||
        status=$?
    [ "$status" = "$code" ] || fail "vexmoor $args exited with $status, not $code: $out"
    grep -qF -- "$text" <<<"$out" || fail "vexmoor $args did not say '$text': $out"
done <<ROWS
0|replay matches|--replay "$recording" --headless
0|replay matches|--replay="$recording" --headless
0|replay matches|--headless --replay "$recording" --speed 2
2|go with a replay|--headless --speed 2
2|go with a replay|--speed 2
2|takes a number above 0|--replay "$recording" --headless --speed 0
2|takes a number above 0|--replay "$recording" --headless --speed fast
2|needs the recording's file|--replay= --headless
2|Missing value after '--replay'|--headless --replay
2|Unexpected argument 'more'.|--replay "$recording" --headless more
2|more random draws than any game makes|--replay "$impossible" --headless
1|graphical session|--replay "$recording"
1|graphical session|--seed 4294967295
1|graphical session|--daily
2|takes a whole number from 0 to 4294967295.|--seed 4294967296
2|takes a whole number from 0 to 4294967295.|--seed -1
2|takes a whole number from 0 to 4294967295.|--seed=+7
2|Missing value after '--seed'|--seed
2|each name the seed: give one.|--daily --seed 7
2|Unknown option 'challenge'.|--challenge 7
2|a replay plays the recording's seed|--replay "$recording" --headless --seed 7
ROWS
lines=$({ timeout 60 "$prefix/bin/vexmoor" --replay "$impossible" --headless 2>&1 || true; } | wc -l)
[ "$lines" = 1 ] || fail "an impossible recording was refused in $lines lines, not one"
rm -f "$impossible"

# The terminal program answers the same way, and needs nothing of Qt Gui, X or Wayland.
version=$("$prefix/bin/vexmoor-terminal" --version 2>&1) || fail "vexmoor-terminal --version exited with $?"
[ "$version" = "Vexmoor 1.0" ] || fail "vexmoor-terminal --version printed '$version'"
if out=$("$prefix/bin/vexmoor-terminal" --frobnicate 2>&1); then fail "vexmoor-terminal --frobnicate was accepted"; fi
if out=$("$prefix/bin/vexmoor-terminal" --replay x 2>&1); then fail "vexmoor-terminal took --replay"; fi
grep -q "Try 'vexmoor-terminal --help'." <<<"$out" || fail "vexmoor-terminal --frobnicate gave no hint: $out"
if out=$("$prefix/bin/vexmoor-terminal" --seed seven 2>&1); then fail "vexmoor-terminal took --seed seven"; fi
grep -q "takes a whole number" <<<"$out" || fail "vexmoor-terminal --seed seven said: $out"
if out=$("$prefix/bin/vexmoor-terminal" --daily </dev/null 2>&1); then fail "vexmoor-terminal played off a terminal"; fi
grep -q "plays in a terminal" <<<"$out" || fail "vexmoor-terminal --daily off a terminal said: $out"
needed=$(readelf -d "$prefix/bin/vexmoor-terminal" | grep NEEDED)
grep -q "libncursesw" <<<"$needed" || fail "vexmoor-terminal does not use ncursesw"
if grep -qE "Qt6(Gui|Widgets)|libX|xcb|wayland|libGL|libEGL" <<<"$needed"; then
    fail "vexmoor-terminal needs a library of a graphical session: $needed"
fi

# The server finds its page, the help page and its game process where the install put them, and
# the game process needs no more of Qt than the terminal program.
if out=$("$prefix/bin/vexmoor-server" --listen nowhere 2>&1); then fail "vexmoor-server took --listen nowhere"; fi
grep -q "Try 'vexmoor-server --help'." <<<"$out" || fail "vexmoor-server --listen nowhere gave no hint: $out"
data=$(mktemp -d)
"$prefix/bin/vexmoor-server" --listen 127.0.0.1:0 --data "$data" >"$data/said" 2>/dev/null &
server=$!
for _ in $(seq 50); do grep -q "open http" "$data/said" && break; sleep 0.1; done
address=$(grep -o 'http://[0-9.:]*/' "$data/said" || true)
page=$(curl -sf "$address" || true)
helped=$(curl -sf "${address}help/index.html" || true)
kill "$server"
wait "$server" || fail "vexmoor-server did not end cleanly on SIGTERM"
rm -rf "$data"
grep -q "<title>Vexmoor" <<<"$page" || fail "vexmoor-server at '$address' served no page"
grep -qi "vexmoor" <<<"$helped" || fail "vexmoor-server served no help page"
# Only the game process takes the server's challenge, and only one seed.
web="$prefix/lib/vexmoor/vexmoor-web"
if out=$("$web" --data "$data" --challenge 7 --seed 7 </dev/null 2>&1); then fail "vexmoor-web took two seeds"; fi
grep -q "each name the seed: give one." <<<"$out" || fail "vexmoor-web --challenge --seed said: $out"
if out=$("$web" --data "$data" --challenge x </dev/null 2>&1); then fail "vexmoor-web took --challenge x"; fi
grep -q "^vexmoor-web: --challenge takes a whole number" <<<"$out" || fail "vexmoor-web --challenge x said: $out"
needed=$(readelf -d "$prefix/lib/vexmoor/vexmoor-web" | grep NEEDED)
if grep -qE "Qt6(Gui|Widgets)|libX|xcb|wayland|libGL|libEGL" <<<"$needed"; then
    fail "vexmoor-web needs a library of a graphical session: $needed"
fi

echo "install check passed"
