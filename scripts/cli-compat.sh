#!/usr/bin/env bash
# Compares two builds of tq530-cli over a few hundred data sets of our own making: runs
# new, convert, report and dump with both and compares the files they leave, stdout, stderr
# and the exit status byte for byte. The inputs come from a fixed seed, so every run makes
# the same ones: images with random bytes and valid or broken model words or lengths,
# settings files written by OLD from them, and settings files with changed values, missing
# keys, odd blanks and a wrong model type.
#   usage: scripts/cli-compat.sh OLD_BIN_DIR NEW_BIN_DIR [SEED]
# Prints "N passed, M failed"; exit status 1 when any case differs.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OLD_BIN_DIR NEW_BIN_DIR [SEED]" >&2; exit 2; }
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
seed=${3:-6120}
for b in "$old" "$new"; do
    [ -x "$b/tq530-cli" ] || { echo "no tq530-cli in $b" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tq530-compat.XXXXXX")
trap 'rm -rf "$work"' EXIT
inputs=$work/inputs
mkdir -p "$inputs" "$work/prog1" "$work/prog2" "$work/home"

# The per-user settings of the run: empty, and the same for both builds.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export LC_ALL=C

# Program folders: model 1 with ATIS; models 1 and 11 with destination files for both.
printf '[model1]\r\nuse=1\r\natis=true\r\n' >"$work/prog1/global.ini"
printf '[model1]\r\nuse=1\r\natis=false\r\n[model2]\r\nuse=0\r\n[model3]\r\nuse=1\r\n' \
    >"$work/prog2/global.ini"
"$old/tq530-cli" --program-dir "$work/prog1" new "$inputs/default.hex" 2>/dev/null

python3 - "$inputs" "$seed" <<'PY'
import os, random, sys
out, seed = sys.argv[1], int(sys.argv[2])
rnd = random.Random(seed)
base = bytearray(open(os.path.join(out, "default.hex"), "rb").read())

def save(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(bytes(data))

def words(img, first=0x17E8, last=0x17E8):
    img[0:2] = first.to_bytes(2, "big")
    img[-2:] = last.to_bytes(2, "big")
    return img

for i in range(40):  # the default image with some bytes changed, model words kept
    img = bytearray(base)
    for _ in range(rnd.choice([1, 5, 40, 400])):
        img[rnd.randrange(2, len(img) - 2)] = rnd.randrange(256)
    save("edit%02d.hex" % i, img)
for i in range(25):  # random bytes throughout
    img = words(bytearray(rnd.randrange(256) for _ in range(8192)))
    save("rand%02d.hex" % i, img)
for i in range(10):  # every byte one of 0x00, 0xFF, 0x7F, 0x80
    img = words(bytearray(rnd.choice([0, 0xFF, 0x7F, 0x80]) for _ in range(8192)))
    save("edge%02d.hex" % i, img)
bad = [words(bytearray(base), 0x17E9, 0x17E8), words(bytearray(base), 0x17E8, 0),
       words(bytearray(base), 0x1234, 0x1234), bytearray(base[:8191]), bytearray(base) + b"\0",
       bytearray(), bytearray(b"\xff" * 16384)]
for i, img in enumerate(bad):
    save("bad%02d.hex" % i, img)
PY

# Settings files written by OLD from the accepted images, then mutated copies of them.
for f in "$inputs"/edit0*.hex "$inputs"/rand0*.hex "$inputs"/edge0[0-4].hex; do
    "$old/tq530-cli" --program-dir "$work/prog1" convert "$f" "${f%.hex}.dat" 2>/dev/null || true
done
python3 - "$inputs" "$seed" <<'PY'
import glob, os, random, sys
out, seed = sys.argv[1], int(sys.argv[2])
rnd = random.Random(seed + 1)
sources = sorted(glob.glob(os.path.join(out, "*.dat")))
values = ["0", "1", "-1", "255", "256", "-32769", "99999", "1.5", "abc", "", " 7 ", "#12",
          "156.0500", "0x10", "1e3", "ÿ", "\t3"]

def lines_of(path):
    return open(path, "rb").read().decode("latin-1").split("\r\n")

def save(name, lines, eol="\r\n"):
    with open(os.path.join(out, name), "wb") as f:
        f.write(eol.join(lines).encode("latin-1"))

for i in range(60):
    lines = lines_of(rnd.choice(sources))
    kind = i % 6
    if kind == 0:    # changed values
        for _ in range(rnd.choice([1, 10, 100])):
            k = rnd.randrange(len(lines))
            if "=" in lines[k]:
                lines[k] = lines[k].split("=", 1)[0] + "=" + rnd.choice(values)
    elif kind == 1:  # missing keys, or a missing section header
        for _ in range(rnd.choice([1, 20, 300])):
            if len(lines) > 1:
                del lines[rnd.randrange(len(lines))]
    elif kind == 2:  # odd blanks around keys, values and section names
        for _ in range(rnd.choice([5, 50, 500])):
            k = rnd.randrange(len(lines))
            pad = rnd.choice([" ", "  ", "\t", " \t"])
            where = rnd.randrange(3)
            if where == 0:
                lines[k] = pad + lines[k]
            elif where == 1:
                lines[k] = lines[k] + pad
            else:
                lines[k] = lines[k].replace("=", pad + "=" + pad, 1)
    elif kind == 3:  # the model type
        mt = rnd.choice(["11", "2", "", "1.4", "0", "#1", " 1", "x"])
        lines = [("MODELTYPE=" + mt) if l.startswith("MODELTYPE=") else l for l in lines]
    elif kind == 4:  # long, odd and non-ASCII texts in names and numbers
        for _ in range(30):
            k = rnd.randrange(len(lines))
            if "=" in lines[k]:
                text = "".join(chr(rnd.choice([32, 35, 45, 48, 65, 90, 122, 127, 160, 255]))
                               for _ in range(rnd.randrange(0, 20)))
                lines[k] = lines[k].split("=", 1)[0] + "=" + text
    else:            # duplicated lines, LF ends, a cut-off file
        for _ in range(20):
            k = rnd.randrange(len(lines))
            lines.insert(k, lines[k])
        if rnd.random() < 0.5:
            save("mut%02d.dat" % i, lines, "\n")
            continue
        lines = lines[: rnd.randrange(1, len(lines))]
    save("mut%02d.dat" % i, lines)
save("empty.dat", [""], "")
with open(os.path.join(out, "binary.dat"), "wb") as f:
    f.write(bytes(rnd.randrange(256) for _ in range(3000)))
PY

# The destination files of prog2: model 1 gets two markets, one of them broken.
cp "$inputs/edit01.hex" "$work/prog2/usa_17E8.ini"
cp "$inputs/edit02.hex" "$work/prog2/eur_17E8.INI"
cp "$inputs/bad00.hex" "$work/prog2/nz_17E8.ini"
cp "$inputs/edit03.hex" "$work/prog2/usa-M_17E8.ini"

cases=$work/cases
: >"$cases"
add() { printf '%s\n' "$*" >>"$cases"; }
for f in "$inputs"/*.hex; do
    n=$(basename "$f" .hex)
    add "convert in/$n.hex out.dat"
    add "convert in/$n.hex out.txt"
    add "convert in/$n.hex out.hex"
    add "report in/$n.hex"
    add "dump in/$n.hex"
done
for f in "$inputs"/*.dat; do
    n=$(basename "$f" .dat)
    add "convert in/$n.dat out.hex"
    add "convert in/$n.dat out.txt"
    add "convert in/$n.dat out.dat"
    add "report in/$n.dat out.txt"
done
for opts in "" "--atis on" "--atis off" "--model-type 1" "--model-type 11" "--model-type 3" \
    "--model-type 0" "--model-type x" "--diagnostic"; do
    for ext in hex dat txt; do
        add "$opts new out.$ext"
        add "--program-dir PROG2 $opts new out.$ext"
    done
    add "--program-dir PROG2 $opts report in/edit05.hex"
    add "--program-dir PROG2 $opts convert in/mut00.dat out.dat"
done
add "new out.bin"
add "new missing/out.hex"
add "convert in/none.hex out.dat"
add "convert in out.dat"
add "convert in/edit00.hex in"
add "report"
add "dump in/edit00.dat"
add "dump"
add "--bogus new out.hex"

# Lists every file under the current folder with its bytes; err.log without its time stamps.
snapshot() {
    find . -type f | sort | while read -r f; do
        echo "== $f"
        if [ "${f##*/}" = err.log ]; then
            sed -E 's/^[0-9]{4}-[0-9]{2}-[0-9]{2},[0-9]{2}:[0-9]{2}:[0-9]{2}:/<time>:/' "$f"
        else
            od -An -tx1 -v "$f"
        fi
    done
}

