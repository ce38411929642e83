#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, when any is missing.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config python3
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-dejavu-core qt6-translations-l10n
  firebird3.0-server-core firebird3.0-utils firebird-dev libfbclient2
  libjpeg62-turbo-dev libxlsxwriter-dev zlib1g-dev
  libgtest-dev libbenchmark-dev poppler-utils
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
