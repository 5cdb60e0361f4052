#!/usr/bin/env bash
# The lines of runtime/ and calc/ that the whole test suite runs: builds the coverage preset
# (installing what is missing, gcovr included), runs every test and prints gcovr's table, whose
# last column lists the lines no test reaches. CI leaves it out: it is a third, unoptimised build.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
dentaro_setup coverage gcovr
# Counts add up over runs; each report is of one run of the suite.
find build/coverage -name '*.gcda' -delete
ctest --preset coverage
gcovr --root . --filter 'runtime/' --filter 'calc/' build/coverage
