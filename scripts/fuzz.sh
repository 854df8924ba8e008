#!/usr/bin/env bash
# Runs every libFuzzer target in fuzz/ for SECONDS each (default 60), built with clang into
# build-fuzz/. Each starts from the corpus kept in fuzz/corpus/<target>; what it learns stays
# in build-fuzz/corpus/<target>, what it finds lands in build-fuzz/findings/<target>/. Ends
# non-zero when any target found something: copy the input into fuzz/corpus/<target> with
# the fix, so that the test suite replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
targets=(fuzz_settings_file fuzz_image_file fuzz_report fuzz_protocol)
bash scripts/deps.sh --test
if ! command -v clang++ >/dev/null; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq clang >/dev/null
fi
# Only the Qt-free layers and the fuzz targets.
CC=clang CXX=clang++ bash scripts/configure.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTQ530_WERROR=ON -DTQ530_FUZZ=ON -DBUILD_TESTING=OFF -DTQ530_QT=OFF -DTQ530_GUI=OFF \
    -DTQ530_SIMULATOR=OFF
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

status=0
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$target"
    findings="build-fuzz/findings/$target"
    mkdir -p "$corpus" "$findings"
    cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
    log="build-fuzz/$target.log"
    echo "== $target: $seconds s"
    if ! "build-fuzz/tests-bin/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1; then
        echo "$target: FINDING (see $log and $findings/)"
        status=1
    fi
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|Done [0-9]+ runs" "$log" || true
    echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
done
exit "$status"
