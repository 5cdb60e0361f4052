#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian 13's qt6-base source with the MinGW-w64 cross compiler,
# once per machine, and prints its install prefix as the last line of output.
#   scripts/qt-windows.sh
# Every host, Debian 12 or 13 (or Ubuntu), ships the same Qt this way: the qt6-base of Debian's
# current stable release, with its security fixes, whatever Qt the host itself carries. Its moc,
# rcc and uic are built first from the same source for the host, since the host's own Qt may be
# another version. The results are kept in ${XDG_CACHE_HOME:-$HOME/.cache}/dentaro/, under names
# made of Qt's version and a digest of the configuration (the switches below, the toolchain file
# and the compilers' versions), so later runs reuse them and a changed configuration builds anew.
# The first run takes about 20 minutes on two cores; a reused Qt takes a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

. scripts/setup.sh
dentaro_install "${dentaro_qt_windows_packages[@]}"

# The Debian release whose qt6-base is shipped, and the archive it comes from.
qt_suite=trixie
mirror=${DENTARO_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security_mirror=${DENTARO_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}

# The host's tools that the build for Windows runs: moc, rcc, uic and the others Qt's CMake
# packages name (syncqt, tracegen, cmake_automoc_parser, qlalr, qvkgen, qmake), linked statically
# so that they run from wherever the cache is. moc and a few others link Qt's small bootstrap
# library; rcc, uic and the rest link QtCore, which is built too, with no GUI, no widgets and
# nothing that these tools do not call. The build is a unity build (a few dozen larger
# translation units in place of hundreds), which takes far less time.
host_configuration=(
    -release -static -unity-build
    -nomake examples -nomake tests
    -no-gui -no-widgets -no-dbus -no-icu -no-glib -no-zstd
    -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
    -no-feature-testlib -no-feature-androiddeployqt
    -qt-zlib -qt-pcre
)

# What Dentaro uses of Qt and no more: Core, Gui, Widgets and Test; the windows and offscreen
# platform plug-ins and the native Windows style; the JPEG and ICO readers; the bundled image,
# font and regular-expression libraries. The features that neither Dentaro nor the Windows style
# uses are left out: of Widgets the calendar, text browser, tool box, dial, LCD number and key
# sequence widgets, kinetic scrolling, the splash screen and the standard dialogs but the message
# and input boxes (the style refers to the input box, the item views, the tool bar, the graphics
# view and style sheets, which stay); of Gui the Markdown and ODF text formats, PDF, animated
# images, the undo framework, the tray icon and the session manager; of Core the non-Gregorian
# calendars and the shared memory and system semaphores. Like the host's tools it is a unity
# build, QtGui too (cmake/qt-windows-build-set.cmake, which also leaves out HarfBuzz's
# font-subsetting sources, which nothing calls).
#
# Debian's tarball lacks three folders of Qt's: src/3rdparty/wintab (Wacom tablet input; tablet
# events are off, so a pen works as a mouse, which is all Dentaro needs), src/3rdparty/sqlite
# (SQL is off) and src/3rdparty/iaccessible2, which Qt 6 does not use (accessibility on
# Windows goes through UI Automation and stays on). Qt 6.8.2's DirectWrite font code needs a
# class that it compiles only with Direct2D, so Direct2D stays on; Direct2D 1.1 (a painting engine
# Dentaro does not use) and DirectWrite 3's font database are off, so text is found and drawn by
# GDI and DirectWrite 1.
#
# Stack-clash protection is off: Windows itself probes every page of a large stack frame
# (__chkstk), and GCC 12's MinGW back end fails on it. Stack-smashing protection stays on; where
# the MinGW-w64 run-time lacks its handler (version 10, Debian 12), libssp is linked in.
#
# The MinGW run-time (libstdc++, libgcc, winpthread) is not linked in (no -static-runtime): Qt's
# DLLs and dentaro.exe then share one C++ run-time, so an exception, a std::string or a heap
# allocation may cross from one module into another, as Qt's inline code does; linked in, every
# DLL would carry its own copy, larger in all and with separate heaps. The three DLLs ship beside
# the program.
qt_configuration=(
    -release -shared -optimize-size -unity-build
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-vulkan
    -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
    -no-feature-printsupport -no-feature-tabletevent
    -no-feature-direct2d1_1 -no-feature-directwrite3
    -no-feature-stack_clash_protection
    -no-feature-gif
    -no-feature-calendarwidget -no-feature-textbrowser -no-feature-syntaxhighlighter
    -no-feature-toolbox -no-feature-lcdnumber -no-feature-dial -no-feature-keysequenceedit
    -no-feature-splashscreen -no-feature-scroller -no-feature-wizard -no-feature-fontdialog
    -no-feature-colordialog -no-feature-filedialog -no-feature-progressdialog
    -no-feature-errormessage
    -no-feature-textmarkdownreader -no-feature-textmarkdownwriter -no-feature-textodfwriter
    -no-feature-pdf -no-feature-movie -no-feature-undocommand -no-feature-undostack
    -no-feature-undogroup -no-feature-systemtrayicon -no-feature-sessionmanager
    -no-feature-jalalicalendar -no-feature-islamiccivilcalendar -no-feature-hijricalendar
    -no-feature-sharedmemory -no-feature-systemsemaphore
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
)
toolchain=$root/cmake/mingw-w64-x86_64.cmake
libssp=$root/cmake/qt-windows-libssp.cmake
build_set=$root/cmake/qt-windows-build-set.cmake
cross_compiler=x86_64-w64-mingw32-g++-posix

cache=${XDG_CACHE_HOME:-$HOME/.cache}/dentaro
mkdir -p "$cache"
# One build at a time: a second run (CI beside a benchmark, say) waits, then reuses it.
exec 9>"$cache/qt-windows.lock"
flock 9

# The source, fetched through an apt configuration of our own in the cache, so the system's
# sources stay as they are.
apt_dir=$cache/apt-$qt_suite
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial"
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat >"$apt_dir/sources.list" <<SOURCES
deb-src [signed-by=$keyring] $mirror $qt_suite main
deb-src [signed-by=$keyring] $security_mirror $qt_suite-security main
deb [signed-by=$keyring] $mirror $qt_suite main
SOURCES
apt_options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir"
    -o "Dir::Cache::archives=$apt_dir/archives" -o "APT::Sandbox::User=$(id -un)"
)
# Without the network, the lists fetched last time still name the version built then.
# Any source that cannot be fetched counts as a failure (apt-get would only warn).
if ! apt-get "${apt_options[@]}" -o APT::Update::Error-Mode=any -qq update >"$apt_dir/update.log" 2>&1; then
    if compgen -G "$apt_dir/lists/*_Sources*" >/dev/null; then
        echo "qt-windows.sh: Debian's archive ($mirror) cannot be reached; using its package lists fetched on $(date -r "$apt_dir/lists" +%F)" >&2
    else
        echo "qt-windows.sh: 'apt-get update' cannot reach Debian's archive ($mirror) and no package lists were fetched before (see $apt_dir/update.log): connect this machine to the network, or set DENTARO_DEBIAN_MIRROR to a Debian mirror it reaches, and run this again" >&2
        exit 1
    fi
