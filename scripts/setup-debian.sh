#!/usr/bin/env bash
# Installs every Debian 12 package the build, the program and the tests need.
# Safe to run again; it only installs what is missing.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config git
  # toolkit
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6svg6-dev qt6-tools-dev libgl-dev
  # tests, benchmarks, fuzzing, sanitizers
  googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  # end-to-end: headless display, input driving, the TCP-to-serial bridge
  xvfb xauth xdotool x11-apps ser2net socat
  # fonts for rendering tests and screenshots
  fonts-dejavu-core
  # the Debian package and its checks
  dpkg-dev lintian desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: run as root (or install sudo) to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
