#!/usr/bin/env bash
# Every shell script of the tree passes shellcheck, at every severity: the files named *.sh and
# those whose first line starts a shell, as git lists them (or, outside a clone, as they lie).
#   check_shell_scripts.sh SOURCE_DIR [SHELLCHECK]
set -euo pipefail
cd "$1"
shellcheck=${2:-shellcheck}
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files)
else
    mapfile -t files < <(find . \( -path ./build -o -path ./.git \) -prune -o -type f -printf '%P\n')
fi
scripts=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue
    first=""
    [[ $file == *.sh ]] || IFS= read -r first <"$file" 2>/dev/null || true
    # The name and the first line apart: a first line that mentions a script is no shebang.
    case $file in
        *.sh) scripts+=("$file") ;;
        *)
            case $first in
                '#!'*/bash | '#!'*/sh | '#!'*' bash' | '#!'*' sh') scripts+=("$file") ;;
            esac
            ;;
    esac
done
echo "$("$shellcheck" --version | sed -n 's/^version: /shellcheck /p') on ${#scripts[@]} scripts"
"$shellcheck" "${scripts[@]}"
