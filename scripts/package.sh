#!/usr/bin/env bash
# Builds the Debian package (quillon_VERSION_ARCH.deb).
#
# usage: scripts/package.sh [BUILD-FOLDER]
#   Without a folder: sets up a fresh Debian 12 machine, makes a release build
#   without tests and benchmarks in build/package, and packs it.
#   With a folder that holds a configured build (the test script passes
#   build/ci): brings it up to date and packs that.
# The last line printed is the path of the package.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -gt 0 ]; then
  build=$1
else
  scripts/setup-debian.sh
  build=build/package
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUILLON_BUILD_TESTS=OFF -DQUILLON_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j 2
rm -f "$build"/quillon_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/quillon_*.deb)
realpath "$package"
