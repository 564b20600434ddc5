#!/usr/bin/env bash
# Installs the Debian packages the build, the application and the tests need, when missing; the packages
# given as arguments too (scripts/windows.sh adds the cross compiler and Wine). Without root and without sudo
# it says which command to run as root instead.
set -euo pipefail
PKGS=(cmake ninja-build g++ libssl-dev qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev gstreamer1.0-plugins-base
      gstreamer1.0-plugins-good qt6-translations-l10n
      qt6-qpa-plugins libgl-dev fonts-liberation2 fonts-dejavu-core poppler-utils xvfb xauth librsvg2-bin "$@")
missing=()
for p in "${PKGS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    line="apt-get install -y --no-install-recommends ${missing[*]}"
    SUDO=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Mancano dei pacchetti e non si dispone dei privilegi per installarli (sudo non è disponibile)." >&2
            echo "Eseguire come utente root (ad esempio con 'su -'):" >&2
            echo "    apt-get update && $line" >&2
            exit 1
        fi
        SUDO=(sudo)
    fi
    echo "Installazione dei pacchetti mancanti: ${missing[*]}"
    "${SUDO[@]}" apt-get update -qq
    "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
