#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Until the window program exists
# this writes the start-up data set with the command-line tool and shows its hex dump.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -x build/bin/tq530 ]; then
    exec build/bin/tq530 "$@"
fi
out="${TMPDIR:-/tmp}/tq530-start.hex"
build/bin/tq530-cli new "$out"
echo "Start-up data set written to $out:"
build/bin/tq530-cli dump "$out"