# Runs one case with one build in fresh folders; leaves what it saw in $3.
run() {  # bin, case, result folder
    local bin=$1 args=$2 res=$3
    rm -rf "$work/run" "$work/prog1run" "$work/prog2run"
    mkdir -p "$work/run" "$res"
    cp -r "$work/prog1" "$work/prog1run"
    cp -r "$work/prog2" "$work/prog2run"
    ln -s "$inputs" "$work/run/in"
    if [[ $args == *PROG2* ]]; then
        args=${args//PROG2/$work/prog2run}
    else
        args="--program-dir $work/prog1run $args"
    fi
    local status=0
    # shellcheck disable=SC2086
    (cd "$work/run" && "$bin/tq530-cli" $args >"$res/stdout" 2>"$res/stderr" </dev/null) ||
        status=$?
    echo "$status" >"$res/status"
    rm -f "$work/run/in"
    (cd "$work/run" && snapshot) >"$res/files"
    (cd "$work/prog1run" && snapshot) >"$res/prog1"
    (cd "$work/prog2run" && snapshot) >"$res/prog2"
}

declare -A statuses
passed=0
failed=0
i=0
while IFS= read -r args; do
    i=$((i + 1))
    run "$old" "$args" "$work/old"
    run "$new" "$args" "$work/new"
    statuses[$(cat "$work/old/status")]=$((${statuses[$(cat "$work/old/status")]:-0} + 1))
    if diff -r "$work/old" "$work/new" >"$work/diff" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "case $i differs: tq530-cli $args" >&2
        head -20 "$work/diff" >&2
    fi
    rm -rf "$work/old" "$work/new"
done <"$cases"
for s in $(printf '%s\n' "${!statuses[@]}" | sort -n); do
    echo "exit status $s: ${statuses[$s]} cases"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
