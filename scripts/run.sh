#!/usr/bin/env bash
# Starts Morvix on a copy of the bundled sample corpus in a work folder of the build, so that
# the base files are not written into the source tree. Without the main window, segments the
# copy with morvix-cli and prints its main counts.
set -euo pipefail
bin=$(cd "$1" && pwd)
sample=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
work="${MORVIX_RUN_DIR:-$(dirname "$bin")/run}"
mkdir -p "$work"
cp "$sample" "$work/"
cd "$work"
if [ -x "$bin/morvix" ]; then
  exec "$bin/morvix" "$work/$(basename "$sample")"
fi
"$bin/morvix-cli" segment "$(basename "$sample")"
echo
echo "Base écrite dans $work ; par exemple :"
echo "  $bin/morvix-cli dico $work/$(basename "${sample%.*}").par | head"
