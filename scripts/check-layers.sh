#!/bin/sh
# Fails, naming each file, when a folder under src/ includes a header of another folder
# at its own layer or above. The layers, bottom up: platform and ov2; poi, search,
# splitview and map; window; shell. A folder may always include its own headers.
src="${1:-$(dirname "$0")/../src}"

layer() {
    case "$1" in
    platform | ov2) echo 0 ;;
    poi | search | splitview | map) echo 1 ;;
    window) echo 2 ;;
    shell) echo 3 ;;
    esac
}

found=$(
    for dir in "$src"/*/; do
        folder=$(basename "$dir")
        own=$(layer "$folder")
        if [ -z "$own" ]; then
            echo "src/$folder: a folder outside the layers"
            continue
        fi
        find "$dir" -type f \( -name '*.h' -o -name '*.cpp' \) | sort | while read -r file; do
            sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]\([^/">]*\)\/.*/\1/p' "$file" | sort -u |
                while read -r used; do
                    other=$(layer "$used")
                    if [ "$used" != "$folder" ] && [ -n "$other" ] && [ "$other" -ge "$own" ]; then
                        echo "src/${file#"$src"/}: includes $used/"
                    fi
                done
        done
    done
)

if [ -n "$found" ]; then
    echo "$found"
    exit 1
fi
