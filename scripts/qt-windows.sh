#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source with the MinGW-w64 cross
# compiler, once per machine, and prints its install prefix as the last line of output.
#   scripts/qt-windows.sh
# The result is kept in ${XDG_CACHE_HOME:-$HOME/.cache}/dentaro/, under a name made of Qt's
# version and a digest of the configuration (the switches below, the toolchain file and the
# compiler's version), so later runs reuse it and a changed configuration builds anew. The build
# takes about 16 minutes on two cores; a reused Qt takes a second.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

. scripts/setup.sh
# The host Qt lends the Windows build its moc, rcc and uic, so it must be the same version as
# the source; dpkg-dev unpacks the source, perl runs Qt's header generator.
dentaro_install qt6-base-dev g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev perl xz-utils

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
# 6.4.2 from 6.4.2+dfsg-10 (and from any epoch, repack or revision).
qt_upstream=${qt_version#*:}
qt_upstream=${qt_upstream%%[+~-]*}

# What Dentaro uses of Qt and no more: Core, Gui, Widgets and Test; the windows and offscreen
# platform plug-ins and the native Windows style; the JPEG and ICO readers; the bundled image,
# font and regular-expression libraries.
#
# Debian's tarball lacks three folders of Qt's: src/3rdparty/wintab (Wacom tablet input; tablet
# events are off, so a pen works as a mouse, which is all Dentaro needs), src/3rdparty/sqlite
# (SQL is off) and src/3rdparty/iaccessible2, which Qt 6 no longer uses (accessibility on
# Windows goes through UI Automation and stays on). Direct2D is off, and with it DirectWrite 3,
# whose font database the windows plug-in would otherwise name and fail to link; text is drawn by
# GDI and DirectWrite 1 as on a stock Qt for MinGW.
#
# The MinGW run-time (libstdc++, libgcc, winpthread) is not linked in (no -static-runtime): Qt's
# DLLs and dentaro.exe then share one C++ run-time, so an exception, a std::string or a heap
# allocation may cross from one module into another, as Qt's inline code does; linked in, every
# DLL would carry its own copy, larger in all and with separate heaps. The three DLLs ship beside
# the program.
qt_configuration=(
    -release -shared -optimize-size
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-vulkan
    -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
    -no-feature-printsupport -no-feature-tabletevent
    -no-feature-direct2d -no-feature-directwrite3
    -no-feature-gif
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
digest=$( {
    printf '%s\n' "$qt_version" "${qt_configuration[@]}"
    cat "$toolchain"
    x86_64-w64-mingw32-g++-posix --version | head -n 1
} | sha256sum | cut -c1-12)

cache=${XDG_CACHE_HOME:-$HOME/.cache}/dentaro
prefix=$cache/qt-$qt_upstream-mingw64-$digest
mkdir -p "$cache"
# One build at a time: a second run (CI beside a benchmark, say) waits, then reuses it.
exec 9>"$cache/qt-windows.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "Qt for Windows: reusing $prefix"
    echo "$prefix"
    exit 0
fi

work=$cache/work-qt-$qt_upstream-$digest
mkdir -p "$work"

# The source, fetched through an apt configuration of our own in the cache: a deb-src entry for
# each archive the system installed the host Qt from (same URIs, suites and components), and its
# own package lists, so the system's sources stay as they are.
apt_dir=$cache/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial"
archives_of_host_qt() {
    apt-cache madison qt6-base-dev |
        awk -F' [|] ' -v version="$qt_version" '$2 == version && $3 ~ / Packages$/ {
            split($3, where, " "); split(where[2], suite, "/")
            print "deb-src " where[1] " " suite[1] " " suite[2] }' | sort -u
}
archives_of_host_qt >"$apt_dir/sources.list"
if [ ! -s "$apt_dir/sources.list" ]; then
    # The system's package lists are gone (a cleaned image, say): fetched again, they name the
    # archives once more.
    dentaro_apt_get update -qq
    archives_of_host_qt >"$apt_dir/sources.list"
fi
if [ ! -s "$apt_dir/sources.list" ]; then
    echo "No apt source names qt6-base-dev $qt_version; cannot fetch its source" >&2
    exit 1
fi
apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir"
    -o "Dir::Cache::archives=$apt_dir/archives" -o "APT::Sandbox::User=$(id -un)"
)
source_dir=$work/qt6-base-$qt_upstream
if [ ! -f "$source_dir/.unpacked" ]; then
    # Fetched into a folder of its own, emptied first, so that what an interrupted run left
    # behind neither stops dpkg-source nor passes for the source.
    rm -rf "$source_dir" "$work/fetch"
    mkdir "$work/fetch"
    echo "Fetching the source of qt6-base $qt_version"
    apt-get "${apt_options[@]}" -qq update
    (cd "$work/fetch" && apt-get "${apt_options[@]}" -qq source "qt6-base=$qt_version" >/dev/null)
    unpacked=$(find "$work/fetch" -mindepth 1 -maxdepth 1 -type d)
    if [ -z "$unpacked" ] || [ "$(wc -l <<<"$unpacked")" != 1 ]; then
        echo "apt-get source qt6-base=$qt_version unpacked no single folder" >&2
        exit 1
    fi
    mv "$unpacked" "$source_dir"
    rm -rf "$work/fetch"
    touch "$source_dir/.unpacked"
fi

# Installed into a folder beside the final one and renamed at the end, so an interrupted build
# never leaves a Qt that looks whole. Qt's CMake packages find their files relative to
# themselves, so the rename moves nothing that matters.
staging=$prefix.partial
build_dir=$work/build
mkdir -p "$build_dir"
echo "Configuring Qt $qt_upstream for x86_64-w64-mingw32"
(cd "$build_dir" && "$source_dir/configure" -prefix "$prefix" "${qt_configuration[@]}" \
    -qt-host-path /usr -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake" \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++) >"$work/configure.log" 2>&1 ||
    { tail -n 60 "$work/configure.log" >&2; exit 1; }
cp "$build_dir/config.summary" "$work/configure-summary.txt"

echo "Building Qt (about 16 minutes on two cores)"
start=$SECONDS
cmake --build "$build_dir" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
    { tail -n 60 "$work/build.log" >&2; exit 1; }
echo "Qt built in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
rm -rf "$staging"
# Stripped: the symbol tables would double the DLLs' size and no user's debugger reads them.
cmake --install "$build_dir" --prefix "$staging" --strip >"$work/install.log" 2>&1 ||
    { tail -n 30 "$work/install.log" >&2; exit 1; }
cp "$work/configure-summary.txt" "$staging/configure-summary.txt"
printf 'qt6-base %s\n%s\n' "$qt_version" "${qt_configuration[*]}" >"$staging/configuration.txt"
touch "$staging/.complete"
rm -rf "$prefix"
mv "$staging" "$prefix"
rm -rf "$work"
echo "$prefix"
