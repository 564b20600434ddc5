#!/bin/bash
# Builds Qt 6.4.2 (qtbase + qtsvg) for 64-bit Windows (x86_64-w64-mingw32, gcc 12, posix threads) on Debian 12,
# from Debian's qt6-base source package and the qtsvg source beside this script (the package archive does not
# serve qt6-svg's source), with Debian's own Qt 6.4.2 as the host Qt. The result is the prefix $PREFIX, with
# mingw-toolchain.cmake and the MinGW runtime DLLs inside it; with TARBALL set, a .tar.zst of it too.
# About 20-45 minutes on two cores. Run as root (apt). scripts/windows.sh runs it when no ready prefix is at hand:
#   PREFIX=$HOME/.cache/versalia/mingw-qt-6.4.2 bash scripts/windows/build-mingw-qt.sh
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
PREFIX=${PREFIX:-$HOME/.cache/versalia/mingw-qt-6.4.2}
if [ -z "${WORK:-}" ]; then
  WORK=$(mktemp -d)
  trap 'rm -rf "$WORK"' EXIT
fi
JOBS=${JOBS:-$(nproc)}
QTSVG_SOURCE=${QTSVG_SOURCE:-$HERE/qtsvg-everywhere-src-6.4.2.tar.xz}
QTSVG_SHA256=fb2aaf3b894d2881ff1f0066383962eb85caaa1c31d2ca6041b4213ebc6b6698
echo "$QTSVG_SHA256  $QTSVG_SOURCE" | sha256sum -c --quiet -
mkdir -p "$WORK" && cd "$WORK"
export DEBIAN_FRONTEND=noninteractive

# 1. A deb-src entry for the archive apt already uses, then the cross compiler, the host Qt and the build tools.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list 2>/dev/null; then
  uri=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list)
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" > /etc/apt/sources.list.d/qt-mingw-src.sources
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev qt6-base-dev qt6-base-dev-tools cmake ninja-build perl python3 \
  dpkg-dev xz-utils zstd >/dev/null

# 2. Sources: qtbase from Debian with its security patches only (the rest are Linux packaging); qtsvg from the tarball.
apt-get source --download-only qt6-base=6.4.2+dfsg-10 >/dev/null
tar xf qt6-base_6.4.2+dfsg.orig.tar.xz
mkdir deb && tar xf qt6-base_6.4.2+dfsg-10.debian.tar.xz -C deb
for p in cve-2023-32762.diff cve-2023-32763.diff cve-2023-33285.diff cve-2023-24607.patch; do
  patch -s -d qtbase-everywhere-src-6.4.2 -p1 < deb/debian/patches/$p
done
# Qt 6.4.2 without OpenGL on Windows: dynamicgl stays on and qwindowswindow.cpp then names OpenGL classes.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  qtbase-everywhere-src-6.4.2/src/plugins/platforms/windows/qwindowswindow.cpp
tar xf "$QTSVG_SOURCE"

# 3. qtbase. Debian's dfsg tarball lacks wintab, hence no tablet events; no OpenGL, network, SQL or D-Bus.
mkdir -p "$PREFIX"; cp "$HERE/mingw-toolchain.cmake" "$PREFIX/"
cmake -G Ninja -S qtbase-everywhere-src-6.4.2 -B build-qtbase \
  -DCMAKE_TOOLCHAIN_FILE="$PREFIX/mingw-toolchain.cmake" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_direct2d1_1=OFF \
  -DFEATURE_png=ON -DFEATURE_jpeg=ON -DFEATURE_ico=ON \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_doubleconversion=OFF >/dev/null
cmake --build build-qtbase --parallel "$JOBS"
cmake --install build-qtbase >/dev/null
# Consumers may unpack the prefix anywhere: find the toolchain file beside the prefix, not where it was built.
sed -i 's|^set(__qt_initially_configured_toolchain_file ".*")|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/../../../mingw-toolchain.cmake")|' \
  "$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake"

# 4. qtsvg against it.
cmake -G Ninja -S qtsvg-everywhere-src-6.4.2 -B build-qtsvg -DCMAKE_TOOLCHAIN_FILE="$PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF >/dev/null
cmake --build build-qtsvg --parallel "$JOBS"
cmake --install build-qtsvg >/dev/null

# 5. The MinGW runtime an application needs beside its exe.
gccdir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
mkdir -p "$PREFIX/mingw-runtime"
cp "$gccdir/libgcc_s_seh-1.dll" "$gccdir/libstdc++-6.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$PREFIX/mingw-runtime/"
[ -z "${TARBALL:-}" ] || tar -C "$(dirname "$PREFIX")" -I 'zstd -19 -T0' -cf "$TARBALL" "$(basename "$PREFIX")"
echo "Qt for MinGW in $PREFIX"
