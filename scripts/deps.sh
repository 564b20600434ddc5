#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the application and the tests need, when missing.
set -euo pipefail
PKGS=(cmake ninja-build g++ libssl-dev qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev gstreamer1.0-plugins-base
      gstreamer1.0-plugins-good qt6-translations-l10n
      qt6-qpa-plugins libgl-dev fonts-liberation2 fonts-dejavu-core poppler-utils xvfb xauth)
missing=()
for p in "${PKGS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installazione dei pacchetti mancanti: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
