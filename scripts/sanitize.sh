#!/usr/bin/env bash
# Builds the project a second time with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole test suite there. Every program the tests start (the CLI,
# the simulator) is instrumented too. AddressSanitizer writes its reports into files, so a
# finding in any of them fails the run even where the test that started it only looked at
# its exit status; UndefinedBehaviorSanitizer ends the program with status 86 (its report on
# the program's stderr), which no test takes for an answer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --test
bash scripts/configure.sh build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" -DTQ530_WERROR=ON \
    -DBUILD_TESTING=ON -DTQ530_BENCHMARKS=OFF -DTQ530_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"

logs="$PWD/build-asan/sanitizer-logs"
rm -rf "$logs"
mkdir -p "$logs"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:log_path=$logs/asan:exitcode=86"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:exitcode=86"
export LSAN_OPTIONS="suppressions=$PWD/scripts/sanitizers/lsan.supp:print_suppressions=0"
status=0
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@") ||
    status=$?
# The gallery opens every dialog once more: instrumented, that finds what no test opened.
QT_QPA_PLATFORM=offscreen build-asan/tests-bin/tq530-gallery build-asan/gallery || status=$?
if compgen -G "$logs/*" >/dev/null; then
    echo "sanitizer findings:"
    cat "$logs"/*
    status=1
fi
if [ "$status" -eq 0 ]; then
    echo "sanitizer run: clean"
fi
exit "$status"
