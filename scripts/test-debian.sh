#!/usr/bin/env bash
# Checks on a fresh Debian root made with debootstrap (root, network to the Debian archive, a few minutes):
#   scripts/test-debian.sh install bookworm   installs dist/versalia_*_amd64.deb (cmake --build build --target deb)
#                                             with apt, then starts the menu entry's command as a plain user
#                                             under Xvfb and waits for the login window (screenshot in the root's
#                                             /tmp/avvio-deb.png)
#   scripts/test-debian.sh build trixie       builds the project with that release's packages (scripts/deps.sh)
#                                             and runs every test
# The root is kept in ROOTS (default /var/tmp/versalia-roots/<release>) and reused by the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
MODE=${1:?install o build}
RELEASE=${2:?bookworm, trixie...}
ROOT=${ROOTS:-/var/tmp/versalia-roots}/$RELEASE
bash scripts/deps.sh debootstrap

if [ ! -x "$ROOT/usr/bin/apt-get" ]; then
    rm -rf "$ROOT" && mkdir -p "$(dirname "$ROOT")"
    debootstrap --variant=minbase "$RELEASE" "$ROOT" http://deb.debian.org/debian >/dev/null
fi
for m in proc sys dev dev/pts; do
    mountpoint -q "$ROOT/$m" || mount --bind "/$m" "$ROOT/$m"
done
trap 'for m in dev/pts dev sys proc; do umount "$ROOT/$m" 2>/dev/null || true; done' EXIT
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
in_root() { chroot "$ROOT" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

case $MODE in
install)
    DEB=$(ls dist/versalia_*_amd64.deb | head -n 1)
    cp "$DEB" "$ROOT/tmp/versalia.deb"
    in_root bash -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        xvfb xauth xdotool imagemagick /tmp/versalia.deb >/dev/null'
    in_root bash -c 'id utente >/dev/null 2>&1 || useradd -m utente'
    cmd=$(sed -n 's/^Exec=//p' "$ROOT/usr/share/applications/versalia.desktop")
    in_root su - utente -c "xvfb-run -a -s '-screen 0 1366x768x24' bash -c '
        $cmd >/tmp/versalia.log 2>&1 &
        for _ in \$(seq 30); do
            xdotool search --onlyvisible --name \"Versalia - Accesso\" >/dev/null 2>&1 && break
            sleep 1
        done
        found=0
        xdotool search --onlyvisible --name \"Versalia - Accesso\" >/dev/null 2>&1 && found=1 && sleep 1 &&
            import -window root /tmp/avvio-deb.png
        kill %1
        [ \$found = 1 ]'" || { echo "La finestra di accesso non è comparsa." >&2; exit 1; }
    test -x "$ROOT/home/utente/.local/share/versalia/Versalia"
    echo "Pacchetto installato su $RELEASE, finestra di accesso: $ROOT/tmp/avvio-deb.png"
    ;;
build)
    rm -rf "$ROOT/src" && mkdir -p "$ROOT/src"
    git ls-files -z | xargs -0 cp --parents -t "$ROOT/src"
    in_root bash -c 'cd /src && bash scripts/test.sh'
    ;;
*)
    echo "uso: $0 install|build RELEASE" >&2
    exit 2
    ;;
esac
