#!/usr/bin/env bash
# Builds the application and starts it from its program folder (build/program).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh Versalia
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Nessun display grafico disponibile: avviare con 'xvfb-run -a scripts/run.sh' oppure da una sessione grafica." >&2
    exit 1
fi
exec build/program/Versalia "$@"
