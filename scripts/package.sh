#!/usr/bin/env bash
# Builds a Release Dentaro with Debian's compiler and linker flags (installing what is missing)
# and makes the Debian package in build/package/. The last line of output is the package's path
# (the last two with --later: the package's, then the later one's).
# The same commit gives the same package, byte for byte, wherever and whenever it is built: the
# times in it are the commit's (SOURCE_DATE_EPOCH) and no path of the build is.
#   scripts/package.sh [--later VERSION]
#     --later VERSION  also builds the package as if the tree's version were VERSION, a later one,
#                      for the upgrade check (build/package-later); its path comes last
set -euo pipefail
later=""
if [ $# = 2 ] && [ "$1" = --later ] && [[ $2 =~ ^[0-9]+\.[0-9]+$ ]]; then
    later=$2
elif [ $# != 0 ]; then
    sed -n '5,7p' "$0" >&2
    exit 2
fi
# CPack gives the package's directories, and the .deb's own members, the modes that the umask
# leaves (0700 and 0600 under umask 077): the package is built under 022, as dpkg-buildpackage
# builds Debian's own.
umask 022
cd "$(dirname "$0")/.."
root=$PWD

. scripts/setup.sh
# dpkg-dev brings dpkg-buildflags and dpkg-shlibdeps; CPack runs file to find the executables.
dentaro_install "${dentaro_packages[@]}" dpkg-dev file
dentaro_source_date_epoch

# Debian's flags, as a package built by its own tools would get them: _FORTIFY_SOURCE, stack
# protector, full RELRO with immediate binding, and source paths made relative to the tree.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"

# Builds the package in the folder $1, configured with the further cache entries given, and
# prints CPack's log; the package's path is added to "made".
package() {
    local build=$1
    shift
    # The flags go on the command line rather than through the environment, which CMake reads
    # only when it creates the cache. CMake passes no CPPFLAGS of its own, so they join the C++
    # flags. The tree's path, and with it the build folder's inside it, becomes "." in what the
    # compiler writes (__FILE__, debugging information), whatever DEB_BUILD_OPTIONS says.
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DBUILD_TESTING=OFF \
        -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS -ffile-prefix-map=$root=." \
        -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" "$@" >/dev/null
    # What rcc wrote for another commit carries that commit's time, and a build only reruns it
    # when the images change: after a change of SOURCE_DATE_EPOCH the folder's outputs are made
    # anew.
    local stamp=$build/source-date-epoch clean=()
    if [ "$(cat "$stamp" 2>/dev/null || true)" != "$SOURCE_DATE_EPOCH" ]; then
        clean=(--clean-first)
    fi
    cmake --build "$build" --parallel "$(nproc)" "${clean[@]}"
    echo "$SOURCE_DATE_EPOCH" >"$stamp"

    # CPack names what it wrote: "CPack: - package: PATH generated."
    local log deb
    log=$(cd "$build" && cpack -G DEB) || { echo "$log" >&2; return 1; }
    echo "$log"
    deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$log")
    if [ -z "$deb" ] || [ ! -f "$deb" ]; then
        echo "CPack wrote no .deb in $build" >&2
        return 1
    fi
    made+=("$deb")
}

made=()
package "$root/build/package" -DDENTARO_VERSION_FOR_UPGRADE_TEST=
if [ -n "$later" ]; then
    # The same package as the later version; the tree's version stays as it is.
    package "$root/build/package-later" -DDENTARO_VERSION_FOR_UPGRADE_TEST="$later"
fi
printf '%s\n' "${made[@]}"
