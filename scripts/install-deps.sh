#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when some are missing.
set -euo pipefail
packages=(
    cmake make g++ ccache pkg-config
    qt6-base-dev qt6-webengine-dev qt6-webchannel-dev qt6-svg-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    libjs-leaflet libzip-dev libicu-dev
    gpsbabel gdal-bin
    desktop-file-utils qt6-translations-l10n
    xvfb xauth openbox xdotool x11-utils libxcb1-dev libxcb-xfixes0-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
