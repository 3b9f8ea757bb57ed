#!/usr/bin/env bash
# Starts Morvix on the bundled sample corpus. Until the main window exists, segments the
# sample with morvix-cli in a work folder and prints its main counts.
set -euo pipefail
bin=$(cd "$1" && pwd)
sample=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
if [ -x "$bin/morvix" ]; then
  exec "$bin/morvix" "$sample"
fi
work="${MORVIX_RUN_DIR:-$(dirname "$bin")/run}"
mkdir -p "$work"
cp "$sample" "$work/"
cd "$work"
"$bin/morvix-cli" segment "$(basename "$sample")"
echo
echo "Base écrite dans $work ; par exemple :"
echo "  $bin/morvix-cli dico $work/$(basename "${sample%.*}").par | head"
