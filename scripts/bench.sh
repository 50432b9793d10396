#!/usr/bin/env bash
# Builds and runs every benchmark (never part of the tests).
# usage: scripts/bench.sh [benchmark-name-filter]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
for program in build/dev/bin/bench_*; do
  case "$(basename "$program")" in *${1:-}*) ;; *) continue ;; esac
  echo "== $(basename "$program")"
  "$program"
done
