#!/usr/bin/env bash
# Every text the windows pass through Tr("...") has a translation in each catalog.
# Usage: scripts/check-catalogs.sh [SOURCE_DIR]
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
find "$root/src/ui" "$root/src/app" -name '*.cpp' -o -name '*.h' | sort >"$work/sources"
xgettext --keyword=Tr --keyword=TrNoop --from-code=UTF-8 --language=C++ --no-location \
  --files-from="$work/sources" -o "$work/messages.pot" 2>/dev/null
status=0
for dir in "$root"/locale/*/; do
  lang=$(basename "$dir")
  msgcat --use-first -o "$work/$lang.po" "$dir"*.po 2>/dev/null
  if ! msgcmp "$work/$lang.po" "$work/messages.pot" >"$work/$lang.err" 2>&1; then
    echo "catalog $lang: texts without a translation:" >&2
    sed -n 's/^.*messages\.pot:\([0-9]*\): this message is used but not defined.*/\1/p' \
      "$work/$lang.err" | while read -r n; do sed -n "$((n - 1))p" "$work/messages.pot"; done >&2
    status=1
  fi
done
exit $status
