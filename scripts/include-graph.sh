#!/usr/bin/env bash
# Prints which folders' files include which others' (the include graph between the trees), and
# with --check fails when the engine includes a Windows header or a file of windows/.
#
#   scripts/include-graph.sh           the graph: "from -> to  (number of #include lines)"
#   scripts/include-graph.sh --check   exit 1 on a wrong include, printing it
set -euo pipefail
cd "$(dirname "$0")/.."

# The folder an include names: engine and windows files include "folder/file.h" from their
# tree's root; tools and tests also name top-level folders.
folder_of() {
    local path=$1
    case "$path" in
    common/* | wylie/* | layouts/* | dictionary/* | session/*) echo "engine/${path%%/*}" ;;
    imm/* | tsf/* | ui/* | setup/* | resources/*) echo "windows/${path%%/*}" ;;
    tools/* | tests/* | bench/* | fuzz/*) echo "${path%%/*}" ;;
    *) echo "" ;;
    esac
}

if [ "${1:-}" = "--check" ]; then
    bad=$(grep -rnE '#include *[<"](windows|imm|winuser|wingdi|msctf|objbase|ole2|shellapi)\.h' \
        engine || true)
    bad+=$(grep -rnE '#include *"(imm|tsf|ui|setup|resources)/' engine || true)
    if [ -n "$bad" ]; then
        echo "include-graph: the engine includes Windows or windows/ files:" >&2
        echo "$bad" >&2
        exit 1
    fi
    echo "include-graph: engine/ includes no Windows header and no file of windows/"
    exit 0
fi

git ls-files 'engine/*' 'windows/*' 'tools/*' 'tests/*' 'bench/*' 'fuzz/*' |
    grep -E '\.(cpp|h)$' |
    while read -r file; do
        case "$file" in
        engine/* | windows/*) from=$(echo "$file" | cut -d/ -f1-2) ;;
        *) from=$(echo "$file" | cut -d/ -f1) ;;
        esac
        { grep -oE '^#include *"[^"]+"' "$file" || true; } | sed -E 's/^#include *"([^"]+)"/\1/' |
            while read -r included; do
                to=$(folder_of "$included")
                if [ -n "$to" ] && [ "$to" != "$from" ]; then
                    echo "$from -> $to"
                fi
            done
    done | sort | uniq -c | awk '{printf "%-20s -> %-20s (%d)\n", $2, $4, $1}'
