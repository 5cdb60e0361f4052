#!/usr/bin/env bash
# Builds the Windows installer and zip (scripts/package-windows.sh), and an installer of a later
# version than the tree's, and checks them under Wine as a Windows user would meet them, in a
# fresh Wine prefix on an X server of its own with a window manager. For each install mode, for
# the current user and for all users (the table "modes" below), the same steps: the earlier
# version installs silently into the mode's folder, with one Start-menu shortcut and its entry
# among the installed programs in the mode's hive; the shortcut starts the program, whose window
# "Dentaro v.2.0" has its 882 x 725 client area; the later installer, given no mode, upgrades it
# in place (one entry, with the later version; one shortcut; the program's files replaced, its
# version record the later one; it starts); the earlier installer, run again, refuses and changes
# nothing; the uninstaller that the entry names removes it and leaves nothing of it. Installed for
# the current user, nothing is written outside the user's profile and hive. In the first mode, a
# wrong number brings the message box, which goes with Enter and leaves the window with its input,
# and "Esci" ends the program. Then the zip's folder runs from a drive of its own, as from a USB
# stick. Screenshots go to build/package/windows-*.png.
#   scripts/check_windows_package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

. scripts/setup.sh
# procps for pgrep, which tells whether the program still runs.
dentaro_install wine wine64 fonts-wine xvfb openbox xdotool x11-utils xclip imagemagick unzip \
    procps osslsigncode openssl binutils
dentaro_source_date_epoch