fi
if ! uris=$(apt-get "${apt_options[@]}" -qq --print-uris source qt6-base 2>&1); then
    echo "qt-windows.sh: 'apt-get --print-uris source qt6-base' failed: $(tr '\n' ' ' <<<"$uris")" >&2
    exit 1
fi
# The .dsc's name carries the version: qt6-base_6.8.2+dfsg-9+deb13u2.dsc.
qt_version=$(awk '$2 ~ /^qt6-base_.*\.dsc$/ && !found { sub(/^qt6-base_/, "", $2); sub(/\.dsc$/, "", $2); print $2; found = 1 }' <<<"$uris")
if [ -z "$qt_version" ]; then
    echo "qt-windows.sh: Debian's $qt_suite at $mirror has no qt6-base source" >&2
    exit 1
fi
# 6.8.2 from 6.8.2+dfsg-9+deb13u2 (and from any epoch, repack or revision).
qt_upstream=${qt_version#*:}
qt_upstream=${qt_upstream%%[+~-]*}

# Configures, builds and installs Qt from the source into PREFIX, installing into a folder
# beside it first and renaming that at the end, so an interrupted build never leaves a Qt that
# looks whole. Qt's CMake packages find their files relative to themselves, so the rename moves
# nothing that matters.
#   build_qt WHAT PREFIX SWITCHES_ARRAY_NAME [CMAKE_ARGUMENT ...]
# Files named in extra_headers are put into Qt's include folder before the build, those in
# with_qt into the prefix.
build_qt() {
    local what=$1 into=$2 start=$SECONDS
    local -n switches=$3
    shift 3
    local build_dir=$work/build-$what staging=$into.partial
    # The time Qt's tools and linker write into what they make (rcc's resources, the DLLs' PE
    # headers): the date of the source's last Debian revision, the same in every build of it.
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Timestamp)
    export SOURCE_DATE_EPOCH
    rm -rf "$build_dir" "$staging"
    mkdir -p "$build_dir"
    echo "Configuring Qt $qt_upstream ($what)"
    # The source's and the build's folders, which lie in the user's cache, are named in what is
    # built (a few assertions' file names) by the same relative names whoever builds it.
    local maps="-ffile-prefix-map=$source_dir=qt6-base-$qt_upstream -ffile-prefix-map=$build_dir=build"
    (cd "$build_dir" && "$source_dir/configure" -prefix "$into" "${switches[@]}" -- -G Ninja \
        -DCMAKE_C_FLAGS="$maps" -DCMAKE_CXX_FLAGS="$maps" "$@") \
        >"$work/configure-$what.log" 2>&1 ||
        { tail -n 60 "$work/configure-$what.log" >&2; return 1; }
    if [ "${#extra_headers[@]}" -gt 0 ]; then
        # Qt's own include folder comes before the compiler's.
        cp "${extra_headers[@]}" "$build_dir/include/"
    fi
    echo "Building Qt $qt_upstream ($what)"
    cmake --build "$build_dir" --parallel "$(nproc)" >"$work/build-$what.log" 2>&1 ||
        { tail -n 60 "$work/build-$what.log" >&2; return 1; }
    # Stripped: the symbol tables would double the DLLs' size and no user's debugger reads them.
    cmake --install "$build_dir" --prefix "$staging" --strip >"$work/install-$what.log" 2>&1 ||
        { tail -n 30 "$work/install-$what.log" >&2; return 1; }
    cp "$build_dir/config.summary" "$staging/configure-summary.txt"
    # What it was built from, for the licence notes: the source package, its version and its
    # release on the first line, the switches on the second; and the source's copyright file.
    printf 'qt6-base %s %s\n%s\n' "$qt_version" "$qt_suite" "${switches[*]}" \
        >"$staging/configuration.txt"
    cp "$source_dir/debian/copyright" "$staging/qt6-base-copyright"
    if [ "${#with_qt[@]}" -gt 0 ]; then
        cp "${with_qt[@]}" "$staging/"
    fi
    touch "$staging/.complete"
    rm -rf "$into" "$build_dir"
    mv "$staging" "$into"
    echo "Qt $qt_upstream ($what) built in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
}

