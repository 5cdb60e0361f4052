#!/usr/bin/env bash
# .ci/debian-chroot removes its FOLDER whole when it makes the chroot there anew, so it takes only a
# new or empty folder or one it made, and never /, the home folder or the checkout, whatever marks
# they carry. A copy of it runs in a scratch checkout with a scratch home, as an unprivileged user:
# a folder it takes gets as far as "needs root", where it stops before touching anything.
#   check_chroot_refusals.sh SOURCE_DIR
set -euo pipefail
# What the unprivileged user reads and runs is readable whatever the caller's umask.
umask 022
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
checkout=$scratch/checkout
home=$scratch/home
mkdir -p "$home" "$scratch/theirs" "$scratch/empty" "$scratch/made"
install -D -m 755 "$1/.ci/debian-chroot" "$checkout/.ci/debian-chroot"
install -D -m 644 "$1/scripts/setup.sh" "$checkout/scripts/setup.sh"
touch "$scratch/theirs/notes.txt" "$scratch/file"
for made in "$home" "$checkout" "$scratch/made"; do
    touch "$made/.dentaro-chroot"
done
as_user=()
if [ "$(id -u)" = 0 ]; then
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

failures=0
# FOLDER, then the status and the words expected.
while IFS='|' read -r folder status words; do
    said=$(cd "$scratch" && HOME=$home "${as_user[@]}" "$checkout/.ci/debian-chroot" trixie \
        "$folder" true 2>&1) && got=0 || got=$?
    if [ "$got" != "$status" ] || [[ $said != *"$words"* ]]; then
        echo "FAIL: $folder: expected status $status and '$words', got $got: $said" >&2
        failures=$((failures + 1))
    fi
done <<ROWS
/|2|refusing /: it is or holds /;
$home|2|it is or holds $home
$checkout|2|it is or holds $checkout
$scratch/made/..|2|refusing $scratch: it is or holds $home
theirs|2|it holds files and no chroot made here
file|2|it is not a folder
empty|1|needs root
made|1|needs root
new/chroot|1|needs root
ROWS
[ -e "$scratch/theirs/notes.txt" ] || { echo "FAIL: theirs/notes.txt was removed" >&2; exit 1; }
exit "$((failures > 0))"
