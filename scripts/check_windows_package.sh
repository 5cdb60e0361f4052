#!/usr/bin/env bash
# Builds the Windows installer and zip (scripts/package-windows.sh) and checks them under Wine as
# a Windows user would meet them, in a fresh Wine prefix on an X server of its own with a window
# manager: the installer installs silently for all users under Program Files, with its Start-menu
# shortcut and its entry among the installed programs; the shortcut starts the program, whose
# window "Dentaro v.2.0" has its 882 x 725 client area; a wrong number brings the message box,
# which goes with Enter and leaves the window with its input; "Esci" ends the program; the
# uninstaller removes it silently and leaves nothing of it. Then the zip's folder runs from a
# drive of its own, as from a USB stick. Screenshots go to build/package/windows-*.png.
#   scripts/check_windows_package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

. scripts/setup.sh
# procps for pgrep, which tells whether the program still runs.
dentaro_install wine wine64 fonts-wine xvfb openbox xdotool x11-utils xclip imagemagick unzip \
    procps

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

echo "== Building the installer and the zip"
scripts/package-windows.sh | tee "$scratch/package.log"
{ read -r setup && read -r zip; } < <(tail -n 2 "$scratch/package.log") || true
[[ $setup == *-setup.exe && -f $setup ]] || fail "no installer: '$setup'"
[[ $zip == *.zip && -f $zip ]] || fail "no zip: '$zip'"
shots=$root/build/package

title=$(sed -n 's/^set(DENTARO_PRODUCT_NAME "\(.*\)")$/\1/p' CMakeLists.txt)
version=$(sed -n 's/^set(DENTARO_DISPLAY_VERSION "\(.*\)")$/\1/p' CMakeLists.txt)
if [ -z "$title" ] || [ -z "$version" ]; then
    fail "no product name or version in CMakeLists.txt"
fi

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
listing() {
    (cd "$drive_c" && find . -path ./windows -prune -o -print | sort)
}
listing >"$scratch/before"
# What the registry says of Dentaro before: the user's own name may hold the word.
registry_lines() {
    grep -ih 'dentaro' "$WINEPREFIX"/*.reg | grep -v '^#time=' | sort || true
}
registry_lines >"$scratch/registry-before"

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

echo "== Installing silently: $(basename "$setup") /S"
wine "$setup" /S
wineserver --wait
program_dir="$drive_c/Program Files/Dentaro"
[ -f "$program_dir/dentaro.exe" ] || fail "no dentaro.exe in C:\\Program Files\\Dentaro"
[ -f "$program_dir/Uninstall.exe" ] || fail "no uninstaller in C:\\Program Files\\Dentaro"
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
(cd "$program_dir" && find . -type f | sed 's|^\./||' | grep -v '^Uninstall\.exe$' | sort) \
    >"$scratch/installed"
diff -u "$scratch/zipped" "$scratch/installed" || fail "the installer and the zip differ"
echo "Installed $(wc -l <"$scratch/installed") files and the uninstaller under C:\\Program Files\\Dentaro"

start_menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$title"
shortcut="$start_menu/$title.lnk"
[ -f "$shortcut" ] || fail "no Start-menu shortcut $title\\$title for all users"
# A shell link keeps its target's path; the icon, given none of its own, is the target's.
LC_ALL=C grep -aq 'Dentaro\\dentaro\.exe' "$shortcut" ||
    fail "the shortcut does not lead to Dentaro\\dentaro.exe"
echo "Start menu: $title\\$title, to C:\\Program Files\\Dentaro\\dentaro.exe"

key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dentaro"
wine reg query "$key" >"$scratch/uninstall-entry" 2>/dev/null ||
    fail "no uninstall entry $key"
entry() {
    tr -d '\r' <"$scratch/uninstall-entry" | sed -n "s/^ *$1 *REG_SZ *//p"
}
[ "$(entry DisplayName)" = "$title" ] || fail "DisplayName is '$(entry DisplayName)'"
[ "$(entry DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(entry DisplayVersion)'"
[ "$(entry Publisher)" = "Dentaro developers" ] || fail "Publisher is '$(entry Publisher)'"
[ "$(entry DisplayIcon)" = 'C:\Program Files\Dentaro\dentaro.exe' ] ||
    fail "DisplayIcon is '$(entry DisplayIcon)'"
[[ $(entry UninstallString) == *'C:\Program Files\Dentaro\Uninstall.exe'* ]] ||
    fail "UninstallString is '$(entry UninstallString)'"
echo "Installed programs: $(entry DisplayName) $(entry DisplayVersion), $(entry Publisher)"

echo "== Starting it from its shortcut"
wine start /unix "$shortcut"
wait_for_windows 1 "after the start"
window=$(windows_titled)
sleep 1
size=$(xwininfo -id "$window" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = 882x725 ] || fail "the client area is $size, not 882x725"
echo "Window \"$title\", client area $size"
import -window root "$shots/windows-installed.png"

echo "== A wrong number"
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
kept=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r' || true)
[ "$kept" = 3O ] || fail "Corona holds '$kept' after the message, not '3O'"
echo "Message box shown and dismissed; the window stays, Corona still holds '$kept'"

echo "== Esci"
# From Corona: "Calcola Cambio", then "Esci".
xdotool key --delay 50 Tab Tab space
wait_for_end "Esci"
wait_for_windows 0 "after Esci"
echo "The program ended"

echo "== Removing it silently: Uninstall.exe /S"
wine "$program_dir/Uninstall.exe" /S
wineserver --wait
[ ! -e "$program_dir" ] || fail "C:\\Program Files\\Dentaro is left: $(ls -A "$program_dir")"
[ ! -e "$start_menu" ] || fail "the Start-menu folder $title is left"
if wine reg query "$key" >/dev/null 2>&1; then
    fail "the uninstall entry $key is left"
fi
# NSIS's uninstaller runs from a copy of itself in the user's Temp folder, which it leaves to
# Windows to delete at the next restart; Wine's restart does that. What may stay is the empty
# folder that held the copy (~nsu1.tmp), as on Windows.
wine wineboot --restart >/dev/null 2>&1
wineserver --wait
listing >"$scratch/after"
left=""
while read -r path; do
    if [[ $path == ./users/*/Temp/~nsu*.tmp ]] && [ -z "$(ls -A "$drive_c/$path")" ]; then
        echo "Kept the uninstaller's empty scratch folder ${path#./}, as Windows keeps it"
        continue
    fi
    left+=$'\n'"  $path"
done < <(comm -13 "$scratch/before" "$scratch/after")
[ -z "$left" ] || fail "left behind on C: after the removal:$left"
registry_lines >"$scratch/registry-after"
registry=$(comm -13 "$scratch/registry-before" "$scratch/registry-after")
[ -z "$registry" ] || fail "the registry still names Dentaro:"$'\n'"$registry"
echo "Removed: nothing of it is left on C: or in the registry"

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
