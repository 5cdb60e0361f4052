#!/usr/bin/env bash
# Builds the Debian package and checks it as a user's system would see it: lintian finds no error
# or warning; it installs with apt-get; dentaro is on the PATH, and its desktop entry, metainfo
# and icons are where desktops and software centres look; the installed program opens its window.
# Then a package of the next version, built for this check, is installed over it with apt-get, as
# an upgrade: exactly one dentaro is installed, of the later version, with the later package's
# files and version records, and it opens its window. After a purge nothing of either package is
# left. It installs into the system, so it needs root or sudo; CI runs it on a machine of its own.
# A package left installed by an earlier run is purged first, and one this run installed is
# purged again if a check fails.
#   scripts/check_package.sh [--from DEB]
#     --from DEB  first installs DEB, a package of this version built for an earlier release (the
#                 Debian 12 package on Debian 13, say), and the package built here over it
set -euo pipefail
from=""
if [ $# = 2 ] && [ "$1" = --from ] && [ -f "$2" ]; then
    from=$(realpath "$2")
elif [ $# != 0 ]; then
    sed -n '11,13p' "$0" >&2
    exit 2
fi
cd "$(dirname "$0")/.."

. scripts/setup.sh
dentaro_install lintian appstream desktop-file-utils xvfb x11-utils

scratch=$(mktemp -d)
xvfb=""
app=""
installed=0
cleanup() {
    local pid
    for pid in "$app" "$xvfb"; do
        if [ -n "$pid" ]; then
            kill "$pid" 2>/dev/null || true
        fi
    done
    wait 2>/dev/null || true
    if [ "$installed" = 1 ]; then
        echo "Purging dentaro after a failed check"
        dentaro_apt_get purge -y -qq dentaro >/dev/null 2>&1 || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

is_installed() {
    [ "$(dpkg-query -W -f='${Status}' dentaro 2>/dev/null)" = 'install ok installed' ]
}

version=$(dentaro_cmake_setting DENTARO_DISPLAY_VERSION)
# The next version in the tree's style: 1.00 gives 1.01.
later=$(awk -F. '{ printf "%s.%0*d\n", $1, length($2), $2 + 1 }' <<<"$version")

echo "== Building the package, and the package of $later"
scripts/package.sh --later "$later" | tee "$scratch/package.log"
{ read -r deb && read -r later_deb; } < <(tail -n 2 "$scratch/package.log") || true
[[ $deb == *.deb && -f $deb ]] || fail "no package: '$deb'"
[[ $later_deb == */dentaro_"$later"*.deb && -f $later_deb ]] ||
    fail "no package of $later: '$later_deb'"

echo "== lintian"
lintian_command=(lintian --fail-on 'error,warning' --display-info --pedantic)
if [ "$(id -u)" = 0 ] && id nobody >/dev/null 2>&1; then
    # lintian warns against running as root; a copy in a folder of its own lets it run as nobody.
    chmod 755 "$scratch"
    install -m 644 "$deb" "$scratch/"
    runuser -u nobody -- "${lintian_command[@]}" "$scratch/$(basename "$deb")" ||
        fail "lintian reported errors or warnings"
else
    "${lintian_command[@]}" "$deb" || fail "lintian reported errors or warnings"
fi

echo "== The package's metainfo and desktop entry under this release's validators"
# lintian's own AppStream check is overridden for the one warning it cannot avoid (see
# dist/debian/lintian-overrides); the same validation as the tests' fails on anything else.
dpkg-deb -x "$deb" "$scratch/unpacked"
cmake -DAPPSTREAMCLI="$(command -v appstreamcli)" -DTREE="$scratch/unpacked" \
    -P tests/dist/validate_metainfo.cmake || fail "appstreamcli reported the package's metainfo"
for entry in "$scratch"/unpacked/usr/share/applications/*.desktop; do
    report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
    [ -z "$report" ] || fail "desktop-file-validate: $report"
done

echo "== The package carries what cmake --install lays out"
DESTDIR=$scratch/stage cmake --install build/package >/dev/null
(cd "$scratch/stage" && find . ! -type d | sed 's/^\.//' | sort) >"$scratch/expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's/^\.//' | grep -v '/$' | sort >"$scratch/packaged"
diff -u "$scratch/expected" "$scratch/packaged" || fail "the package and the install tree differ"

if is_installed; then
    echo "dentaro is installed already: purging it first"
    dentaro_apt_get purge -y -qq dentaro
fi
title=$(dentaro_cmake_setting DENTARO_PRODUCT_NAME)
# On a free display, so this can run beside other X servers.
dentaro_start_xvfb "$scratch" || fail "no X server"
xvfb=$dentaro_xvfb_pid
display=$dentaro_display
mkdir -m 700 "$scratch/runtime" "$scratch/home"

# The package, then the later one installed over it as an upgrade (after the earlier release's,
# with --from): each time exactly one dentaro is installed, of that package's version, with that
# package's files, and it starts.
steps=("$version|$deb" "$later|$later_deb")
[ -z "$from" ] || steps=("$version|$from" "${steps[@]}")
for step in "${steps[@]}"; do
    expected=${step%%|*}
    package=${step#*|}
    echo "== Installing $package"
    installed=1
    dentaro_apt_get install -y "$package"
    package_version=$(dpkg-deb -f "$package" Version)
    [[ $package_version == "$expected" || $package_version == "$expected"+* ]] ||
        fail "$package is version $package_version, not $expected"
    listed=$(dpkg-query -W -f='${db:Status-Status} ${Package} ${Version}\n' 'dentaro*' 2>/dev/null |
        awk '$1 != "not-installed"' || true)
    [ "$listed" = "installed dentaro $package_version" ] ||
        fail "after installing $package dpkg lists, not dentaro $package_version alone:" \
            $'\n'"$listed"
    dpkg-query -L dentaro >"$scratch/installed"
    cat "$scratch/installed" >>"$scratch/files"
    verify=$(dpkg --verify dentaro) || true
    [ -z "$verify" ] || fail "installed files differ from the package's md5sums:"$'\n'"$verify"
    # The installed version records, which a reader can check without a display.
    for record in "/usr/share/man/man1/dentaro.1.gz|\"Dentaro $expected\"" \
        "/usr/share/doc/dentaro/changelog.gz|dentaro ($package_version)"; do
        first=$(zcat "${record%%|*}" | sed -n 1p)
        [[ $first == *"${record#*|}"* ]] ||
            fail "${record%%|*} starts '$first', without '${record#*|}'"
    done
    echo "dentaro $package_version alone is installed, with the package's files;" \
        "its manual page and changelog name $expected"

    hash -r
    [ "$(command -v dentaro)" = /usr/bin/dentaro ] ||
        fail "dentaro on the PATH is '$(command -v dentaro)', not /usr/bin/dentaro"
    app_id=org.dentaro.Dentaro
    desktop_entry=/usr/share/applications/$app_id.desktop
    for file in "$desktop_entry" /usr/share/metainfo/$app_id.metainfo.xml; do
        [ -f "$file" ] || fail "$file is missing"
    done
    # Every icon must be the one the desktop entry names, in a folder of the hicolor theme.
    icon_name=$(sed -n 's/^Icon=//p' "$desktop_entry")
    icons=$(grep '^/usr/share/icons/hicolor/.*\.\(png\|svg\)$' "$scratch/installed" || true)
    [ -n "$icons" ] || fail "the package installs no icon under /usr/share/icons/hicolor"
    while read -r icon; do
        [[ $icon =~ ^/usr/share/icons/hicolor/([0-9]+x[0-9]+|scalable)/apps/$icon_name\.(png|svg)$ ]] ||
            fail "$icon is not a hicolor application icon named $icon_name"
        [ -f "$icon" ] || fail "$icon is missing"
    done <<<"$icons"
    echo "Installed: /usr/bin/dentaro, $desktop_entry, the metainfo and" \
        "$(wc -l <<<"$icons") icon(s):"
    printf '  %s\n' "${icons//$'\n'/$'\n'  }"

    echo "== Starting the installed program"
    # From / and with a bare environment, as a desktop's launcher starts it: nothing of the source
    # or build tree can help it.
    (cd / && exec env -i PATH=/usr/bin:/bin HOME="$scratch/home" \
        XDG_RUNTIME_DIR="$scratch/runtime" LANG=C.UTF-8 DISPLAY="$display" QT_QPA_PLATFORM=xcb \
        dentaro) >"$scratch/dentaro.log" 2>&1 &
    app=$!
    window=""
    for _ in $(seq 150); do
        kill -0 "$app" 2>/dev/null ||
            fail "dentaro ended before showing its window:"$'\n'"$(cat "$scratch/dentaro.log")"
        window=$(xwininfo -display "$display" -root -tree 2>/dev/null |
            awk -v title="\"$title\":" 'index($0, title) && !found { print $1; found = 1 }' || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || fail "no window titled '$title' within 30 s"
    [ "$(readlink "/proc/$app/exe")" = /usr/bin/dentaro ] ||
        fail "the window's process runs $(readlink "/proc/$app/exe"), not /usr/bin/dentaro"
    # grep reads to the end (no -q), so xwininfo never writes into a closed pipe.
    xwininfo -display "$display" -id "$window" | grep 'Map State: IsViewable' >/dev/null ||
        fail "the window '$title' is not shown"
    echo "Window $window \"$title\" of /usr/bin/dentaro (pid $app):" \
        "$(xwininfo -display "$display" -id "$window" | sed -n 's/^ *-geometry //p')"
    # The program has no option to quit: SIGTERM ends it, and that exit is the expected one.
    kill -TERM "$app"
    status=0
    wait "$app" || status=$?
    app=""
    [ "$status" = 143 ] || fail "dentaro ended with status $status on SIGTERM, not 143"
    if [ -s "$scratch/dentaro.log" ]; then
        echo "What dentaro wrote:"
        sed 's/^/  /' "$scratch/dentaro.log"
    fi
done

echo "== Purging the package"
dentaro_apt_get purge -y dentaro
installed=0
sort -u -o "$scratch/files" "$scratch/files"
status=$(dpkg-query -W -f='${Status}' dentaro 2>/dev/null || true)
[ -z "$status" ] || [[ $status == *not-installed ]] || fail "dpkg still lists dentaro: $status"
left=""
kept=0
while read -r path; do
    if [ "$path" = /. ] || { [ ! -e "$path" ] && [ ! -L "$path" ]; }; then
        continue
    fi
    # A directory stays when another package owns it or it holds what was never dentaro's (a
    # cache a trigger wrote, say), which is shown.
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        if dpkg-query -S "$path" >/dev/null 2>&1; then
            kept=$((kept + 1))
            continue
        fi
        if [ -n "$(ls -A "$path")" ]; then
            echo "Kept $path, which no package owns, for what it holds: $(find "$path" -mindepth 1 -maxdepth 1 -printf '%f ')"
            kept=$((kept + 1))
            continue
        fi
    fi
    left+=$'\n'"  $path"
done <"$scratch/files"
[ -z "$left" ] || fail "left behind after the purge:$left"
echo "Purged: every file of the package is gone; $kept shared directories stay"
