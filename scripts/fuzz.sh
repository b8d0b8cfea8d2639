#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60), starting from
# the seed corpus in tests/host/fuzz/corpus and keeping what it finds in build/fuzz-corpus.
#   scripts/fuzz.sh 3600      # an hour each
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/build.sh
quorvel_build host-fuzz fuzz_replace fuzz_search_address fuzz_jpeg
for target in fuzz_replace fuzz_search_address fuzz_jpeg; do
  corpus="build/fuzz-corpus/$target"
  mkdir -p "$corpus"
  echo "-- $target for ${seconds}s"
  log="build/fuzz-corpus/$target.log"
  if ! "build/host-fuzz/tests/host/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="build/fuzz-corpus/$target-" \
      "$corpus" "tests/host/fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "$target found a failure; the input that shows it is in build/fuzz-corpus/"
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
done
