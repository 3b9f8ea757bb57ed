#!/usr/bin/env bash
# Checks that scripts/setup.sh names every Debian package the build really uses, so that a
# bare machine (packages installed without their recommendations) can build and test.
# Collects the files a fresh configure loads (CMake's trace), every header and library of
# the compile and link steps of an existing build, and the programs the Makefile runs; asks
# dpkg which package owns each; fails when one lies outside the Depends closure of the
# packages that setup.sh installs.
# Usage: scripts/check-packages.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The packages setup.sh installs: the words inside its packages=( ... ) list.
sed -n '/^packages=(/,/^)/p' "$root/scripts/setup.sh" | sed '1d;$d; s/#.*//' | tr ' ' '\n' |
  grep -v '^$' | sort -u >"$work/listed"

# 1. What a fresh configure loads.
cmake -S "$root" -B "$work/cfg" --trace-expand --trace-redirect="$work/trace.txt" >/dev/null
grep -oE '/usr/[^ ()";]+' "$work/trace.txt" >"$work/paths" || true
# 2. What the build compiles and links against.
find "$build" \( -name compiler_depend.make -o -name depend.make -o -name link.txt \
  -o -name flags.make -o -name '*.d' \) -print0 |
  xargs -0 grep -ohE '/usr/[^ :\\]+' >>"$work/paths" || true
# 3. The programs the Makefile and the scripts run.
for prog in cmake ctest c++ cc make pkg-config msgfmt clang clang++ clang-format xvfb-run xauth \
  Xvfb; do
  p=$(command -v "$prog" || true)
  [ -n "$p" ] && { echo "$p"; readlink -f "$p"; } >>"$work/paths"
done
# 4. The files the programs open at run time.
for f in /usr/share/qt6/translations/qtbase_fr.qm /usr/share/qt6/translations/qt_fr.qm \
  /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqoffscreen.so \
  /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so \
  /usr/lib/x86_64-linux-gnu/qt6/plugins/imageformats/libqsvg.so; do
  echo "$f" >>"$work/paths"
done
sort -u "$work/paths" | while read -r p; do if [ -f "$p" ]; then echo "$p"; fi; done >"$work/existing"

# Owners; /usr-merged files are listed by dpkg under /lib or /bin, so what dpkg cannot place
# is asked again under those names.
owners() { grep ': /' | sed 's/: \/.*//' | tr ',' '\n' | sed 's/^ *//; s/:.*//'; }
xargs -a "$work/existing" -d '\n' dpkg -S 2>"$work/unowned" | owners >"$work/owners" || true
sed -n 's/^dpkg-query: no path found matching pattern //p' "$work/unowned" | while read -r p; do
  real=$(readlink -f "$p")
  for q in "${p#/usr}" "$real" "${real#/usr}"; do
    if out=$(dpkg -S "$q" 2>/dev/null); then
      echo "$out" | owners
      break
    fi
  done
done >>"$work/owners"
sort -u "$work/owners" >"$work/used"

# Everything apt installs for the listed packages without recommendations.
xargs -a "$work/listed" apt-cache depends --recurse --no-recommends --no-suggests \
  --no-conflicts --no-breaks --no-replaces --no-enhances 2>/dev/null |
  sed -E 's/^ *(\|?(Pre)?Depends: )?//; s/[<>]//g; s/:.*//' | grep -v '^ *$' | sort -u >"$work/closure"
cat "$work/listed" >>"$work/closure"
dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" { print $1 }' >>"$work/closure"
sort -u -o "$work/closure" "$work/closure"

missing=$(comm -23 "$work/used" "$work/closure")
if [ -n "$missing" ]; then
  echo "check-packages: used by the build but not installed by scripts/setup.sh:" >&2
  echo "$missing" | sed 's/^/  /' >&2
  exit 1
fi
echo "check-packages: $(wc -l <"$work/used") packages used, all installed by scripts/setup.sh"
