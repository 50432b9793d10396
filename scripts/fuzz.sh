#!/usr/bin/env bash
# Runs every fuzz target for a bounded time on its seed corpus.
# usage: scripts/fuzz.sh BIN_DIR SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$1
seconds=$2
shopt -s nullglob
status=0
for source in fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  corpus=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
  echo "fuzzing $name for ${seconds}s"
  if ! "$bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" >"$corpus.log" 2>&1; then
    tail -n 60 "$corpus.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$corpus.log" | tail -n 2 || true
  fi
  rm -rf "$corpus" "$corpus.log"
done
exit $status
