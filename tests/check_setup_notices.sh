#!/usr/bin/env bash
# scripts/setup.sh shows what the configure step says, such as which tests it left out for a
# missing tool. A cmake that only prints such a notice stands in for the real one; nothing is
# installed or built.
#   check_setup_notices.sh SOURCE_DIR
set -euo pipefail
stand_in=$(mktemp -d)
trap 'rm -rf "$stand_in"' EXIT
# shellcheck disable=SC2016 # the stand-in's own $1, expanded when it runs
printf '#!/bin/sh\n[ "$1" != --preset ] || echo "-- xvfb-run not found: a test is left out"\n' \
    >"$stand_in/cmake"
chmod +x "$stand_in/cmake"
# shellcheck source=/dev/null
. "$1/scripts/setup.sh"
dentaro_install() { :; }
shown=$(PATH="$stand_in:$PATH" dentaro_setup ci 2>&1)
if ! grep -q 'a test is left out' <<<"$shown"; then
    echo "dentaro_setup hid the configure step's notice; it showed: $shown" >&2
    exit 1
fi
