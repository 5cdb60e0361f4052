#!/usr/bin/env bash
# Builds Dentaro (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
dentaro_setup default
exec build/default/app/dentaro "$@"
