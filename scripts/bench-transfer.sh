#!/usr/bin/env bash
# Times a full read, a full program and a program with verify against nr6120-sim pacing its
# bytes at 57600 baud.
# Prints, per transfer, wall time / (wire time + the link's pauses) and CLI CPU time / wall
# time. The pauses are 10 ms before each PC transmission, 1000 ms after the speed switch
# and, for a program, 10 ms for each of the 26 block steps it does not send.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${TQ530_BIN_DIR:-build/bin}
[ -x "$bin/tq530-cli" ] && [ -x "$bin/nr6120-sim" ] || { echo "build first: $bin" >&2; exit 2; }
work=$(mktemp -d /tmp/tq530_bench_XXXXXX)
trap 'rm -rf "$work"' EXIT

"$bin/tq530-cli" new "$work/program.hex" 2>/dev/null
cp "$work/program.hex" "$work/verify.hex"
export XDG_DATA_HOME=$work/data  # the backups of the runs stay out of the user's folder

run() {  # name, skipped steps, cli command and options...
    local name=$1 skipped=$2
    shift 2
    "$bin/nr6120-sim" --pace --stats --image "$work/radio.hex" >"$work/dev" 2>"$work/sim.err" &
    local sim=$!
    for _ in $(seq 100); do [ -s "$work/dev" ] && break; sleep 0.02; done
    local dev
    dev=$(cat "$work/dev")
    /usr/bin/time -o "$work/time" -f "%e %U %S" "$bin/tq530-cli" "$@" --port "$dev" \
        "$work/$name.hex" 2>"$work/cli.err" </dev/null || { cat "$work/cli.err" >&2; }
    local timing
    timing=$(tail -1 "$work/time")
    kill -TERM "$sim"
    wait "$sim" || true
    local stats
    stats=$(grep '^stats:' "$work/sim.err")
    local tx wire
    tx=$(sed -E 's/.*transmissions=([0-9]+).*/\1/' <<<"$stats")
    wire=$(sed -E 's/.*wire_ms=([0-9.]+).*/\1/' <<<"$stats")
    read -r wall user sys <<<"$timing"
    awk -v n="$name" -v wall="$wall" -v user="$user" -v sys="$sys" -v tx="$tx" \
        -v wire="$wire" -v skipped="$skipped" 'BEGIN {
        budget = (wire + 10 * tx + 1000 + 10 * skipped) / 1000
        printf "%-8s wall %6.2f s  budget %6.2f s (wire %5.2f s, %d transmissions)  " \
               "time ratio %.3f  cpu %.2f s  cpu ratio %.3f\n",
               n, wall, budget, wire / 1000, tx, wall / budget, user + sys, (user + sys) / wall
    }' | tee -a "$work/results"
}

run program 26 program
run verify 26 program --verify
run read 0 read
awk '/^program /{p=$3} /^verify /{v=$3} END {printf "verify/program wall time ratio %.2f\n", v/p}' \
    "$work/results"
