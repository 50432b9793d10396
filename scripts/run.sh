#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the program and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
bin=build/dev/bin
if [ -x "$bin/quillon" ]; then
  exec "$bin/quillon" "$@"
fi
# Until the window exists: show what the core reads from a clone file.
exec "$bin/quillon-cli" inspect "${1:-tests/fixtures/clonefile/full-radio.vrc}"
