#!/usr/bin/env bash
# Runs each fuzz target for a bounded time on a scratch copy of its seed corpus.
set -euo pipefail
bin=$(cd "$1" && pwd)
seeds=$(cd "$2" && pwd)
seconds=$3
for target in "$bin"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus=$(mktemp -d)
  if [ -d "$seeds/corpus/$name" ]; then cp -r "$seeds/corpus/$name/." "$corpus/"; fi
  work=$(mktemp -d)
  echo "== $name for ${seconds}s"
  (cd "$work" && "$target" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 \
     -print_final_stats=1 "$corpus" 2>&1 | tail -n 12)
  rm -rf "$corpus" "$work"
done
