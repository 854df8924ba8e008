#!/usr/bin/env bash
# usage: check_deb.sh PACKAGE.deb
# Unpacks the package into an empty folder, as a user's machine would hold it, checks what
# it holds, runs the three programs from there (the window program under Xvfb) and lints it.
# The programs must find global.ini in share/tq530 through the installed-data-folder rule.
set -euo pipefail
deb=$(readlink -f "$1")
for tool in dpkg-deb lintian xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh --test)"; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/tq530-deb.XXXXXX")
sim=""
cleanup() {
    [ -z "$sim" ] || kill "$sim" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }

root=$work/root
mkdir "$root"
dpkg-deb -x "$deb" "$root"
listing=$(dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|')
for path in /usr/bin/tq530 /usr/bin/tq530-cli /usr/bin/nr6120-sim \
    /usr/share/tq530/global.ini /usr/share/tq530/TQ530.html /usr/share/tq530/TQ530_NA.html \
    /usr/share/applications/org.tq530.TQ530.desktop \
    /usr/share/metainfo/org.tq530.TQ530.metainfo.xml \
    /usr/share/mime/packages/org.tq530.TQ530.xml \
    /usr/share/icons/hicolor/scalable/apps/org.tq530.TQ530.svg \
    /usr/share/icons/hicolor/48x48/apps/org.tq530.TQ530.png \
    /usr/share/man/man1/tq530.1.gz /usr/share/man/man1/tq530-cli.1.gz \
    /usr/share/man/man1/nr6120-sim.1.gz \
    /usr/share/doc/tq530/copyright /usr/share/doc/tq530/changelog.gz; do
    grep -qxF "$path" <<<"$listing" || fail "$path is not in the package"
done
# What only the tests use stays out.
! grep -E 'tests?-bin|_tests$|_bench$|fuzz_|layer-checks' <<<"$listing" ||
    fail "test programs in the package"

# A user's own folders, and no display.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
mkdir -p "$HOME"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM TQ530_COM1
bin=$root/usr/bin
cd "$work"

"$bin/tq530-cli" --version | grep -q "GPL-3.0-or-later" || fail "tq530-cli --version"
"$bin/tq530-cli" new x.dat || fail "tq530-cli new (global.ini not found in share/tq530?)"
[ "$(head -c 6 x.dat)" = "[MAIN]" ] || fail "x.dat is no settings file"
"$bin/nr6120-sim" --help | grep -q -- "--image" || fail "nr6120-sim --help"

# A short run: the installed simulator and command line read a radio.
"$bin/nr6120-sim" --image radio.bin --link radio.tty >/dev/null &
sim=$!
for _ in $(seq 50); do [ -e radio.tty ] && break; sleep 0.1; done
"$bin/tq530-cli" read --port "$PWD/radio.tty" radio.hex || fail "tq530-cli read from nr6120-sim"
[ "$(stat -c %s radio.hex)" -eq 8192 ] || fail "radio.hex is not an image"
kill "$sim"
wait "$sim" 2>/dev/null || true
sim=""

"$bin/tq530" --version | grep -q "^tq530 " || fail "tq530 --version without a display"
"$bin/tq530" --help | grep -q -- "--diagnostic" || fail "tq530 --help without a display"
status=0
"$bin/tq530" 2>err.txt || status=$?
[ "$status" -eq 1 ] && grep -q "no display" err.txt || fail "tq530 without a display: $status"

# The window program shows its main window, with the model global.ini offers.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" &
    pid=$!
    wid=$(timeout 20 xdotool search --sync --name "^TQ530  PC Program for NR6120$" | head -1)
    kill "$pid"
    wait "$pid" 2>/dev/null
    [ -n "$wid" ]
' window "$bin/tq530" || fail "tq530 showed no main window under Xvfb"

# An installed program folder is not the user's: err.log goes to the user's data folder.
export XDG_DATA_HOME=$work/user-data
mkdir -m 777 "$XDG_DATA_HOME"
if [ "$(id -u)" -eq 0 ]; then
    chmod -R a+rX "$work"
    chmod a+w "$work"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod a-w "$root/usr/share/tq530"
    as_user=()
fi
"${as_user[@]}" "$bin/tq530-cli" --diagnostic read --port "$work/no-such-tty" out.hex \
    2>/dev/null && fail "a read from no port succeeded"
[ -f "$XDG_DATA_HOME/TQ530/err.log" ] || fail "err.log is not in the user's data folder"
[ ! -e "$root/usr/share/tq530/err.log" ] || fail "err.log in the installed program folder"

# Lintian's errors fail; its warnings are counted.
lint=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
echo "$lint"
errors=$(grep -c '^E: ' <<<"$lint" || true)
warnings=$(grep -c '^W: ' <<<"$lint" || true)
echo "lintian: $errors errors, $warnings warnings"
[ "$errors" -eq 0 ] || fail "lintian found errors"
echo "$(basename "$deb"): unpacked, ran tq530-cli, nr6120-sim and tq530 from it"
