#!/usr/bin/env bash
# Configures (once) and builds the project into build/, warnings as errors; the programs that
# ship land in build/bin/, the test programs in build/tests-bin/.
# TQ530_BUILD_TESTING=OFF (scripts/start.sh) installs only what building and running need and
# leaves the tests out of a tree configured for the first time; a tree that has them keeps them.
set -euo pipefail
cd "$(dirname "$0")/.."
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTQ530_WERROR=ON)
if [ "${TQ530_BUILD_TESTING:-ON}" = ON ]; then
    bash scripts/deps.sh --test
    options+=(-DBUILD_TESTING=ON)
else
    bash scripts/deps.sh
    [ -f build/build.ninja ] || options+=(-DBUILD_TESTING=OFF)
fi
bash scripts/configure.sh build "${options[@]}"
cmake --build build -j"$(nproc)"
