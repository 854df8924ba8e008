#!/usr/bin/env bash
# usage: check_mime.sh BIN_DIR PACKAGING_DIR
# Installs the MIME types into a scratch data folder and asks GLib, as a file manager does,
# what the data sets tq530-cli writes are: ours by name and by content, and the desktop
# entry offers tq530 for exactly those types.
set -euo pipefail
bin=$(readlink -f "$1")
packaging=$(readlink -f "$2")
for tool in update-mime-database gio; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh --test)"; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/tq530-mime.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/share/mime/packages"
cp "$packaging/org.tq530.TQ530.mime.xml" "$work/share/mime/packages/"
export XDG_DATA_DIRS=$work/share:/usr/share XDG_DATA_HOME=$work/home
export XDG_CONFIG_HOME=$work/config
update-mime-database "$work/share/mime"

"$bin/tq530-cli" --program-dir "$bin" new "$work/boat.dat"
"$bin/tq530-cli" --program-dir "$bin" new "$work/boat.hex"
cp "$work/boat.dat" "$work/settings-without-extension"
cp "$work/boat.hex" "$work/image-without-extension"
printf 'not ours\n' >"$work/other.txt"

status=0
expect() {
    local type
    type=$(gio info -a standard::content-type "$work/$1" | awk '/content-type:/ { print $2 }')
    if [ "$type" != "$2" ]; then
        echo "$1: $type, expected $2"
        status=1
    fi
}
expect boat.dat application/x-tq530-settings
expect boat.hex application/x-tq530-image
expect settings-without-extension application/x-tq530-settings
expect image-without-extension application/x-tq530-image
expect other.txt text/plain

declared=$(grep -o 'mime-type type="[^"]*"' "$packaging/org.tq530.TQ530.mime.xml" |
    cut -d'"' -f2 | sort | tr '\n' ';')
offered=$(sed -n 's/^MimeType=//p' "$packaging/org.tq530.TQ530.desktop" | tr ';' '\n' |
    grep . | sort | tr '\n' ';')
if [ "$declared" != "$offered" ]; then
    echo "the desktop entry offers $offered, the MIME file declares $declared"
    status=1
fi
[ "$status" -eq 0 ] && echo "the data sets are known by name and by content"
exit "$status"
