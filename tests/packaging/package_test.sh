#!/usr/bin/env bash
# usage: package_test.sh BUILD_DIR
# Packs the built tree with its own CPack rules into a scratch folder and checks the package.
set -euo pipefail
build=$(readlink -f "$1")
out=$(mktemp -d "${TMPDIR:-/tmp}/tq530-cpack.XXXXXX")
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
bash "$(dirname "$0")/check_deb.sh" "$out"/tq530_*.deb
