#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and screenshots need (only what is missing).
set -euo pipefail
packages=(qt6-base-dev qt6-charts-dev libqt6opengl6-dev libsqlcipher-dev libcurl4-openssl-dev fonts-ipafont-gothic
          fonts-ipafont-mincho xvfb xauth imagemagick cmake g++ ninja-build pkg-config
          libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev ccache
          libxlsxwriter-dev poppler-utils unzip clang libfuzzer-14-dev qt6-svg-dev
          librsvg2-bin dpkg-dev file desktop-file-utils appstream bash-completion python3
          qt6-translations-l10n lintian man-db)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
