#!/usr/bin/env bash
# Compares two builds of the same files byte for byte: two files, or two folders that must hold
# the same files (by their paths inside the folder) with the same bytes; the folders' own times
# and modes do not count, everything inside a file does. On a difference it names the files that
# differ, shows diffoscope's report of them (installing diffoscope-minimal when it is missing) and
# exits with status 1.
#   scripts/compare_builds.sh FIRST SECOND
set -euo pipefail
if [ $# != 2 ]; then
    sed -n '2,7p' "$0" >&2
    exit 2
fi
first=$(realpath -- "$1")
second=$(realpath -- "$2")
cd "$(dirname "$0")/.."

# Lists a folder's files (and links), one a line, in the same order under every locale.
list() {
    (cd "$1" && find . ! -type d -printf '%P\n' | LC_ALL=C sort)
}

differing=()
if [ -f "$first" ] && [ -f "$second" ]; then
    cmp -s -- "$first" "$second" || differing=("$(basename -- "$first")")
elif [ -d "$first" ] && [ -d "$second" ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf -- "$scratch"' EXIT
    list "$first" >"$scratch/first"
    list "$second" >"$scratch/second"
    while read -r name; do
        cmp -s -- "$first/$name" "$second/$name" || differing+=("$name")
    done < <(LC_ALL=C comm -12 "$scratch/first" "$scratch/second")
    while read -r name; do
        differing+=("$name (only in $first)")
    done < <(LC_ALL=C comm -23 "$scratch/first" "$scratch/second")
    while read -r name; do
        differing+=("$name (only in $second)")
    done < <(LC_ALL=C comm -13 "$scratch/first" "$scratch/second")
    [ -s "$scratch/first" ] || [ -s "$scratch/second" ] ||
        { echo "compare_builds: $first and $second hold no files: nothing to compare" >&2; exit 2; }
else
    echo "compare_builds: $first and $second are not two files or two folders" >&2
    exit 2
fi

if [ "${#differing[@]}" = 0 ]; then
    echo "Identical, byte for byte: $first and $second"
    exit 0
fi
echo "DIFFERENT: $first and $second:"
printf '  %s\n' "${differing[@]}"
. scripts/setup.sh
dentaro_install diffoscope-minimal
# The report of two builds of a package can run to megabytes; its start names what differs.
status=0
diffoscope --text - --text-color never --max-text-report-size 60000 \
    --exclude-directory-metadata yes -- "$first" "$second" || status=$?
[ "$status" = 1 ] || echo "compare_builds: diffoscope ended with status $status (see above)" >&2
exit 1
