#!/usr/bin/env bash
# Starts the real tq530 under Xvfb, waits for its main window and closes it through
# File > Exit with the keyboard. Nothing was changed, so no question may hold it open; the
# window position it stores on the way out shows that it went through its orderly close.
set -euo pipefail
bin="$1"
for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh installs it)"; exit 1; }
done
home="$(mktemp -d "${TMPDIR:-/tmp}/tq530-smoke.XXXXXX")"
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config"
unset TQ530_COM1
# The real program on the X server, whatever platform the other GUI tests chose.
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -u
    "$1/tq530" &
    pid=$!
    wid=$(timeout 20 xdotool search --sync --name "^TQ530  PC Program for NR6120$" | head -1)
    if [ -z "$wid" ]; then echo "no main window"; kill "$pid"; exit 1; fi
    xdotool windowfocus --sync "$wid"
    sleep 0.3
    xdotool key --clearmodifiers alt+f
    sleep 0.3
    xdotool key x
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then echo "still running after File > Exit"; kill "$pid"; exit 1; fi
    wait "$pid"
' smoke "$bin"
conf="$XDG_CONFIG_HOME/TQ530/TQ530.conf"
grep -q "^MainWidth=" "$conf" || { echo "no window geometry in $conf"; exit 1; }
echo "tq530 started and closed through File > Exit"
