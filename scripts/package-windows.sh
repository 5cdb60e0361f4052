#!/usr/bin/env bash
# Builds Dentaro for 64-bit Windows on Debian or Ubuntu (installing what is missing), runs the
# whole test suite under Wine, and makes the installer and the portable zip in build/package/.
# The last two lines of output are their paths. The same commit gives the same files, byte for
# byte, wherever and whenever they are built: the times in them are the commit's
# (SOURCE_DATE_EPOCH) and no path of the build is.
#   scripts/package-windows.sh [--no-tests] [--later VERSION]
#     --no-tests       builds the program alone and runs no tests: for a rebuild that is only
#                      compared with another
#     --later VERSION  also builds the installer as if the tree's version were VERSION, a later
#                      one, for the upgrade checks (build/windows-later); its path comes last
# Qt for Windows is built from Debian 13's source the first time (about 20 minutes on two
# cores) and reused after that; see scripts/qt-windows.sh.
set -euo pipefail
later=""
tests=yes
while [ $# -gt 0 ]; do
    if [ "$1" = --no-tests ]; then
        tests=no
        shift
    elif [ $# -ge 2 ] && [ "$1" = --later ] && [[ $2 =~ ^[0-9]+\.[0-9]+$ ]]; then
        later=$2
        shift 2
    else
        sed -n '7,11p' "$0" >&2
        exit 2
    fi
done
cd "$(dirname "$0")/.."
root=$PWD

. scripts/setup.sh
# The cross compiler; Wine with its fonts, Comic Neue for the captions' stand-in and Xvfb for the
# tests that open real windows; NSIS for the installer; llvm (with clang, which llvm-rc 19 calls
# to preprocess) and ImageMagick for the resource and icon checks; osslsigncode and openssl to sign
# the program files or to give them the form of a signature taken off (scripts/sign-windows.sh).
dentaro_install "${dentaro_packages[@]}" g++-mingw-w64-x86-64-posix wine wine64 fonts-wine \
    xvfb xauth nsis strip-nondeterminism llvm clang imagemagick osslsigncode openssl
dentaro_source_date_epoch

qt_log=$(mktemp)
trap 'rm -f "$qt_log"' EXIT
# A Qt for Windows named by DENTARO_QT_WINDOWS is taken as it is: one that scripts/qt-windows.sh
# made earlier, for a rebuild that must not wait for Debian's archive.
if [ -n "${DENTARO_QT_WINDOWS:-}" ] && [ -f "$DENTARO_QT_WINDOWS/.complete" ]; then
    echo "Qt for Windows: $DENTARO_QT_WINDOWS, as DENTARO_QT_WINDOWS names it"
else
    scripts/qt-windows.sh | tee "$qt_log"
    DENTARO_QT_WINDOWS=$(tail -n 1 "$qt_log")
fi
export DENTARO_QT_WINDOWS

# Configured anew, so that the preset's cache variables (the Qt folder among them) are taken as
# they are now. The tree's path becomes "." in what the compiler writes. What rcc wrote for
# another commit carries that commit's time, and a build only reruns it when the images change:
# after a change of SOURCE_DATE_EPOCH the folder's outputs are made anew.
configure() {
    local build=$1
    shift
    rm -f "$build/CMakeCache.txt"
    cmake --preset windows -B "$build" -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$root=." "$@" >/dev/null
    local clean=()
    if [ "$(cat "$build/source-date-epoch" 2>/dev/null || true)" != "$SOURCE_DATE_EPOCH" ]; then
        clean=(--clean-first)
    fi
    cmake --build "$build" --parallel "$(nproc)" "${clean[@]}"
    echo "$SOURCE_DATE_EPOCH" >"$build/source-date-epoch"
}
# A signed release (scripts/release.sh --sign) names its certificate and key in the environment.
sign=OFF
if [ -n "${DENTARO_SIGN_CERT:-}" ]; then
    sign=ON
fi
testing=ON
[ "$tests" = yes ] || testing=OFF
configure build/windows -DDENTARO_SIGN=$sign -DBUILD_TESTING=$testing

if [ "$tests" = yes ]; then
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
if [ -n "$later" ]; then
    # The program and its installer only, as the later version.
    configure build/windows-later -DBUILD_TESTING=OFF -DDENTARO_VERSION_FOR_UPGRADE_TEST="$later" \
        -DDENTARO_SIGN=$sign
    log=$(cpack -G NSIS --config build/windows-later/CPackConfig.cmake -B build/windows-later/packages) ||
        { echo "$log" >&2; exit 1; }
    made=$(sed -n "s/^CPack: - package: \(.*-$later-win64-setup\.exe\) generated\.\$/\1/p" <<<"$log")
    if [ -z "$made" ] || [ ! -f "$made" ]; then
        echo "CPack wrote no installer of version $later" >&2
        exit 1
    fi
    outputs+=("$made")
fi
printf '%s\n' "${outputs[@]}"
