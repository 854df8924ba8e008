#!/usr/bin/env bash
# Fault soak: N transfers (read, program, the three clears) of tq530-cli against nr6120-sim
# with random faults, cable pulls and Ctrl+C, output-side faults (FIFO, full disk, read-only
# folders, /dev/full) and two transfers at once; a table of outcomes at the end, status 1 on
# any crash, hang, wrong byte or lost backup. Options after N: --seed S, --jobs J, --verbose,
# --keep. Run as root for the full-disk and read-only faults (it mounts two small tmpfs).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
    echo "usage: scripts/soak.sh N [--seed S] [--jobs J] [--verbose] [--keep]" >&2
    exit 2
fi
bash scripts/build.sh >/dev/null
exec python3 scripts/soak.py "$@"
