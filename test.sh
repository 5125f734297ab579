#!/usr/bin/env bash
# Installs what the build needs (as root on Debian), builds, and runs every test twice:
# once in build/, once under AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/.
set -uo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libncurses-dev tmux qt6-base-dev fonts-wine fonts-liberation2)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; then
        echo "test.sh: installing ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq || true
        apt-get install -y -qq "${missing[@]}" || { echo "test.sh: apt-get install failed"; exit 1; }
    else
        echo "test.sh: missing packages; run: sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
fi

jobs=$(nproc 2>/dev/null || echo 2)
status=0

run_suite() {
    local dir=$1; shift
    echo "== $dir: configure"
    cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log"; return 1; }
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
