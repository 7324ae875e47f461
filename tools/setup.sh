#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks and the
# run need. Idempotent: apt-get update runs only when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-pdf-dev libqt6sql6-sqlite libqt6svg6
  libgl-dev libvulkan-dev libxkbcommon-dev
  libfreeimage-dev libminizip-dev zlib1g-dev
  sqlite3 libsqlite3-dev zip unzip python3 qpdf poppler-utils xvfb xauth imagemagick
  clang libclang-rt-14-dev
  fonts-liberation fonts-urw-base35 fonts-dejavu-core locales
  libhpdf-dev
  chromium
  libceres-dev qt6-charts-dev libqt6opengl6-dev ngspice
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  desktop-file-utils appstream lintian dpkg-dev fakeroot file
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
