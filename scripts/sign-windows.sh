#!/usr/bin/env bash
# Signs Windows program files in place with Debian's osslsigncode (Authenticode). A signed release
# (scripts/release.sh --sign) has CPack call it for dentaro.exe and makensis for the uninstaller
# and the installer (dist/windows/windows.cmake, DENTARO_SIGN).
#   DENTARO_SIGN_CERT=CERT DENTARO_SIGN_KEY=KEY [DENTARO_SIGN_TIMESTAMP_URL=URL] \
#       scripts/sign-windows.sh FILE...
# CERT is the certificate with its chain (PEM or DER), KEY its private key. The signing time is
# SOURCE_DATE_EPOCH, so that the same file, certificate and key give the same signed bytes; with
# a time-stamp server the signature gets its RFC 3161 time stamp too, which is the server's time.
set -euo pipefail
fail() {
    echo "sign-windows.sh: $*" >&2
    exit 1
}
if [ $# = 0 ]; then
    sed -n '5,6p' "$0" >&2
    exit 2
fi
[ -f "${DENTARO_SIGN_CERT:-}" ] ||
    fail "DENTARO_SIGN_CERT ('${DENTARO_SIGN_CERT:-}') names no certificate file: give scripts/release.sh --sign CERT KEY"
[ -f "${DENTARO_SIGN_KEY:-}" ] ||
    fail "DENTARO_SIGN_KEY ('${DENTARO_SIGN_KEY:-}') names no key file: give scripts/release.sh --sign CERT KEY"
[[ ${SOURCE_DATE_EPOCH:-} =~ ^[0-9]+$ ]] ||
    fail "SOURCE_DATE_EPOCH ('${SOURCE_DATE_EPOCH:-}') is no time: sign within scripts/package-windows.sh, which sets it"
command -v osslsigncode >/dev/null || fail "osslsigncode is missing: apt-get install osslsigncode"
options=(-certs "$DENTARO_SIGN_CERT" -key "$DENTARO_SIGN_KEY" -h sha256 -n Dentaro
    -time "$SOURCE_DATE_EPOCH")
if [ -n "${DENTARO_SIGN_TIMESTAMP_URL:-}" ]; then
    options+=(-ts "$DENTARO_SIGN_TIMESTAMP_URL")
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for file in "$@"; do
    [ -f "$file" ] || fail "$file is no file"
    if ! osslsigncode sign "${options[@]}" -in "$file" -out "$scratch/signed" >"$scratch/log" 2>&1; then
        cat "$scratch/log" >&2
        fail "'osslsigncode sign' failed on $file (above): check the certificate, the key and the time-stamp server"
    fi
    # Written over the file rather than moved, so that the file keeps its mode.
    cat "$scratch/signed" >"$file"
    rm -f "$scratch/signed"
    echo "Signed $file"
done
