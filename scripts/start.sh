#!/usr/bin/env bash
# Installs what building and running need, builds, and starts the window program. With no radio
# port set up (TQ530_COM1 unset) it first starts the radio simulator on a pseudo-terminal and
# points COM1 at it, so that a radio can be read and programmed straight away. Without a display
# it runs the command-line demonstration instead: it programs the start-up data set into the
# simulated radio, reads it back and prints the settings report.
set -euo pipefail
cd "$(dirname "$0")/.."
TQ530_BUILD_TESTING=OFF bash scripts/build.sh

work="$(mktemp -d "${TMPDIR:-/tmp}/tq530-start.XXXXXX")"
sim=""
cleanup() {
    if [ -n "$sim" ]; then
        kill "$sim" 2>/dev/null || true
        wait "$sim" 2>/dev/null || true
    fi
}
trap cleanup EXIT

port="${TQ530_COM1:-}"
if [ -z "$port" ]; then
    build/bin/nr6120-sim --image "$work/radio.bin" --link "$work/radio.tty" >/dev/null &
    sim=$!
    for _ in $(seq 50); do [ -e "$work/radio.tty" ] && break; sleep 0.1; done
    port="$(readlink -f "$work/radio.tty")"
    note="COM1: radio simulator on $port"
    echo "No radio set up: $note (TQ530_COM1)"
fi

if [ -x build/bin/tq530 ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    TQ530_COM1="$port" TQ530_START_NOTE="${note:-}" build/bin/tq530 "$@"
    exit
fi
if [ -x build/bin/tq530 ]; then
    echo "No display (DISPLAY or WAYLAND_DISPLAY unset): running the command-line demonstration"
fi
cli() { build/bin/tq530-cli --program-dir build/bin "$@"; }
cli new "$work/start.dat"
cli program --port "$port" "$work/start.dat"
cli read --port "$port" "$work/radio.dat"
cli report "$work/radio.dat"
echo "Data sets in $work"
