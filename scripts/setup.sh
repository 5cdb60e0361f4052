# Sourced by the scripts beside it: installs the Debian packages Dentaro needs when any is missing,
# then configures and builds the given CMake preset.
#   dentaro_setup PRESET [EXTRA_PACKAGE ...]

# What building and running Dentaro takes.
dentaro_packages=(cmake make g++ qt6-base-dev libgl-dev fontconfig
    fonts-comic-neue)

dentaro_missing_packages() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s\n' "$package"
        fi
    done
}

# apt-get as root: directly when this is root, through sudo otherwise.
dentaro_apt_get() {
    local sudo=()
    if [ "$(id -u)" != 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

dentaro_install() {
    local missing
    missing=$(dentaro_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $(echo $missing | tr '\n' ' ')"
    dentaro_apt_get update -qq
    # shellcheck disable=SC2086
    dentaro_apt_get install -y -qq --no-install-recommends $missing
}

dentaro_setup() {
    local preset=$1
    shift
    dentaro_install "${dentaro_packages[@]}" "$@"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --parallel "$(nproc)"
}
