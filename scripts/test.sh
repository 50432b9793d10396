#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test:
# the full suite (g++, warnings as errors), the Debian package made from that
# build and checked (installed for real on CI machines), the core suite under
# AddressSanitizer/UBSan, and each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh

cmake --preset ci
cmake --build --preset ci
ctest --preset ci

package=$(scripts/package.sh build/ci | tail -n 1)
if [ "${CI:-}" = true ]; then
  scripts/check-package.sh "$package" --install
else
  scripts/check-package.sh "$package"
fi

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

scripts/fuzz.sh build/asan/bin "${QUILLON_FUZZ_SECONDS:-30}"
echo "All tests passed."
