#!/usr/bin/env bash
# Starts Morvix on a copy of the bundled sample corpus in a work folder of the build, so that
# the base files are not written into the source tree. Without a display (or without the
# desktop program), segments the copy with morvix-cli and prints its main counts.
set -euo pipefail
bin=$(cd "$1" && pwd)
sample=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
work="${MORVIX_RUN_DIR:-$(dirname "$bin")/run}"
mkdir -p "$work"
cp "$sample" "$work/"
cd "$work"
if [ -x "$bin/morvix" ]; then
  if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin/morvix" "$work/$(basename "$sample")"
  fi
  echo "Pas d'écran graphique (DISPLAY et WAYLAND_DISPLAY sont vides) : Morvix ne peut" \
    "s'ouvrir ; la base est faite avec morvix-cli." >&2
  echo "Avec un serveur X virtuel : xvfb-run $bin/morvix $work/$(basename "$sample")" >&2
fi
"$bin/morvix-cli" segment "$(basename "$sample")"
echo
echo "Base écrite dans $work ; par exemple :"
echo "  $bin/morvix-cli dico $work/$(basename "${sample%.*}").par | head"
