#!/usr/bin/env bash
# Starts Morvix under Xvfb on a copy of the bundled sample corpus and saves a picture of the
# main window.  Usage: scripts/screenshot.sh [build dir] [output.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(realpath -m "${2:-$root/docs/screenshot.png}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/resources/samples/sample_romans_contes.txt" "$work/"
(cd "$work" && "$build/bin/morvix-cli" segment sample_romans_contes.txt >/dev/null)
MORVIX_SANS_ATTENTE=1 MORVIX_CAPTURE="$out" \
  xvfb-run -a -s "-screen 0 1400x900x24" "$build/bin/morvix" "$work/sample_romans_contes.par"
echo "$out"
