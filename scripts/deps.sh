#!/usr/bin/env bash
# Installs the Debian packages that are missing: those that building and running the programs
# need; with --package also those that make the Debian package (scripts/package.sh); with
# --test also those of the test suite (GoogleTest, Google Benchmark, the tools the tests run:
# Xvfb, xdotool, pdftotext, the MinGW-w64 cross-compiler, clang-format, and the checkers of the
# package, the desktop entry, the AppStream metadata and the MIME types).
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config libcli11-dev
    qt6-base-dev qt6-serialport-dev libgl1-mesa-dev
)
package_tools=(dpkg-dev file gzip)
if [ "${1:-}" = "--package" ]; then
    packages+=("${package_tools[@]}")
elif [ "${1:-}" = "--test" ]; then
    packages+=(
        libgtest-dev googletest libbenchmark-dev poppler-utils
        xvfb xauth xdotool clang-format time locales
        g++-mingw-w64-x86-64 python3
        "${package_tools[@]}" lintian desktop-file-utils appstream shared-mime-info
        libglib2.0-bin
    )
elif [ $# -gt 0 ]; then
    echo "usage: $0 [--package|--test]" >&2
    exit 2
fi
# One question to dpkg for all of them keeps a build with nothing to do quick.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
    awk '/ ok installed$/ { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
    grep -qxF -- "$p" <<<"$installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
