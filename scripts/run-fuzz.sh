#!/usr/bin/env bash
# Runs the libFuzzer target for a fixed time from a small seed corpus.
set -euo pipefail
build="$(cd "$1" && pwd)"; seconds="${2:-20}"
root="$(cd "$(dirname "$0")/.." && pwd)"
corpus="$build/corpus"
mkdir -p "$corpus"
cp -n "$root"/fuzz/seeds/* "$corpus"/ 2>/dev/null || true
cd "$build"
./fuzz/telemetry_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>fuzz.log || { tail -60 fuzz.log; exit 1; }
grep -E 'stat::number_of_executed_units|Done' fuzz.log | tail -2
echo "fuzz: no findings in ${seconds}s"
