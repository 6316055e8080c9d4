#!/usr/bin/env bash
# Checks the README's two commands on a machine that has nothing but git: `./run test` installs
# what is missing, make among it, as root or through sudo, then hands over to make; a user who may
# not use sudo gets the one line naming what to install. Stand-ins for id, dpkg-query, sudo,
# apt-get and make write what they were asked into a log, so nothing is installed for real.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "set-up check failed: $*" >&2; exit 1; }

stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
for tool in sh bash env grep dirname chmod; do ln -s "$(command -v $tool)" "$stubs/$tool"; done
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$stubs/$1" && chmod +x "$stubs/$1"; }
stub id 'echo "$UID_IS"'
stub dpkg-query '[ -e "$STUBS/make" ] && echo "install ok installed"; exit 0'
stub apt-get 'echo "apt-get $*" >>"$LOG"
case "$*" in *install*) printf "#!/bin/sh\necho \"make \$*\" >>\"\$LOG\"\n" >"$STUBS/make"; chmod +x "$STUBS/make";; esac'
stub sudo '[ -z "$SUDO_REFUSES" ] || { echo "sudo: a password is required" >&2; exit 1; }
echo "sudo" >>"$LOG"; exec "$@"'

# Runs ./run test as the user UID_IS with or without a sudo that obeys; prints the log, then stderr.
attempt() {
    rm -f "$stubs/make" "$stubs/log"
    [ "$3" = "no sudo" ] && rm -f "$stubs/sudo.off" && mv "$stubs/sudo" "$stubs/sudo.off"
    env -i PATH="$stubs" STUBS="$stubs" LOG="$stubs/log" UID_IS="$1" SUDO_REFUSES="$2" \
        ./run test >/dev/null 2>"$stubs/err" && echo "passed" || echo "failed"
    [ -e "$stubs/sudo.off" ] && mv "$stubs/sudo.off" "$stubs/sudo"
    cat "$stubs/log" 2>/dev/null || true
    cat "$stubs/err"
}

needed="make.* file.* lintian.* qt6-wayland"
out=$(attempt 0 "" "")
grep -q "^passed" <<<"$out" && grep -q "^apt-get update" <<<"$out" || fail "as root: $out"
grep -q "^apt-get install .*$needed" <<<"$out" && grep -q "^make test$" <<<"$out" || fail "as root: $out"
grep -q "^sudo" <<<"$out" && fail "root used sudo: $out"

out=$(attempt 1000 "" "")
grep -q "^passed" <<<"$out" && grep -q "^sudo" <<<"$out" || fail "with sudo: $out"
grep -q "^apt-get install .*$needed" <<<"$out" && grep -q "^make test$" <<<"$out" || fail "with sudo: $out"

for refusal in "refuses" "no sudo"; do
    out=$(attempt 1000 "${refusal/no sudo/}" "$refusal")
    grep -q "^failed" <<<"$out" && ! grep -q "^make\|^apt-get install" <<<"$out" || fail "$refusal: $out"
    [ "$(grep -c "^Missing packages: .*; as root, run: apt-get install .*$needed" <<<"$out")" -eq 1 ] \
        || fail "$refusal: no one line naming what to install: $out"
done

echo "set-up check passed"
