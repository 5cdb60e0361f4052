#!/usr/bin/env bash
# Makes a release of the commit checked out here, into one folder: the source archive, the Debian
# package built on this host (Debian 12), the Debian 13 package built in a Debian 13 chroot, the
# Windows installer and zip, and SHA256SUMS over them all. The last line of output is the
# folder's path. The same commit gives the same files, byte for byte, wherever and whenever it is
# made: every time in them is the commit's (SOURCE_DATE_EPOCH).
#   scripts/release.sh [--into FOLDER] [--only-host] [--no-debian13] [--no-windows]
#                      [--sign CERT KEY [TIMESTAMP_URL]]
#     --into FOLDER  a new or empty folder (build/release/dentaro-VERSION when not given)
#     --only-host    the source archive and this host's package only: --no-debian13 --no-windows
#     --no-debian13  no chroot (which needs root and, the first time, Debian's archive)
#     --no-windows   no Windows files (the first time, building Qt for Windows takes an hour)
#     --sign CERT KEY [TIMESTAMP_URL]  signs dentaro.exe, the uninstaller and the installer with
#                    the certificate (PEM or DER, with its chain) and its key, and an RFC 3161
#                    time stamp from the server when given (scripts/sign-windows.sh)
# Runs only in a checkout without uncommitted changes, so that the release is the commit's.
set -euo pipefail
usage() {
    sed -n '7,15p' "$0" >&2
    exit 2
}
into=""
debian13=yes
windows=yes
while [ $# -gt 0 ]; do
    case $1 in
        --into)
            [ $# -ge 2 ] || usage
            into=$2
            shift 2
            ;;
        --only-host)
            debian13=no
            windows=no
            shift
            ;;
        --no-debian13)
            debian13=no
            shift
            ;;
        --no-windows)
            windows=no
            shift
            ;;
        --sign)
            [ $# -ge 3 ] || usage
            if [ ! -f "$2" ] || [ ! -f "$3" ]; then
                echo "release: --sign needs a certificate file and a key file, not '$2' and '$3'" >&2
                exit 2
            fi
            DENTARO_SIGN_CERT=$(realpath -- "$2")
            DENTARO_SIGN_KEY=$(realpath -- "$3")
            export DENTARO_SIGN_CERT DENTARO_SIGN_KEY
            shift 3
            if [ $# -gt 0 ] && [[ $1 != --* ]]; then
                export DENTARO_SIGN_TIMESTAMP_URL=$1
                shift
            fi
            ;;
        *) usage ;;
    esac
done
cd "$(dirname "$0")/.."
root=$PWD
# File names in SHA256SUMS in the same order under every locale.
export LC_ALL=C.UTF-8
. scripts/setup.sh

fail() {
    echo "release: $*" >&2
    exit 1
}

if ! git rev-parse --verify --quiet HEAD >/dev/null; then
    fail "this is no git checkout with a commit: make a release from a clone of the repository"
fi
changes=$(git status --porcelain)
if [ -n "$changes" ]; then
    printf '%s\n' "$changes" >&2
    fail "the checkout has uncommitted changes (above): commit or stash them, or make the release from a fresh clone"
fi
commit=$(git rev-parse HEAD)

# The version as the top-level CMakeLists.txt writes it; configuring refuses a changelog or
# metainfo that names another (dist/check_version_entries.cmake), and so does this, before
# anything is built.
version=$(dentaro_cmake_setting DENTARO_DISPLAY_VERSION)
cmake -DVERSION="$version" -DCHANGELOG=dist/debian/changelog \
    -DMETAINFO=dist/org.dentaro.Dentaro.metainfo.xml -P dist/check_version_entries.cmake ||
    fail "the version entries disagree (above): make them name $version, commit, and run this again"
dentaro_source_date_epoch

folder=$(realpath -m -- "${into:-build/release/dentaro-$version}")
if [ -e "$folder" ] && { [ ! -d "$folder" ] || [ -n "$(ls -A -- "$folder")" ]; }; then
    fail "$folder is not a new or empty folder: name another with --into, or remove it"
fi
# What this script made, and only that, goes again when it fails.
made_folder=no
[ -d "$folder" ] || made_folder=yes
written=()
scratch=$(mktemp -d)
# shellcheck disable=SC2317,SC2329 # called by the trap
clean_up() {
    local status=$?
    rm -rf -- "$scratch"
    if [ "$status" != 0 ]; then
        [ ${#written[@]} = 0 ] || rm -f -- "${written[@]}"
        [ "$made_folder" = no ] || rmdir -- "$folder" 2>/dev/null || true
        echo "release: no release made; what it had written into $folder is removed" >&2
    fi
}
trap clean_up EXIT
mkdir -p -- "$folder"

# Copies a file that a step made into the release folder.
take() {
    [ -f "$1" ] || fail "$2 names '$1', which is no file"
    cp -- "$1" "$folder/"
    written+=("$folder/$(basename -- "$1")")
}

# Runs a step that prints the paths of what it made last, keeping its output in the scratch
# folder; says which failed and what to do.
step() {
    local name=$1 advice=$2
    shift 2
    echo "== $name: $*"
    "$@" | tee "$scratch/$name.log" || fail "'$*' failed (see above): $advice"
}

echo "== Dentaro $version, commit $commit, SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"

# The source archive: git writes the files in the tree's order, owned by root, with the commit's
# time, and the commit's time into dist/source-date-epoch; gzip -n leaves out a name and a time of
# its own. The modes and line ends are git's defaults whatever the user's git configuration says
# (tar.umask, core.autocrlf).
stem=dentaro-$version
git -c tar.umask=0002 -c core.autocrlf=false -c core.eol=lf \
    archive --format=tar --prefix="$stem/" "$commit" >"$scratch/$stem.tar" ||
    fail "'git archive' failed (see above): check that the repository is intact (git fsck)"
gzip -9n <"$scratch/$stem.tar" >"$scratch/$stem.tar.gz" || fail "'gzip' failed (see above)"
take "$scratch/$stem.tar.gz" "git archive"

step debian-host "run scripts/package.sh on its own to see why" scripts/package.sh
take "$(tail -n 1 "$scratch/debian-host.log")" scripts/package.sh

if [ "$debian13" = yes ]; then
    # The chroot clones this commit and builds there, as root; its package lies in the chroot.
    chroot_folder=$root/build/debian/trixie
    sudo=()
    [ "$(id -u)" = 0 ] || sudo=(sudo)
    step debian13 "run '.ci/debian-chroot trixie build/debian/trixie scripts/package.sh' on its own to see why, or leave this package out with --no-debian13" \
        "${sudo[@]}" .ci/debian-chroot trixie "$chroot_folder" scripts/package.sh
    take "$chroot_folder$(tail -n 1 "$scratch/debian13.log")" ".ci/debian-chroot"
fi

if [ "$windows" = yes ]; then
    step windows "run scripts/package-windows.sh on its own to see why, or leave the Windows files out with --no-windows" \
        scripts/package-windows.sh
    { read -r setup && read -r zip; } < <(tail -n 2 "$scratch/windows.log") ||
        fail "scripts/package-windows.sh did not end with the paths of the installer and the zip"
    take "$setup" scripts/package-windows.sh
    take "$zip" scripts/package-windows.sh
fi

(
    cd "$folder"
    files=(*)
    sha256sum -- "${files[@]}" >"$scratch/SHA256SUMS"
) || fail "'sha256sum' failed (see above)"
cp -- "$scratch/SHA256SUMS" "$folder/SHA256SUMS"
written+=("$folder/SHA256SUMS")
echo "== $folder"
cat -- "$folder/SHA256SUMS"
echo "$folder"
