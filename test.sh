#!/usr/bin/env bash
# Installs what the build needs (as root on Debian), builds, and runs every test twice:
# once in build/, once under AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/.
set -uo pipefail
cd "$(dirname "$0")"

source tools/debian-deps.sh
ensure_packages test.sh "${ZELT_TEST_PACKAGES[@]}" || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
status=0

run_suite() {
    local dir=$1; shift
    echo "== $dir: configure"
    cmake -S . -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 ||
        { cat "$dir/configure.log"; return 1; }
    echo "== $dir: build"
    cmake --build "$dir" -j "$jobs" || return 1
    echo "== $dir: test"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

mkdir -p build build-asan
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo || status=1
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DZELT_SANITIZE=ON -DZELT_BUILD_BENCH=OFF ||
    status=1

if ((status)); then
    echo "test.sh: FAILED"
else
    echo "test.sh: all tests passed"
fi
exit $status
