#!/usr/bin/env bash
# Proof that the Qt-free layers stay portable: configures the project's own CMake lists for
# 64-bit Windows with MinGW-w64 (cmake/mingw-w64-x86_64.cmake) into build-mingw/, without Qt,
# the window program and the tests, warnings as errors, and builds every Qt-free layer library
# and the simulator library. Each is linked whole into a small Windows program
# (build-mingw/layer-checks/), which proves that every call it makes exists on Windows. The
# command line is linked too, as build-mingw/bin/tq530-cli.exe, on the system's own serial port
# and an INI file as its per-user store (src/cli/native).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    echo "check-mingw: no MinGW-w64 compiler (Debian package g++-mingw-w64-x86-64)" >&2
    exit 1
fi
bash scripts/configure.sh build-mingw --toolchain cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DTQ530_WERROR=ON \
    -DTQ530_QT=OFF -DTQ530_GUI=OFF -DBUILD_TESTING=OFF
# Ninja's progress lines say nothing here; warnings and errors do.
cmake --build build-mingw -j"$(nproc)" |
    { grep -vE '^\[[0-9]+/[0-9]+\] |^ninja: no work to do' || true; }
programs=$(find build-mingw/layer-checks -name '*.exe' | wc -l)
cli=build-mingw/bin/tq530-cli.exe
if ! file "$cli" | grep -q 'PE32+ executable'; then
    echo "check-mingw: $cli is not a 64-bit Windows program" >&2
    exit 1
fi
echo "mingw check: $programs Qt-free layer libraries link for Windows; so does $cli"
