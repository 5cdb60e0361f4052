#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine, as CTest's emulator or by hand:
#   cmake/wine-run.sh PROGRAM.exe [ARGUMENT ...]
# Wine keeps QT_* variables out of the Windows environment but passes WINEQT_* on without the
# WINE, so each QT_ variable is handed over that way; Qt's messages go to standard error, where
# Wine would otherwise send them to the debugger channel. The prefix is $WINEPREFIX, made on
# first use (about 10 s) with Wine's own fonts in its Fonts folder, which Debian's Wine leaves
# empty, and Comic Neue, the captions' stand-in, for Qt's offscreen platform, which reads fonts
# from that folder alone (Wine's own text finds it through fontconfig). DENTARO_WINE_DLL_DIRS, when set, names the folders of the DLLs (Qt's, MinGW's run-time)
# as host paths separated by colons.
set -euo pipefail

if [ -z "${WINEPREFIX:-}" ]; then
    echo "wine-run.sh: set WINEPREFIX to the Wine prefix to use" >&2
    exit 2
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to download Mono or Gecko, which a test run can neither answer nor reach.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.dentaro-ready" ]; then
        # wineboot returns once the prefix is made; the server may stay on (persistent, for a
        # benchmark), so it is not waited for. Wine's services outlive wineboot: they must not
        # inherit the lock.
        wine wineboot --init >/dev/null 2>&1 9>&-
        cp -n /usr/share/wine/fonts/* /usr/share/fonts/opentype/comic-neue/* \
            "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        touch "$WINEPREFIX/.dentaro-ready"
    fi
) 9>"$WINEPREFIX.lock"

for name in "${!QT_@}"; do
    export "WINE$name=${!name}"
done
export WINEQT_FORCE_STDERR_LOGGING=1

if [ -n "${DENTARO_WINE_DLL_DIRS:-}" ]; then
    # Wine's drive Z: is the host's root.
    IFS=':' read -r -a dirs <<<"$DENTARO_WINE_DLL_DIRS"
    windows_dirs=()
    for dir in "${dirs[@]}"; do
        windows_dirs+=("Z:${dir//\//\\}")
    done
    WINEPATH=$(IFS=';'; echo "${windows_dirs[*]}")${WINEPATH:+;$WINEPATH}
    export WINEPATH
fi

exec wine "$@"
