#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, when any is missing.
# fonts-urw-base35 gives the printed documents' Arial a face of the same widths (else DejaVu Sans, wider, and
# the documents' columns run into each other).
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config python3
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-dejavu-core qt6-translations-l10n
  fonts-urw-base35
  firebird3.0-server-core firebird3.0-utils firebird-dev libfbclient2
  libjpeg62-turbo-dev libxlsxwriter-dev libzip-dev zlib1g-dev
  libgtest-dev libbenchmark-dev poppler-utils zip unzip
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
