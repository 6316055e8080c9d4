#!/bin/sh
# The game's code and tests speak the game's own words: none of the old names its locals once had
# is left.
cd "$(dirname "$0")/.." || exit 2
grep -rniwE 'mio2?|pic|camin|foro|liv|tempo' src tests
[ $? -eq 1 ] || { echo "old names found (above)" >&2; exit 1; }
echo "no old names"
