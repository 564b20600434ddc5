#!/usr/bin/env bash
# Cross-builds Versalia and its tests for 64-bit Windows into build-win/ and makes the portable program folder
# dist/Versalia-<version>-win64.zip. The Qt for MinGW comes from a cache outside the repository
# (VERSALIA_CACHE, by default ~/.cache/versalia): unpacked from ../shared/windows/mingw-qt-6.4.2.tar.zst when
# that is present, otherwise built once by scripts/windows/build-mingw-qt.sh (20-45 minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
CACHE=${VERSALIA_CACHE:-$HOME/.cache/versalia}
QT=$CACHE/mingw-qt-6.4.2
READY=$ROOT/../shared/windows/mingw-qt-6.4.2.tar.zst

# The cross compiler, Wine, the host Qt tools, the icon tools and Qt's Italian translations.
bash scripts/deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    wine64 wine icoutils zip zstd xdotool imagemagick locales

if [ ! -f "$QT/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    # Made beside its place and moved there whole: an interrupted run leaves no half prefix behind.
    rm -rf "$QT.partial" && mkdir -p "$QT.partial"
    if [ -f "$READY" ]; then
        echo "Qt per Windows: estrazione di $READY"
        zstd -dc "$READY" | tar -x -C "$QT.partial"
        mv "$QT.partial/mingw-qt" "$QT"
        rmdir "$QT.partial"
    else
        echo "Qt per Windows: compilazione con scripts/windows/build-mingw-qt.sh (20-45 minuti)"
        PREFIX="$QT.partial" bash scripts/windows/build-mingw-qt.sh
        mv "$QT.partial" "$QT"
    fi
fi

# The tests run against the cached prefix: Qt's Italian texts go there as they go beside the program.
mkdir -p "$QT/translations"
cp -u /usr/share/qt6/translations/qtbase_it.qm "$QT/translations/"

# The guide is made by the native build's guidagen.
bash scripts/build.sh guidagen
GUIDAGEN=$ROOT/build/assets/guidagen

if [ ! -f build-win/build.ninja ]; then
    cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QT/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DVERSALIA_GUIDAGEN="$GUIDAGEN" >/dev/null
fi
cmake --build build-win -- -j"$(nproc)"

# The portable program folder: what Windows needs beside the executable (there is no windeployqt for a cross
# build: the DLLs an executable names are followed with objdump).
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
DEST=$ROOT/dist/Versalia
rm -rf "$DEST" && mkdir -p "$DEST"/{platforms,styles,iconengines,imageformats,translations}
cp build-win/program/{Versalia.exe,Guida.pdf,Avviso.mp3,unins000.dll,qt.conf} "$DEST"/
cp "$QT"/plugins/platforms/qwindows.dll "$DEST"/platforms/
cp "$QT"/plugins/styles/*.dll "$DEST"/styles/
cp "$QT"/plugins/iconengines/*.dll "$DEST"/iconengines/
cp "$QT"/plugins/imageformats/*.dll "$DEST"/imageformats/
cp /usr/share/qt6/translations/qtbase_it.qm "$DEST"/translations/
GCCDIR=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
SEARCH=("$QT/bin" "$QT/mingw-runtime" "$GCCDIR" /usr/x86_64-w64-mingw32/lib)
declare -A seen
queue=("$DEST"/Versalia.exe "$DEST"/*/*.dll)
binaries=("${queue[@]}")
while ((${#queue[@]})); do
    f=${queue[0]}
    queue=("${queue[@]:1}")
    for dll in $(x86_64-w64-mingw32-objdump -p "$f" | awk '/DLL Name:/{print $3}'); do
        [[ -n ${seen[$dll]:-} ]] && continue
        seen[$dll]=1
        for d in "${SEARCH[@]}"; do
            if [[ -f $d/$dll ]]; then
                cp "$d/$dll" "$DEST/"
                binaries+=("$DEST/$dll")
                queue+=("$d/$dll")
                break
            fi
        done # not found: a DLL of Windows itself (KERNEL32, USER32, WINMM...)
    done
done
# unins000.dll is the password store, not a library: only what the walk found is stripped.
x86_64-w64-mingw32-strip --strip-unneeded "${binaries[@]}"
ZIP=$ROOT/dist/Versalia-$VERSION-win64.zip
rm -f "$ZIP"
(cd dist && zip -q -r -9 "$ZIP" Versalia)
echo "$ZIP ($(du -h "$ZIP" | cut -f1))"
