#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/check-layers.sh
bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@")
# CI (and whoever asks with TQ530_SANITIZE=1) runs the suite again under the sanitizers.
if [ "${CI:-}" = "true" ] || [ "${TQ530_SANITIZE:-}" = "1" ]; then
    bash scripts/sanitize.sh "$@"
fi
