#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libicu-dev libpcre2-dev libjpeg-dev libeigen3-dev gettext
  # Qt6Charts' CMake config needs Qt6OpenGL; FindOpenGL also opens EGL and GLU; Qt6Gui's
  # looks for XKB. None of them comes with qt6-base-dev without its recommendations.
  qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-l10n-tools qt6-translations-l10n
  libqt6opengl6-dev libegl-dev libglu1-mesa-dev libxkbcommon-dev
  # Word-processor documents: zip and XML for .docx and .odt, converters for .doc.
  libzip-dev libxml2-dev antiword catdoc
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
