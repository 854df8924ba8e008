#!/usr/bin/env bash
# usage: scripts/configure.sh BUILD_DIR [CMAKE_ARGUMENTS...]
# Configures BUILD_DIR with Ninja the first time, and again only when one of the -DNAME=VALUE
# arguments differs from its cache (a tree made before an option existed catches up); otherwise
# it leaves the tree alone, so that a build with nothing changed stays quick.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
if [ -f "$dir/build.ninja" ] && [ -f "$dir/CMakeCache.txt" ]; then
    stale=0
    for argument in "$@"; do
        case $argument in
            -D*=*)
                setting=${argument#-D}
                name=${setting%%=*}
                name=${name%%:*}
                value=${setting#*=}
                current=$(awk -v n="$name" \
                    'index($0, n ":") == 1 { sub(/^[^=]*=/, ""); print; exit }' "$dir/CMakeCache.txt")
                [ "$current" = "$value" ] || stale=1
                ;;
        esac
    done
    [ "$stale" -eq 1 ] || exit 0
fi
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
