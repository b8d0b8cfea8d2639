#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for SECONDS (default 180), starting from the
# seed corpus in tests/host/fuzz/corpus and keeping what it finds in build/fuzz-corpus. Its first
# byte shares the time among the search address, Replace and the JPEG decoder.
#   scripts/fuzz.sh 3600      # an hour
set -euo pipefail
seconds=${1:-180}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/build.sh
quorvel_build host-fuzz fuzz_parsers
corpus=build/fuzz-corpus/fuzz_parsers
log=build/fuzz-corpus/fuzz_parsers.log
mkdir -p "$corpus"
echo "-- fuzz_parsers for ${seconds}s"
if ! build/host-fuzz/tests/host/fuzz_parsers -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix=build/fuzz-corpus/ "$corpus" tests/host/fuzz/corpus/fuzz_parsers >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "fuzz_parsers found a failure; the input that shows it is in build/fuzz-corpus/"
  exit 1
fi
grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
