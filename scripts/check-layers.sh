#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or of a sibling layer
# it must not know. The layers, from the bottom:
#   model  <  core | rules  <  files | report | radio  <  editor  <  app  <  cli | window
# A layer may include its own headers and those of any layer below it. core and rules (the
# editing rules, which know only the model) are siblings and never include each other; so
# are files, report and radio, and cli and window (the window program). The Qt-free part of
# a layer never includes its Qt part (the qt/ folders).
# The build holds the same arrows for calls: each layer is a library that links only the
# layers below it (cmake/TQ530Layers.cmake).
set -euo pipefail
cd "$(dirname "$0")/.."
root=${1:-src}

rank() {
    case "$1" in
        model) echo 0 ;;
        core | rules) echo 1 ;;
        files | report | radio) echo 2 ;;
        editor) echo 3 ;;
        app) echo 4 ;;
        cli | window) echo 5 ;;
        *) echo "" ;;
    esac
}

bad=0
while IFS= read -r file; do
    layer=${file#"$root"/}
    layer=${layer%%/*}
    own=$(rank "$layer")
    [ -n "$own" ] || continue
    qtFree=no
    case "$file" in
        "$root"/cli/* | "$root"/window/* | "$root"/*/qt/*) ;;
        *) qtFree=yes ;;
    esac
    while IFS= read -r hit; do
        line=${hit%%:*}
        target=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$hit")
        [ "$target" != "$hit" ] || continue
        theirs=$(rank "$target")
        [ -n "$theirs" ] || continue
        if [ "$target" != "$layer" ] && [ "$theirs" -ge "$own" ]; then
            echo "$file:$line: $layer must not include $target" >&2
            bad=1
        fi
        if [ "$qtFree" = yes ] &&
            grep -qE '#[[:space:]]*include[[:space:]]*"[a-z]+/qt/' <<<"$hit"; then
            echo "$file:$line: the Qt-free part of $layer must not include a Qt part" >&2
            bad=1
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find "$root" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$bad" -ne 0 ]; then
    echo "layer check failed: includes must point down" >&2
    exit 1
fi
echo "layer check: includes point down"
