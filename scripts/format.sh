#!/usr/bin/env bash
# Formats the C++ sources with .clang-format (clang-format 14, Debian 12's):
#   bash scripts/format.sh           formats every source in place
#   bash scripts/format.sh --check   lists the sources that are not formatted
#   bash scripts/format.sh [--check] FILE...   only these files
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
if [[ ${1:-} == --check ]]; then
    check=1
    shift
fi
format=$(command -v clang-format-14 || command -v clang-format || true)
if [[ -z $format ]] || ! "$format" --version | grep -q 'version 14\.'; then
    echo "format.sh: clang-format 14 is needed" >&2
    exit 2
fi
if (($# == 0)); then
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
    files=("$@")
fi
if ((check)); then
    status=0
    for file in "${files[@]}"; do
        if ! "$format" --dry-run --Werror "$file" >/dev/null 2>&1; then
            echo "$file"
            status=1
        fi
    done
    exit $status
else
    "$format" -i "${files[@]}"
fi
