#!/usr/bin/env bash
# Runs clang-tidy or clazy over the program's own sources (runtime/, calc/, ui/, app/, tools/) as
# the build compiles them (its compile_commands.json), with the checks named at the top of the
# tree: .clang-tidy and .clazy. Fails, printing the findings, when the tool reports anything.
#   analyse.sh clang-tidy SOURCE_DIR BUILD_DIR RUN_CLANG_TIDY CLANG_TIDY
#   analyse.sh clazy SOURCE_DIR BUILD_DIR CLAZY_STANDALONE
set -euo pipefail
tool=$1 source_dir=$2 build_dir=$3
shift 3
database=$build_dir/compile_commands.json
if [ ! -f "$database" ]; then
    echo "analyse: $database is missing: configure with CMAKE_EXPORT_COMPILE_COMMANDS=ON (as the ci preset does) and a Makefile or Ninja generator" >&2
    exit 1
fi

# The program's translation units as the database names them. What moc and rcc write lies in the
# build folder and is not among them.
files=()
while IFS= read -r file; do
    case ${file#"$source_dir"/} in
        *_autogen/*) ;;
        runtime/* | calc/* | ui/* | app/* | tools/*) files+=("$file") ;;
    esac
done < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$database" | sort -u)
if [ "${#files[@]}" = 0 ]; then
    echo "analyse: $database names none of the program's sources under $source_dir: build the tree from that folder" >&2
    exit 1
fi

# A path as a regular expression that matches that path only.
# shellcheck disable=SC2001 # each special character escaped by itself: a back-reference
as_pattern() { printf '^%s$' "$(sed 's/[][\.*^$+?(){}|]/\\&/g' <<<"$1")"; }

output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
case $tool in
    clang-tidy)
        run_clang_tidy=$1 clang_tidy=$2
        version=$("$clang_tidy" --version | sed -n 's/.*LLVM version \([0-9.]*\).*/\1/p')
        patterns=()
        for file in "${files[@]}"; do
            patterns+=("$(as_pattern "$file")")
        done
        # Every check's finding is an error (.clang-tidy), which fails the file and the run.
        "$run_clang_tidy" -clang-tidy-binary "$clang_tidy" -p "$build_dir" -j "$(nproc)" -quiet \
            "${patterns[@]}" >"$output" 2>&1 || status=$?
        ;;
    clazy)
        clazy=$1
        version=$("$clazy" --version | sed -n 's/^clazy version //p')
        # .clazy: the checks, separated by commas; a # starts a comment.
        checks=$(sed 's/#.*//' "$source_dir/.clazy" | tr -d '[:space:]')
        checks=${checks%,}
        source_pattern=$(as_pattern "$source_dir")
        # A release build defines QT_NO_DEBUG, under which SIGNAL() and SLOT() leave out the
        # qFlagLocation() that old-style-connect knows them by: clazy reads the code without it.
        printf '%s\0' "${files[@]}" |
            xargs -0 -n 1 -P "$(nproc)" "$clazy" -p "$build_dir" --checks="$checks" \
                --extra-arg=-UQT_NO_DEBUG \
                --header-filter="${source_pattern%$}/(runtime|calc|ui|app|tools)/" \
                --ignore-dirs='_autogen/' >"$output" 2>&1 || status=$?
        ;;
    *)
        echo "analyse: unknown tool '$tool': give clang-tidy or clazy" >&2
        exit 2
        ;;
esac

# The findings and what led to them, without the colours run-clang-tidy asks for, its echo of each
# command it ran, nor clang's count of the warnings it kept back (those in Qt's headers).
sed -i 's/\x1b\[[0-9;]*m//g' "$output"
findings=$(grep -cE ': (warning|error): ' "$output" || true)
if [ "$status" != 0 ] || [ "$findings" != 0 ]; then
    grep -vE '^(\[[^]]*\])* *[^ ]*clang-tidy[^ ]* |^Running clang-tidy |^[0-9]+ warnings? generated\.$|^$' \
        "$output" >&2 || true
    echo "$tool $version found $findings problems in the program's code (exit status $status): mend them, or suppress one on its line with the reason (NOLINT(check) or clazy:exclude=check)" >&2
    exit 1
fi
echo "$tool $version on ${#files[@]} files: nothing found"
