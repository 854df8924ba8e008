#!/usr/bin/env bash
# Proof that the Qt-free core stays portable: compiles every source file of the layers below
# the front ends with MinGW-w64 for 64-bit Windows, warnings as errors, into a static archive,
# and links the archive whole into a program.
# The Qt pieces (qt/ and gui/ folders), the front ends and the tests are not part of it.
set -euo pipefail
cd "$(dirname "$0")/.."

cxx=""
for candidate in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++; do
    if command -v "$candidate" >/dev/null; then
        cxx=$candidate
        break
    fi
done
if [ -z "$cxx" ]; then
    echo "check-mingw: no MinGW-w64 compiler (Debian package g++-mingw-w64-x86-64)" >&2
    exit 1
fi

out=$(mktemp -d "${TMPDIR:-/tmp}/tq530-mingw.XXXXXX")
trap 'rm -rf "$out"' EXIT

mapfile -t sources < <(find src/model src/core src/files src/report src/radio src/app src/editor \
    \( -name qt -o -name gui \) -prune -o -name '*.cpp' -print 2>/dev/null | sort)

export cxx out
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -I{} sh -c \
    '"$cxx" -std=c++17 -O0 -Wall -Wextra -Werror -Wshadow -Wno-unused-parameter -Isrc \
        -c "$1" -o "$out/$(echo "$1" | tr / _).o"' sh {}

x86_64-w64-mingw32-ar qc "$out/libtq530_core.a" "$out"/*.o
# Linking all of it into a program proves every call it makes exists on Windows.
echo 'int main() { return 0; }' >"$out/probe.cpp"
"$cxx" -std=c++17 "$out/probe.cpp" -Wl,--whole-archive "$out/libtq530_core.a" \
    -Wl,--no-whole-archive -static -o "$out/probe.exe"
echo "mingw check: ${#sources[@]} core sources compile and link for Windows ($cxx)"
