#!/usr/bin/env bash
# Installs the Debian packages Vexmoor needs to build, test and play, when they are missing.
# With the argument "fuzz": what `make fuzz` needs besides, clang and its libFuzzer runtime.
# With the argument "reach": what `make check-reach` needs besides, the Orca screen reader speaking
# through speech-dispatcher and espeak-ng, on a virtual X display driven by xdotool.
set -euo pipefail

packages=(cmake ninja-build g++ make qt6-base-dev qt6-base-private-dev libncurses-dev libgtest-dev
          libgmock-dev libbenchmark-dev tmux fonts-dejavu-core desktop-file-utils appstream dpkg-dev
          file lintian qt6-wayland qt6-websockets-dev libqt6sql6-sqlite libqt6sql6-psql postgresql
          libsodium-dev pkg-config chromium chromium-driver python3-selenium curl)
if [ "${1:-}" = fuzz ]; then
    packages=(clang libclang-rt-dev)
fi
if [ "${1:-}" = reach ]; then
    packages=(orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng xvfb openbox at-spi2-core
              dbus-daemon xdotool procps)
fi

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "Not a Debian-like system: install these yourself, and CMake will tell what is still missing:"
    echo "  a C++20 compiler, CMake >= 3.25, Ninja, Qt >= 6.4 (Widgets and Test), ncursesw, GoogleTest,
  a DejaVu font; tmux for the terminal's test;"
    echo "  for the install checks, desktop-file-utils and appstream; for \`make fuzz\`, clang with libFuzzer."
    exit 0
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

# A user who may not use sudo (none installed, or not among the sudoers) gets one line to hand on.
say_what_to_install() {
    echo "Missing packages: ${missing[*]}; as root, run: apt-get install ${missing[*]}" >&2
    exit 1
}
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || say_what_to_install
    sudo="sudo"
fi

echo "Installing: ${missing[*]}"
$sudo apt-get update -qq || say_what_to_install
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