scratch=$(mktemp -d)
xvfb=""
wm=""
own_wine=0
cleanup() {
    # Only the Wine server of the prefix made here: a WINEPREFIX of the user's stays alone.
    if [ "$own_wine" = 1 ]; then
        wineserver -k 2>/dev/null || true
    fi
    local pid
    for pid in "$wm" "$xvfb"; do
        if [ -n "$pid" ]; then
            kill "$pid" 2>/dev/null || true
        fi
    done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

title=$(dentaro_cmake_setting DENTARO_PRODUCT_NAME)
version=$(dentaro_cmake_setting DENTARO_DISPLAY_VERSION)
# The next version in the tree's style: 1.00 gives 1.01.
later=$(awk -F. '{ printf "%s.%0*d\n", $1, length($2), $2 + 1 }' <<<"$version")

echo "== Building the installer and the zip, and the installer of $later"
scripts/package-windows.sh --later "$later" | tee "$scratch/package.log"
{ read -r setup && read -r zip && read -r later_setup; } < <(tail -n 3 "$scratch/package.log") || true
[[ $setup == *-setup.exe && -f $setup ]] || fail "no installer: '$setup'"
[[ $zip == *.zip && -f $zip ]] || fail "no zip: '$zip'"
[[ $later_setup == *-$later-win64-setup.exe && -f $later_setup ]] ||
    fail "no installer of $later: '$later_setup'"
shots=$root/build/package

echo "== A fresh Wine prefix on a screen of its own"
dentaro_start_xvfb "$scratch" || fail "no X server"
xvfb=$dentaro_xvfb_pid
export DISPLAY=$dentaro_display
openbox >/dev/null 2>&1 &
wm=$!
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
own_wine=1
wine wineboot --init >/dev/null 2>&1
wineserver --wait
# Debian's Wine leaves the Fonts folder empty; Windows has its fonts there.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
drive_c=$WINEPREFIX/drive_c
# A folder as Windows names it (%LOCALAPPDATA%\Programs, say), as a path of this machine.
windows_folder() {
    # cmd echoes an argument with spaces in the quotes Wine gave it.
    wine cmd /c echo "$1" 2>/dev/null | tr -d '\r"'
}
unix_folder() {
    realpath -m "$(winepath -u "$(windows_folder "$1")" 2>/dev/null)"
}
listing() {
    (cd "$drive_c" && find . -path ./windows -prune -o -print | sort)
}
# What lies outside the users' profiles, and the machine's hive, a value a line after its key's
# name, but for what Wine itself writes there: the keys' times, and the keys of the display
# devices, which it writes anew whenever its desktop starts.
machine_state() {
    {
        (cd "$drive_c" && find . -path ./users -prune -o -print)
        awk '/^\[/ { sub(/\] [0-9]+$/, "]"); key = $0
                     devices = /^\[System\\\\CurrentControlSet\\\\(Control\\\\(Class|DeviceClasses|Video)|Enum)\\\\/ }
             !devices && !/^#time=/ { print key " " $0 }' "$WINEPREFIX/system.reg"
    } | sort
}
# What the registry says of Dentaro: the user's own name may hold the word.
registry_lines() {
    grep -ih 'dentaro' "$WINEPREFIX"/*.reg | grep -v '^#time=' | sort || true
}

# The window ids titled exactly $title.
windows_titled() {
    xdotool search --onlyvisible --name "^${title//./\\.}\$" 2>/dev/null || true
}
wait_for_windows() {
    local count=$1 what=$2
    for _ in $(seq 150); do
        [ "$(windows_titled | wc -l)" = "$count" ] && return 0
        sleep 0.2
    done
    fail "$what: $(windows_titled | wc -l) window(s) titled '$title', not $count"
}
# A dentaro.exe of this prefix, not one that may run elsewhere on the machine.
running() {
    local pid
    for pid in $(pgrep -f 'dentaro\.exe'); do
        if grep -qxF "WINEPREFIX=$WINEPREFIX" < <(tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ"); then
            return 0
        fi
    done
    return 1
}
wait_for_end() {
    for _ in $(seq 100); do
        running || return 0
        sleep 0.2
    done
    fail "dentaro.exe still runs after $1"
}

# The folder holds what the program loads and its licences, no more and no less (a plug-in that
# went missing would still let the window open); the installer lays out what the zip holds, and
# its uninstaller.
sort >"$scratch/expected" <<'FILES'
dentaro.exe
Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
platforms/qwindows.dll
styles/qmodernwindowsstyle.dll
imageformats/qjpeg.dll
imageformats/qico.dll
libstdc++-6.dll
libgcc_s_seh-1.dll
libwinpthread-1.dll
licences/LICENCES.txt
licences/LGPL-3.0.txt
licences/GPL-3.0.txt
licences/Qt-copyright.txt
licences/GCC-runtime-copyright.txt
licences/MinGW-w64-copyright.txt
FILES
unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | sort >"$scratch/zipped"
diff -u "$scratch/expected" "$scratch/zipped" || fail "the zip does not hold the expected files"

# The install modes, one a row: the installer's switch, the program's folder and the Start menu
# as Windows names them, and the hive that holds the entry among the installed programs. The
# current user's comes first: it is the installer's default.
modes=(
    '/CurrentUser|%LOCALAPPDATA%\Programs\Dentaro|%APPDATA%\Microsoft\Windows\Start Menu\Programs|HKCU'
    '/AllUsers|%ProgramW6432%\Dentaro|%ProgramData%\Microsoft\Windows\Start Menu\Programs|HKLM'
)
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Dentaro'

# The installed Dentaro of the mode, of the given version, and no other: its files, one shortcut,
# one entry among the installed programs, in the mode's hive.
check_installed() {
    local expect=$1 other
    [ -f "$program_dir/dentaro.exe" ] || fail "no dentaro.exe in $program_folder"
    [ -f "$program_dir/Uninstall.exe" ] || fail "no uninstaller in $program_folder"
    (cd "$program_dir" && find . -type f | sed 's|^\./||' | grep -v '^Uninstall\.exe$' | sort) \
        >"$scratch/installed"
    diff -u "$scratch/zipped" "$scratch/installed" || fail "the installer and the zip differ"
    # The version record of the program in the folder.
    local record
    record=$(strings -e l "$program_dir/dentaro.exe" |
        awk 'previous == "FileVersion" { found = $0 } { previous = $0 } END { print found }')
    [ "$record" = "$expect" ] || fail "the installed dentaro.exe's version record says '$record', not $expect"

    # Every shortcut to dentaro.exe on C:, whoever's: the mode's one.
    mapfile -t links < <(find "$drive_c/users" "$drive_c/ProgramData" -name '*.lnk' \
        -exec grep -laF 'Dentaro\dentaro.exe' {} + | sort)
    [ "${links[*]}" = "$shortcut" ] || fail "shortcuts to dentaro.exe: ${links[*]:-none}, not $shortcut"

    wine reg query "$hive\\$uninstall_key" >"$scratch/uninstall-entry" 2>/dev/null ||
        fail "no uninstall entry $hive\\$uninstall_key"
    other=HKLM
    [ "$hive" = HKLM ] && other=HKCU
    if wine reg query "$other\\$uninstall_key" >/dev/null 2>&1; then
        fail "an uninstall entry in $other as well as in $hive"
    fi
    [ "$(entry DisplayName)" = "$title" ] || fail "DisplayName is '$(entry DisplayName)'"
    [ "$(entry DisplayVersion)" = "$expect" ] || fail "DisplayVersion is '$(entry DisplayVersion)'"
    [ "$(entry Publisher)" = "Dentaro developers" ] || fail "Publisher is '$(entry Publisher)'"
    [ "$(entry DisplayIcon)" = "$program_folder\\dentaro.exe" ] ||
        fail "DisplayIcon is '$(entry DisplayIcon)'"
    [ "$(entry UninstallString)" = "\"$program_folder\\Uninstall.exe\" $switch" ] ||
        fail "UninstallString is '$(entry UninstallString)'"
    echo "Installed $expect: $(wc -l <"$scratch/installed") files and the uninstaller in $program_folder;" \
        "Start menu $title\\$title; $hive: $(entry DisplayName) $(entry DisplayVersion), $(entry Publisher)"
}
entry() {
    tr -d '\r' <"$scratch/uninstall-entry" | sed -n "s/^ *$1 *REG_SZ *//p"
}
# Starts the program from its shortcut and checks its window.
start_from_shortcut() {
    wine start /unix "$shortcut"
    wait_for_windows 1 "after the start from $shortcut"
    window=$(windows_titled)
    sleep 1
    local size
    size=$(xwininfo -id "$window" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }')
    [ "$size" = 882x725 ] || fail "the client area is $size, not 882x725"
    echo "Started from the shortcut: window \"$title\", client area $size"
}
esci() {
    # The focus starts in Giri Motore; "Esci" is five tabs on.
    xdotool key --delay 50 Tab Tab Tab Tab Tab space
    wait_for_end "Esci"
    wait_for_windows 0 "after Esci"
}
# The message box of a wrong number, in the window just started.
wrong_number() {
    # The focus starts in Giri Motore; three tabs on is Corona, one more "Calcola Cambio".
    xdotool key --delay 50 Tab Tab Tab
    xdotool type --delay 50 '3O'
    xdotool key --delay 50 Tab space
    wait_for_windows 2 "after 'Calcola Cambio' with the letter O in Corona"
    import -window root "$shots/windows-message.png"
    xdotool key Return
    wait_for_windows 1 "after Enter on the message box"
    running || fail "the program ended with the message box"
    # The focus is back in Corona with its text selected: copied out, it is what was typed.
    sleep 0.5
    xdotool key ctrl+c
    sleep 0.5
    local kept
    kept=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r' || true)
    [ "$kept" = 3O ] || fail "Corona holds '$kept' after the message, not '3O'"
    echo "Message box shown and dismissed; the window stays, Corona still holds '$kept'"
    # From Corona: "Calcola Cambio", then "Esci".
    xdotool key --delay 50 Tab Tab space
    wait_for_end "Esci"
    wait_for_windows 0 "after Esci"
    echo "The program ended with Esci"
}
run_installer() {
    local status=0
    wine "$@" || status=$?
    wineserver --wait
    return "$status"
}

first=yes
for mode in "${modes[@]}"; do
    IFS='|' read -r switch program_windows menu_windows hive <<<"$mode"
    program_dir=$(unix_folder "$program_windows")
    program_folder=$(windows_folder "$program_windows")
    menu_dir=$(unix_folder "$menu_windows")
    shortcut="$menu_dir/$title/$title.lnk"
    listing >"$scratch/before"
    registry_lines >"$scratch/registry-before"
    machine_state >"$scratch/machine-before"

    echo "== $switch: installing $version silently: $(basename "$setup") /S $switch"
    run_installer "$setup" /S "$switch" || fail "the installer ended with status $?"
    check_installed "$version"
    cp "$program_dir/dentaro.exe" "$scratch/earlier.exe"
    start_from_shortcut
    if [ "$first" = yes ]; then
        import -window root "$shots/windows-installed.png"
        wrong_number
    else
        esci
    fi
    if [ "$switch" = /CurrentUser ]; then
        # Wine lets every user act as an administrator; what the install wrote shows that it
        # needed none: nothing outside the user's profile and hive.
        # What is new or changed; Wine itself drops a key now and then.
        machine_state >"$scratch/machine-after"
        written=$(comm -13 "$scratch/machine-before" "$scratch/machine-after")
        [ -z "$written" ] ||
            fail "installed for the current user, it wrote outside the user's profile and hive:"$'\n'"$written"
        echo "Nothing written outside the user's profile and hive"
    fi

    echo "== $switch: upgrading to $later, the mode taken from the install: $(basename "$later_setup") /S"
    run_installer "$later_setup" /S || fail "the later installer ended with status $?"
    check_installed "$later"
    ! cmp -s "$scratch/earlier.exe" "$program_dir/dentaro.exe" || fail "dentaro.exe was not replaced"
    cp "$program_dir/dentaro.exe" "$scratch/later.exe"
    cp "$program_dir/Uninstall.exe" "$scratch/later-uninstall.exe"
    start_from_shortcut
    esci
    if [ "$first" = yes ]; then
        import -window root "$shots/windows-upgraded.png"
    fi

    echo "== $switch: the earlier installer over the later install: $(basename "$setup") /S $switch"
    listing >"$scratch/upgraded"
    registry_lines >"$scratch/registry-upgraded"
    status=0
    run_installer "$setup" /S "$switch" || status=$?
    [ "$status" = 3 ] || fail "the earlier installer over $later ended with status $status, not 3"
    listing | diff -u "$scratch/upgraded" - || fail "the earlier installer changed files (above)"
    registry_lines | diff -u "$scratch/registry-upgraded" - ||
        fail "the earlier installer changed the registry (above)"
    echo "Refused with status 3; nothing changed"

    echo "== $switch: removing it as the entry says, silently"
    command=$(entry QuietUninstallString)
    [ "$command" = "\"$program_folder\\Uninstall.exe\" $switch /S" ] ||
        fail "QuietUninstallString is '$command'"
    run_installer "$program_dir/Uninstall.exe" "$switch" /S || fail "the uninstaller ended with status $?"
    # NSIS's uninstaller runs from a copy of itself in the user's Temp folder, which it leaves to
    # Windows to delete at the next restart; Wine's restart does that. What may stay is the empty
    # folder that held the copy (~nsu1.tmp), as on Windows.
    wine wineboot --restart >/dev/null 2>&1
    wineserver --wait
    listing >"$scratch/after"
    left=""
    while read -r path; do
        if [[ $path == ./users/*/Temp/~nsu*.tmp ]] && [ -z "$(ls -A "$drive_c/$path")" ]; then
            continue
        fi
        left+=$'\n'"  $path"
    done < <(comm -13 "$scratch/before" "$scratch/after")
    [ -z "$left" ] || fail "left behind on C: after the removal:$left"
    registry_lines >"$scratch/registry-after"
    registry=$(comm -13 "$scratch/registry-before" "$scratch/registry-after")
    [ -z "$registry" ] || fail "the registry still names Dentaro:"$'\n'"$registry"
    echo "Removed: nothing of it is left on C: or in the registry"
    first=no
done

echo "== Signed, with a certificate made here"
# The later version packed again, signed: each signed file passes osslsigncode's check, and the
# program and the uninstaller with their signatures taken off are the unsigned ones byte for
# byte, as a rebuild is compared with a signed release.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Dentaro test signing" \
    -addext extendedKeyUsage=codeSigning -keyout "$scratch/key.pem" -out "$scratch/cert.pem" \
    2>/dev/null || fail "openssl made no certificate"
cmake -B build/windows-later -DDENTARO_SIGN=ON >/dev/null
DENTARO_SIGN_CERT=$scratch/cert.pem DENTARO_SIGN_KEY=$scratch/key.pem \
    cpack -G NSIS --config build/windows-later/CPackConfig.cmake -B "$scratch/signed" \
    >"$scratch/signed.log" || { cat "$scratch/signed.log"; fail "the signed packing failed (above)"; }
cmake -B build/windows-later -DDENTARO_SIGN=OFF >/dev/null
signed_setup=$scratch/signed/$(basename "$later_setup")
IFS='|' read -r switch program_windows _ _ <<<"${modes[0]}"
program_dir=$(unix_folder "$program_windows")
run_installer "$signed_setup" /S "$switch" || fail "the signed installer ended with status $?"
for file in "$signed_setup" "$program_dir/dentaro.exe" "$program_dir/Uninstall.exe"; do
    osslsigncode verify -CAfile "$scratch/cert.pem" -in "$file" >"$scratch/verify.log" 2>&1 ||
        { cat "$scratch/verify.log"; fail "osslsigncode does not accept the signature of $file"; }
done
for pair in "dentaro.exe|later.exe" "Uninstall.exe|later-uninstall.exe"; do
    IFS='|' read -r signed unsigned <<<"$pair"
    osslsigncode remove-signature -in "$program_dir/$signed" -out "$scratch/$signed.taken-off" \
        >/dev/null || fail "osslsigncode could not take the signature off $signed"
    cmp "$scratch/$signed.taken-off" "$scratch/$unsigned" ||
        fail "$signed with its signature taken off is not the unsigned $signed"
done
run_installer "$program_dir/Uninstall.exe" "$switch" /S || fail "the uninstaller ended with status $?"
echo "The signed installer, dentaro.exe and uninstaller verified; with their signatures taken off, dentaro.exe and the uninstaller are the unsigned ones"

echo "== The zip's folder, from a drive of its own"
usb=$scratch/usb
mkdir -p "$usb"
unzip -q "$zip" -d "$usb"
# awk reads every name, so unzip never writes into a closed pipe.
folder=$(unzip -Z1 "$zip" | awk -F/ 'NR == 1 { print $1 }')
ln -s "$usb" "$WINEPREFIX/dosdevices/e:"
(cd "$usb" && find . | sort) >"$scratch/usb-before"
wine start /unix "$usb/$folder/dentaro.exe"
wait_for_windows 1 "started from E:\\$folder"
sleep 1
import -window root "$shots/windows-portable.png"
# The focus starts in Giri Motore; "Esci" is five tabs on.
xdotool key --delay 50 Tab Tab Tab Tab Tab space
wait_for_end "Esci from E:"
(cd "$usb" && find . | sort) >"$scratch/usb-after"
diff -u "$scratch/usb-before" "$scratch/usb-after" || fail "the program wrote into its folder"
echo "Ran from E:\\$folder and wrote nothing there"
echo "Windows package checked: $(basename "$setup"), $(basename "$zip")"
