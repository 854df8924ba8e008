#!/usr/bin/env bash
# Every C++ file of ours as clang-format writes it (.clang-format at the top of the tree).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! find src tests tools fuzz bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run -Werror; then
    echo "format check failed: run clang-format -i on the files above" >&2
    exit 1
fi
echo "format check: clean"
