#!/usr/bin/env bash
# Starts Zelt GUI against a simulated probe on COM5, in a private COM folder.
#   ./run.sh                      builds what is missing, starts zelt-sim and Zelt GUI
#   ./run.sh -- [zelt-sim options] the same, with options for the simulated probe
#   ./run.sh --real               Zelt GUI on the real serial ports, no simulator
set -uo pipefail
cd "$(dirname "$0")"

build_dir=${ZELT_BUILD_DIR:-build}
real=0
sim_args=()
while (($#)); do
    case $1 in
    --real) real=1 ;;
    --) shift; sim_args=("$@"); break ;;
    -h | --help)
        sed -n '2,5s/^# \{0,1\}//p' "$0"
        exit 0 ;;
    *) echo "run.sh: unknown option $1 (try --help)" >&2; exit 2 ;;
    esac
    shift
done

# The dialog needs somewhere to show: a desktop session or an interactive terminal.
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]] && ! [[ -t 0 && -t 1 ]]; then
    echo "run.sh: needs a terminal or a graphical display (DISPLAY or WAYLAND_DISPLAY) to show Zelt GUI" >&2
    exit 1
fi

source tools/debian-deps.sh
ensure_packages run.sh "${ZELT_RUN_PACKAGES[@]}" || exit 1

if [[ ! -f $build_dir/build.ninja ]]; then
    cmake -S . -B "$build_dir" -G Ninja >/dev/null || { echo "run.sh: configuring failed" >&2; exit 1; }
fi
targets=(zelt-gui)
((real)) || targets+=(zelt-sim)
cmake --build "$build_dir" --target "${targets[@]}" >"$build_dir/run-build.log" 2>&1 || {
    tail -n 30 "$build_dir/run-build.log" >&2
    echo "run.sh: building ${targets[*]} failed (full log: $build_dir/run-build.log)" >&2
    exit 1
}

find_program() {
    find "$build_dir" -maxdepth 3 -type f -name "$1" -perm -u+x -print -quit
}
gui=$(find_program zelt-gui)
[[ -n $gui ]] || { echo "run.sh: zelt-gui was not built" >&2; exit 1; }

if ((real)); then
    exec "$gui"
fi

sim=$(find_program zelt-sim)
[[ -n $sim ]] || { echo "run.sh: zelt-sim was not built" >&2; exit 1; }

ports=$(mktemp -d "${TMPDIR:-/tmp}/zelt-ports.XXXXXX")
sim_pid=
cleanup() {
    if [[ -n $sim_pid ]]; then
        kill "$sim_pid" 2>/dev/null
        wait "$sim_pid" 2>/dev/null
    fi
    rm -rf "$ports"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$sim" --ports-dir "$ports" --com 5 --log "$ports/zelt-sim.log" "${sim_args[@]}" \
    </dev/null >"$ports/zelt-sim.out" 2>&1 &
sim_pid=$!

for _ in $(seq 100); do
    [[ -L $ports/com5 ]] && break
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        cat "$ports/zelt-sim.out" >&2
        echo "run.sh: zelt-sim did not start" >&2
        exit 1
    fi
    sleep 0.05
done
[[ -L $ports/com5 ]] || { echo "run.sh: zelt-sim did not map COM5" >&2; exit 1; }

COMLINK_PORTS=$ports "$gui"
