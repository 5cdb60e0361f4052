# shellcheck shell=bash
# Sourced by the scripts beside it: installs the Debian packages Dentaro needs when any is missing,
# then configures and builds the given CMake preset.
#   dentaro_setup PRESET [EXTRA_PACKAGE ...]

# What building and running Dentaro takes.
dentaro_packages=(cmake make g++ qt6-base-dev libgl-dev fontconfig
    fonts-comic-neue)

# What building Qt for Windows takes (scripts/qt-windows.sh): the compilers for the host and for
# Windows, Ninja; dpkg-dev unpacks the source, perl runs Qt's header generator, the keyring checks
# Debian's archive.
# shellcheck disable=SC2034 # read by the scripts that source this file
dentaro_qt_windows_packages=(g++ g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev perl
    xz-utils debian-archive-keyring)

dentaro_missing_packages() {
    local package
    for package in "$@"; do
        if [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != 'install ok installed' ]; then
            printf '%s\n' "$package"
        fi
    done
}

# apt-get as root: directly when this is root, through sudo otherwise. One of these scripts' at a
# time (CI runs several side by side); while another apt or dpkg holds its lock (a desktop's
# updater, say), it waits up to ten minutes rather than fail.
dentaro_apt_get() {
    local sudo=()
    if [ "$(id -u)" != 0 ]; then
        sudo=(sudo)
    fi
    flock "${TMPDIR:-/tmp}/dentaro-apt.lock" \
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}

dentaro_install() {
    local missing
    mapfile -t missing < <(dentaro_missing_packages "$@")
    [ "${#missing[@]}" = 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if ! dentaro_apt_get update -qq; then
        echo "setup: 'apt-get update' failed (see above): check the network and the package sources in /etc/apt, then run this again" >&2
        return 1
    fi
    if ! dentaro_apt_get install -y -qq --no-install-recommends "${missing[@]}"; then
        echo "setup: 'apt-get install ${missing[*]}' failed (see above): check the network and that these packages exist on this release, then run this again" >&2
        return 1
    fi
}

# Starts an X server for a check on a display that is free (-displayfd picks it), with a
# 1280 x 1024 screen, its log in the given folder. Sets dentaro_xvfb_pid and dentaro_display.
#   dentaro_start_xvfb FOLDER
dentaro_start_xvfb() {
    local folder=$1
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$folder/display" \
        >"$folder/xvfb.log" 2>&1 &
    # shellcheck disable=SC2034 # read by the caller
    dentaro_xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$folder/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$folder/display" ]; then
        echo "Xvfb did not start: $(cat "$folder/xvfb.log")" >&2
        return 1
    fi
    # shellcheck disable=SC2034 # read by the caller
    dentaro_display=:$(cat "$folder/display")
}

# Prints the value the top-level CMakeLists.txt sets NAME to ('set(NAME "VALUE")'), the one place
# the product's name and version are written; fails when it sets none.
dentaro_cmake_setting() {
    local value
    value=$(sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" CMakeLists.txt)
    if [ -z "$value" ]; then
        echo "setup: CMakeLists.txt has no set($1 \"...\") line" >&2
        return 1
    fi
    echo "$value"
}

# Exports SOURCE_DATE_EPOCH, the time that every tool of the build writes in place of the time
# of the build (Qt's rcc for the embedded images, the package's changelog, the times of the files
# in the package), so that the same source gives the same bytes: the value given, or the time of
# the commit. A clone has it from git; a tree unpacked from "git archive" has it in
# dist/source-date-epoch, which git writes there (.gitattributes).
dentaro_source_date_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        if [[ ! $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]]; then
            echo "setup: SOURCE_DATE_EPOCH is '$SOURCE_DATE_EPOCH', not a number of seconds: unset it to take the commit's time" >&2
            return 1
        fi
        export SOURCE_DATE_EPOCH
        return 0
    fi
    local archived
    archived=$(cat dist/source-date-epoch)
    if [[ $archived =~ ^[0-9]+$ ]]; then
        SOURCE_DATE_EPOCH=$archived
    elif ! SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || [ -z "$SOURCE_DATE_EPOCH" ]; then
        echo "setup: 'git log -1 --format=%ct' gave no commit time, and dist/source-date-epoch holds none: build from a git clone or a 'git archive' of one, or set SOURCE_DATE_EPOCH" >&2
        return 1
    fi
    export SOURCE_DATE_EPOCH
}

dentaro_setup() {
    local preset=$1
    shift
    dentaro_install "${dentaro_packages[@]}" "$@"
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$(nproc)"
}
