#!/usr/bin/env bash
# Shows that a build is reproducible: runs SCRIPT, a build script of this tree that prints the
# paths of the files it made on its last lines (scripts/package.sh one, scripts/package-windows.sh
# two), here and then in a fresh clone of this commit in another folder, later, under another
# umask, time zone and locale, and compares each file with the clone's byte for byte
# (scripts/compare_builds.sh, which shows diffoscope's report of a difference). The exit status
# is 1 when any differs. Here, SCRIPT only brings an earlier build up to date.
#   scripts/check_rebuild.sh SCRIPT [ARG ...]
set -euo pipefail
if [ $# = 0 ]; then
    sed -n '2,8p' "$0" >&2
    exit 2
fi
cd "$(dirname "$0")/.."
root=$PWD

fail() {
    echo "check_rebuild: $*" >&2
    exit 1
}

changes=$(git status --porcelain)
if [ -n "$changes" ]; then
    printf '%s\n' "$changes" >&2
    fail "the checkout has uncommitted changes (above), which the clone would not have: commit or stash them"
fi

command="$*"
scratch=$(mktemp -d)
trap 'rm -rf -- "$scratch"' EXIT

# The files that the run whose output is in $1 made: the paths on its last lines, inside $2.
made_by() {
    local lines=() line files=()
    mapfile -t lines <"$1"
    for ((i = ${#lines[@]} - 1; i >= 0; i--)); do
        line=${lines[i]}
        if [[ $line != "$2"/* ]] || [ ! -f "$line" ]; then
            break
        fi
        files=("${line#"$2"/}" ${files[@]+"${files[@]}"})
    done
    [ "${#files[@]}" != 0 ] || fail "'$command' ended with no path of a file inside $2"
    printf '%s\n' "${files[@]}"
}

echo "== $* in $root"
"$@" >"$scratch/first.log" 2>&1 || { cat "$scratch/first.log"; fail "'$*' failed here (see above)"; }
mapfile -t files < <(made_by "$scratch/first.log" "$root")
[ "${#files[@]}" != 0 ] || exit 1

clone=$scratch/rebuilt-in-another-folder
git -c init.defaultBranch=main clone --quiet --no-hardlinks "$root" "$clone" || fail "'git clone $root' failed (see above)"
echo "== $* in $clone"
# Far from UTC, with a locale of its own and files readable by their owner alone.
(umask 077 && cd "$clone" && TZ=Pacific/Kiritimati LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 "$@") \
    >"$scratch/second.log" 2>&1 || { cat "$scratch/second.log"; fail "'$*' failed in the clone (see above)"; }
mapfile -t rebuilt < <(made_by "$scratch/second.log" "$clone")
[ "${rebuilt[*]}" = "${files[*]}" ] ||
    fail "the clone's build made ${rebuilt[*]}, this tree's ${files[*]}"

status=0
for file in "${files[@]}"; do
    scripts/compare_builds.sh "$root/$file" "$clone/$file" || status=1
done
exit "$status"
