#!/usr/bin/env bash
# Runs every benchmark program of the build on the large corpus.
set -euo pipefail
build=$1
corpus="${MORVIX_LARGE_CORPUS:-$(pwd)/../shared/corpora/large/eltec_fra_100_romans.txt}"
if [ ! -f "$corpus" ]; then
  echo "bench: corpus not found: $corpus (set MORVIX_LARGE_CORPUS)" >&2
  exit 1
fi
export MORVIX_LARGE_CORPUS="$corpus"
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
