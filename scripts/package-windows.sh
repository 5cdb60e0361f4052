#!/usr/bin/env bash
# Builds Dentaro for 64-bit Windows on Debian or Ubuntu (installing what is missing), runs the
# whole test suite under Wine, and makes the installer and the portable zip in build/package/.
# The last two lines of output are their paths.
#   scripts/package-windows.sh
# Qt for Windows is built from Debian 13's source the first time (about 20 minutes on two
# cores) and reused after that; see scripts/qt-windows.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

. scripts/setup.sh
# The cross compiler; Wine with its fonts, Comic Neue for the captions' stand-in and Xvfb for the
# tests that open real windows; NSIS for the installer; llvm (with clang, which llvm-rc 19 calls
# to preprocess) and ImageMagick for the resource and icon checks.
dentaro_install "${dentaro_packages[@]}" g++-mingw-w64-x86-64-posix wine wine64 fonts-wine \
    xvfb xauth nsis llvm clang imagemagick

qt_log=$(mktemp)
trap 'rm -f "$qt_log"' EXIT
scripts/qt-windows.sh | tee "$qt_log"
DENTARO_QT_WINDOWS=$(tail -n 1 "$qt_log")
export DENTARO_QT_WINDOWS

# Configured anew, so that the preset's cache variables (the Qt folder among them) are taken as
# they are now.
rm -f build/windows/CMakeCache.txt
cmake --preset windows >/dev/null
cmake --build --preset windows --parallel "$(nproc)"

ctest_log=$(mktemp)
trap 'rm -f "$qt_log" "$ctest_log"' EXIT
status=0
ctest --preset windows 2>&1 | tee "$ctest_log" || status=$?
summary=$(grep -E '^[0-9]+% tests passed' "$ctest_log" || true)
echo "Tests under Wine: ${summary:-no summary}"
if [ "$status" != 0 ] || [ -z "$summary" ]; then
    echo "The tests failed under Wine" >&2
    exit 1
fi

# CPack strips dentaro.exe (CPACK_STRIP_FILES); the DLLs are stripped already.
packages=$root/build/package
mkdir -p "$packages"
log=$(cpack --config build/windows/CPackConfig.cmake -B build/windows/packages) ||
    { echo "$log" >&2; exit 1; }
echo "$log"
outputs=()
for suffix in -setup.exe .zip; do
    made=$(sed -n "s/^CPack: - package: \(.*win64$suffix\) generated\.\$/\1/p" <<<"$log")
    if [ -z "$made" ] || [ ! -f "$made" ]; then
        echo "CPack wrote no *win64$suffix" >&2
        exit 1
    fi
    cp "$made" "$packages/"
    outputs+=("$packages/$(basename "$made")")
done
printf '%s\n' "${outputs[@]}"