digest_of() {
    sha256sum | cut -c1-12
}
# How Qt is built (build_qt, without its comments) goes into both digests.
host_digest=$( {
    printf '%s\n' "$qt_version" "${host_configuration[@]}"
    declare -f build_qt
    g++ --version | sed -n 1p
} | digest_of)
digest=$( {
    printf '%s\n' "$qt_version" "${qt_configuration[@]}" "$host_digest"
    cat "$toolchain" "$libssp" "$build_set"
    "$cross_compiler" --version | sed -n 1p
} | digest_of)
host_prefix=$cache/qt-$qt_upstream-host-$host_digest
prefix=$cache/qt-$qt_upstream-mingw64-$digest
if [ -f "$prefix/.complete" ] && [ -f "$host_prefix/.complete" ] && [ -L "$prefix/host" ]; then
    echo "Qt for Windows: reusing $prefix"
    echo "$prefix"
    exit 0
fi

work=$cache/work-qt-$qt_upstream-$digest
mkdir -p "$work"
source_dir=$work/qt6-base-$qt_upstream
if [ ! -f "$source_dir/.unpacked" ]; then
    # Fetched into a folder of its own, emptied first, so that what an interrupted run left
    # behind neither stops dpkg-source nor passes for the source.
    rm -rf "$source_dir" "$work/fetch"
    mkdir "$work/fetch"
    echo "Fetching the source of qt6-base $qt_version from $qt_suite"
    (cd "$work/fetch" && apt-get "${apt_options[@]}" -qq source "qt6-base=$qt_version" >/dev/null) || {
        echo "qt-windows.sh: 'apt-get source qt6-base=$qt_version' failed (see above): check the network, or that $mirror still carries that version, and run this again" >&2
        exit 1
    }
    unpacked=$(find "$work/fetch" -mindepth 1 -maxdepth 1 -type d)
    if [ -z "$unpacked" ] || [ "$(wc -l <<<"$unpacked")" != 1 ]; then
        echo "apt-get source qt6-base=$qt_version unpacked no single folder" >&2
        exit 1
    fi
    mv "$unpacked" "$source_dir"
    rm -rf "$work/fetch"
    touch "$source_dir/.unpacked"
