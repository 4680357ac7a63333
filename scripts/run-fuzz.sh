#!/usr/bin/env bash
# Runs each libFuzzer target for a fixed time from its small seed corpus.
#   run-fuzz.sh BUILD_DIR [SECONDS]   SECONDS is shared between the targets
set -euo pipefail
build="$(cd "$1" && pwd)"; seconds="${2:-20}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$build"
# target, seed folder, longest input
targets=("telemetry_fuzz seeds 4096" "clip_check_fuzz seeds-clip 8192" "clip_length_fuzz seeds-clip 8192" "snapshot_fuzz seeds-snapshot 4096")
each=$(( seconds / ${#targets[@]} )); [ "$each" -ge 1 ] || each=1
for entry in "${targets[@]}"; do
  read -r target seeds maxlen <<<"$entry"
  corpus="$build/corpus-$target"
  mkdir -p "$corpus"
  cp -n "$root"/fuzz/"$seeds"/* "$corpus"/ 2>/dev/null || true
  ./fuzz/"$target" -max_total_time="$each" -max_len="$maxlen" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>"$target.log" || { tail -60 "$target.log"; exit 1; }
  grep -E 'stat::number_of_executed_units|Done' "$target.log" | tail -2
  echo "fuzz: $target, no findings in ${each}s"
done
