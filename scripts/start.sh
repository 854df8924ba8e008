#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Until the window program exists
# this runs the command-line tool against the radio simulator: it programs the start-up data
# set into a simulated radio, reads it back and prints the settings report.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
if [ -x build/bin/tq530 ]; then
    exec build/bin/tq530 "$@"
fi
work="$(mktemp -d "${TMPDIR:-/tmp}/tq530-start.XXXXXX")"
cli() { build/bin/tq530-cli --program-dir build/bin "$@"; }
port="${TQ530_COM1:-}"
if [ -z "$port" ]; then
    build/bin/nr6120-sim --image "$work/radio.bin" --link "$work/radio.tty" >/dev/null &
    sim=$!
    trap 'kill "$sim" 2>/dev/null || true' EXIT
    for _ in $(seq 50); do [ -e "$work/radio.tty" ] && break; sleep 0.1; done
    port="$work/radio.tty"
    echo "No radio set up (TQ530_COM1): using the radio simulator on $port"
fi
cli new "$work/start.dat"
cli program --port "$port" "$work/start.dat"
cli read --port "$port" "$work/radio.dat"
cli report "$work/radio.dat"
echo "Data sets in $work"
