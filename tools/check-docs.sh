#!/usr/bin/env bash
# Checks the player's documents: the man page renders without a warning and names every place of
# the game's files that the README and the help page name; all three say that Escape's shop is the
# game's pause; the help page fits a phone's screen.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "document check failed: $*" >&2; exit 1; }

man=doc/vexmoor.6
if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $man: $warnings"
fi
page=$(tr -d '\\' <"$man")
places=$(grep -ohE '~/\.(local/share|config)/Vexmoor/[A-Za-z0-9_.*/-]*' README.md help/index.html |
         sed 's/\.$//' | sort -u)
for place in $places; do
    grep -qF -- "$place" <<<"$page" || fail "$man does not name $place"
done
for doc in README.md help/index.html "$man"; do
    grep -q "the game's pause" "$doc" || fail "$doc does not say that the shop is the game's pause"
done
grep -q '<meta name="viewport" content="width=device-width' help/index.html || fail "no viewport line"
grep -qE '^\.B F$' "$man" || fail "$man does not list F of the main menu"
echo "document check passed"
