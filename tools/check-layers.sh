#!/usr/bin/env bash
# Checks that every include runs down the layers: a folder may include only itself and the
# folders below it, and Qt appears only in app/ and render/qt_*.
#   model <- io <- render <- interact <- ops <- editor <- app
# io/ includes model/ only; render/ includes model/ only (nothing of io/, interact/ or ops/).
# Every source under a folder counts, at any depth (editor/tools/ is editor/).
# Prints each include that runs the wrong way and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The sources of a layer's folder and all its sub-folders, NUL-separated.
sources_of() {
    find "$1" \( -name '*.h' -o -name '*.cpp' \) -type f -print0 2>/dev/null
}

allowed() {
    case "$1" in
    model) echo "model" ;;
    io) echo "model io" ;;
    render) echo "model render" ;;
    interact) echo "model render interact" ;;
    ops) echo "model render interact ops" ;;
    editor) echo "model io render interact ops editor" ;;
    app) echo "model io render interact ops editor app" ;;
    esac
}

status=0
for layer in model io render interact ops editor app; do
    ok=" $(allowed "$layer") "
    while IFS= read -r hit; do
        file="${hit%%:*}"
        target="$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$hit")"
        folder="${target%%/*}"
        if [[ "$target" == */* && "$ok" != *" $folder "* ]]; then
            echo "layer check: $file includes $target ($layer may not use $folder/)"
            status=1
        fi
    done < <(sources_of "$layer" | xargs -0 -r grep -Hn '^#include "' || true)
    if [[ "$layer" != app ]]; then
        while IFS= read -r hit; do
            file="${hit%%:*}"
            if [[ "$layer" == render && "$(basename "$file")" == qt_* ]]; then
                continue
            fi
            echo "layer check: $hit (Qt outside app/ and render/qt_*)"
            status=1
        done < <(sources_of "$layer" | xargs -0 -r grep -Hn '^#include <Q' || true)
    fi
done
exit "$status"
