#!/usr/bin/env bash
# Checks the built Debian package: lintian reports no error, no warning and no missing hardening,
# the program lies in /usr/games with its man page beside Debian's games, the server comes with its
# systemd unit, and the package brings Qt's Wayland plugin along.
# Usage: tools/check-package.sh PACKAGE_DIR   (`make package` or `make test` builds it first)
# Exits 77, a skipped test, when no package has been built there.
set -euo pipefail

fail() { echo "package check failed: $*" >&2; exit 1; }

[ $# -eq 1 ] || { echo "usage: $0 PACKAGE_DIR" >&2; exit 2; }
shopt -s nullglob
debs=("$1"/vexmoor_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "no package in $1: run make package first"; exit 77; }
deb=${debs[0]}
command -v lintian >/dev/null || fail "lintian not found (tools/install-deps.sh installs it)"

contents=$(dpkg-deb -c "$deb")
grep -q ' \./usr/games/vexmoor$' <<<"$contents" || fail "no /usr/games/vexmoor in $deb"
if grep -q ' \./usr/bin/' <<<"$contents"; then fail "$deb puts a program in /usr/bin"; fi
grep -q ' \./usr/share/man/man6/vexmoor\.6\.gz$' <<<"$contents" || fail "no gzipped man page"
grep -q ' \./usr/games/vexmoor-server$' <<<"$contents" || fail "no /usr/games/vexmoor-server in $deb"
grep -q ' \./usr/lib/vexmoor/vexmoor-web$' <<<"$contents" || fail "no game process in $deb"
grep -q ' \./usr/lib/systemd/system/vexmoor-server\.service$' <<<"$contents" ||
    fail "no systemd unit for the server in $deb"
dpkg-deb -f "$deb" Depends | grep -qw qt6-wayland || fail "$deb does not depend on qt6-wayland"

report=$(lintian --fail-on none --display-info "$deb" 2>&1) || fail "lintian did not run: $report"
if grep -E '^(E|W): |^I: .* hardening-' <<<"$report"; then fail "lintian on $deb (above)"; fi
echo "package check passed: $(basename "$deb")"
