#!/bin/sh
# Fails, naming each file, when a folder under src/ includes a header of another folder
# at its own layer or above. The layers, bottom up: platform and ov2; poi, search,
# splitview and map; window; shell. A folder may always include its own headers.
# An include is read both ways the compiler may find it, beside the including file and
# from src/, with "." and ".." resolved: "../window/X.h" and "platform/../window/X.h"
# both name window/.
src="${1:-$(dirname "$0")/../src}"

layer() {
    case "$1" in
    platform | ov2) echo 0 ;;
    poi | search | splitview | map) echo 1 ;;
    window) echo 2 ;;
    shell) echo 3 ;;
    esac
}

# Prints, for each include of the file, the folder of src/ that each reading of it lies
# in; nothing for a file of src/ itself or a path that leaves src/. "here" is the
# including file's folder, relative to src/.
folders='
function folder(path,    n, parts, i, depth) {
    n = split(path, parts, "/")
    depth = 0
    for (i = 1; i <= n; i++) {
        if (parts[i] == "" || parts[i] == ".")
            continue
        if (parts[i] == ".." && depth > 0 && kept[depth] != "..")
            depth--
        else
            kept[++depth] = parts[i]
    }
    return depth < 2 || kept[1] == ".." ? "" : kept[1]
}
/^[ \t]*#[ \t]*include[ \t]*["<]/ {
    line = $0
    sub(/^[ \t]*#[ \t]*include[ \t]*/, "", line)
    angled = substr(line, 1, 1) == "<"
    name = substr(line, 2)
    end = index(name, angled ? ">" : "\"")
    if (end == 0)
        next
    name = substr(name, 1, end - 1)
    if (!angled && (f = folder(here "/" name)) != "")
        print f
    if ((f = folder(name)) != "")
        print f
}'

found=$(
    for dir in "$src"/*/; do
        folder=$(basename "$dir")
        own=$(layer "$folder")
        if [ -z "$own" ]; then
            echo "src/$folder: a folder outside the layers"
            continue
        fi
        find "$dir" -type f \( -name '*.h' -o -name '*.cpp' \) | sort | while read -r file; do
            rel=${file#"$src"/}
            awk -v here="$(dirname "$rel")" "$folders" "$file" | sort -u |
                while read -r used; do
                    other=$(layer "$used")
                    if [ "$used" != "$folder" ] && [ -n "$other" ] && [ "$other" -ge "$own" ]; then
                        echo "src/$rel: includes $used/"
                    fi
                done
        done
    done
)

if [ -n "$found" ]; then
    echo "$found"
    exit 1
fi
