#!/usr/bin/env bash
# Pictures of the main window and of every dialog under Xvfb, in French and in English, on a
# copy of the bundled sample corpus, for checking layouts at the default font.
# Usage: scripts/screenshot.sh [build dir] [output folder]   (default: docs/captures)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(realpath -m "${2:-$root/docs/captures}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/resources/samples/sample_romans_contes.txt" "$work/"
(cd "$work" && "$build/bin/morvix-cli" segment sample_romans_contes.txt >/dev/null)
for lang in fr en; do
  (cd "$work" && LANGUAGE=$lang xvfb-run -a -s "-screen 0 1400x900x24" \
    "$build/tests/captures_fenetres" "$out/$lang" "$work/sample_romans_contes.par")
done
echo "$out"
