#!/usr/bin/env bash
# Installs what is missing (with the test tools), builds, and runs every test (among them the
# checks of the package, the desktop entry, the AppStream metadata and the MIME types: ctest
# -L packaging); checks that the includes point down, the format, and that the Qt-free layers build for
# Windows.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
bash scripts/check-layers.sh
bash scripts/check-format.sh
bash scripts/build.sh
bash scripts/check-mingw.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@")
# Every screen and dialog as a PNG file, for a person to look at.
QT_QPA_PLATFORM=offscreen build/tests-bin/tq530-gallery build/gallery
# CI also builds the Debian package as a user would (scripts/package.sh) and checks it; the
# suite's own package test packs the tree it tested.
if [ "${CI:-}" = "true" ]; then
    bash tests/packaging/check_deb.sh "$(bash scripts/package.sh | tail -1)"
fi
# CI (and whoever asks with TQ530_SANITIZE=1) runs the suite again under the sanitizers.
if [ "${CI:-}" = "true" ] || [ "${TQ530_SANITIZE:-}" = "1" ]; then
    bash scripts/sanitize.sh "$@"
fi
