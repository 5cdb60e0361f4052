#!/usr/bin/env bash
# Signs Windows program files in place with Debian's osslsigncode (Authenticode), or gives them
# the form a signature leaves when osslsigncode takes it off again. Every Windows package has CPack
# call it for dentaro.exe and makensis for the uninstaller and the installer
# (dist/windows/windows.cmake): signed in a signed release (scripts/release.sh --sign), in that
# form otherwise.
#   DENTARO_SIGN_CERT=CERT DENTARO_SIGN_KEY=KEY [DENTARO_SIGN_TIMESTAMP_URL=URL] \
#       scripts/sign-windows.sh FILE...
#   scripts/sign-windows.sh --unsigned FILE...
# CERT is the certificate with its chain (PEM or DER), KEY its private key. The signing time is
# SOURCE_DATE_EPOCH, so that the same file, certificate and key give the same signed bytes; with
# a time-stamp server the signature gets its RFC 3161 time stamp too, which is the server's time.
# A signature pads the file to a multiple of eight bytes and sets its PE checksum, and taking it
# off keeps both. --unsigned does the same to the unsigned files (a signature with a key made for
# the purpose, taken off at once), so that the files of a signed release with their signatures
# taken off are byte for byte those of an unsigned build of the same commit.
set -euo pipefail
fail() {
    echo "sign-windows.sh: $*" >&2
    exit 1
}
unsigned=no
if [ "${1:-}" = --unsigned ]; then
    unsigned=yes
    shift
fi
if [ $# = 0 ]; then
    sed -n '7,9p' "$0" >&2
    exit 2
fi
command -v osslsigncode >/dev/null || fail "osslsigncode is missing: apt-get install osslsigncode"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ "$unsigned" = yes ]; then
    command -v openssl >/dev/null || fail "openssl is missing: apt-get install openssl"
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 1 \
        -subj "/CN=Dentaro, unsigned" -keyout "$scratch/key.pem" -out "$scratch/cert.pem" \
        >"$scratch/log" 2>&1 || { cat "$scratch/log" >&2; fail "openssl made no key"; }
    options=(-certs "$scratch/cert.pem" -key "$scratch/key.pem" -h sha256)
    advice="is it a Windows program file?"
    done_message="Padded and checksummed, as a signature taken off leaves it:"
else
    [ -f "${DENTARO_SIGN_CERT:-}" ] ||
        fail "DENTARO_SIGN_CERT ('${DENTARO_SIGN_CERT:-}') names no certificate file: give scripts/release.sh --sign CERT KEY"
    [ -f "${DENTARO_SIGN_KEY:-}" ] ||
        fail "DENTARO_SIGN_KEY ('${DENTARO_SIGN_KEY:-}') names no key file: give scripts/release.sh --sign CERT KEY"
    [[ ${SOURCE_DATE_EPOCH:-} =~ ^[0-9]+$ ]] ||
        fail "SOURCE_DATE_EPOCH ('${SOURCE_DATE_EPOCH:-}') is no time: sign within scripts/package-windows.sh, which sets it"
    options=(-certs "$DENTARO_SIGN_CERT" -key "$DENTARO_SIGN_KEY" -h sha256 -n Dentaro
        -time "$SOURCE_DATE_EPOCH")
    if [ -n "${DENTARO_SIGN_TIMESTAMP_URL:-}" ]; then
        options+=(-ts "$DENTARO_SIGN_TIMESTAMP_URL")
    fi
    advice="check the certificate, the key and the time-stamp server"
    done_message="Signed"
fi

for file in "$@"; do
    [ -f "$file" ] || fail "$file is no file"
    if ! osslsigncode sign "${options[@]}" -in "$file" -out "$scratch/signed" >"$scratch/log" 2>&1; then
        cat "$scratch/log" >&2
        fail "'osslsigncode sign' failed on $file (above): $advice"
    fi
    if [ "$unsigned" = yes ]; then
        osslsigncode remove-signature -in "$scratch/signed" -out "$scratch/unsigned" \
            >"$scratch/log" 2>&1 || { cat "$scratch/log" >&2; fail "'osslsigncode remove-signature' failed on $file"; }
        mv "$scratch/unsigned" "$scratch/signed"
    fi
    # Written over the file rather than moved, so that the file keeps its mode.
    cat "$scratch/signed" >"$file"
    rm -f "$scratch/signed"
    echo "$done_message $file"
done
