#!/usr/bin/env bash
# Builds the Debian package: a tree of its own in build-pkg/ without the tests, the programs
# stripped, the libraries they need found by dpkg-shlibdeps. Prints the package's path as its
# last line. Install it with: sudo apt install ./build-pkg/tq530_*.deb (or dpkg -i).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --package >&2
# The same compiler flags as build/, so that the compiler cache serves most of the build.
bash scripts/configure.sh build-pkg -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTQ530_WERROR=ON \
    -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr >&2
cmake --build build-pkg -j"$(nproc)" >&2
rm -f build-pkg/tq530_*.deb
(cd build-pkg && cpack -G DEB >&2)
readlink -f build-pkg/tq530_*.deb