fi

extra_headers=()
with_qt=()
if [ ! -f "$host_prefix/.complete" ]; then
    build_qt host "$host_prefix" host_configuration
fi

# Stack-smashing protection needs __stack_chk_fail, which MinGW-w64 10 leaves to GCC's libssp.
link_flags=()
probe=$work/probe
mkdir -p "$probe"
printf 'void use(char *);\nint main() { char b[64]; use(b); return b[0]; }\nvoid use(char *b) { b[0] = 0; }\n' \
    >"$probe/probe.cpp"
# Compiled with the protection and linked without asking for it, as Qt's build does.
if ! { "$cross_compiler" -fstack-protector-strong -c "$probe/probe.cpp" -o "$probe/probe.o" &&
    "$cross_compiler" "$probe/probe.o" -o "$probe/probe.exe"; } 2>/dev/null; then
    link_flags+=("-DCMAKE_PROJECT_INCLUDE=$libssp")
    # Programs linked against this Qt need it too (cmake/dentaro-windows.cmake).
    with_qt+=("$libssp")
fi

# Qt 6.8's accessibility on Windows needs UI Automation declarations that MinGW-w64 10 (Debian 12)
# lacks, and one of its headers there names a parameter "new", which C++ refuses. Where the
# compiler's headers fall short, Qt is built with the four UI Automation headers of the MinGW-w64
# that Debian 13 carries; they declare the system's interfaces and no more, so nothing of them
# ships.
printf '#include <windows.h>\n#include <uiautomation.h>\nISelectionProvider *provider;\n' \
    >"$probe/uia.cpp"
if ! "$cross_compiler" -fsyntax-only "$probe/uia.cpp" 2>/dev/null; then
    (cd "$probe" && apt-get "${apt_options[@]}" -qq download mingw-w64-common >/dev/null) || {
        echo "qt-windows.sh: 'apt-get download mingw-w64-common' from $qt_suite failed (see above): check the network and run this again" >&2
        exit 1
    }
    dpkg-deb -x "$(find "$probe" -name 'mingw-w64-common_*.deb' -print -quit)" "$probe/mingw-w64"
    extra_headers=("$probe"/mingw-w64/usr/share/mingw-w64/include/uiautomation*.h)
    echo "UI Automation headers from Debian's $qt_suite: ${extra_headers[*]##*/}"
fi

build_qt mingw64 "$prefix" qt_configuration \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH="$host_prefix" -DQT_HOST_PATH_CMAKE_DIR="$host_prefix/lib/cmake" \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DCMAKE_PROJECT_QtBase_INCLUDE="$build_set" \
    "${link_flags[@]}"
# The host tools that build Dentaro against this Qt.
ln -sfn "$host_prefix" "$prefix/host"
rm -rf "$work"
echo "$prefix"
