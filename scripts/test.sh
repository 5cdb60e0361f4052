#!/usr/bin/env bash
# Builds Dentaro with warnings as errors (installing what is missing) and runs every test.
# The exit status is the tests'.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
dentaro_setup ci desktop-file-utils appstream llvm clang imagemagick qt6-svg-dev shellcheck \
    clang-tidy clazy
ctest --preset ci
