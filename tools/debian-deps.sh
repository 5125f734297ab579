# Debian packages the build needs, and the check that installs the missing ones.
# Sourced by run.sh and test.sh.

ZELT_RUN_PACKAGES=(cmake ninja-build g++ pkg-config libncurses-dev qt6-base-dev fonts-wine
                   fonts-liberation2)
ZELT_TEST_PACKAGES=("${ZELT_RUN_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev tmux)

# ensure_packages <who> <package...>: installs the missing ones with apt-get when run as root,
# else prints the command to run. Returns non-zero when something is still missing.
ensure_packages() {
    local who=$1; shift
    local missing=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    ((${#missing[@]})) || return 0
    if ! command -v dpkg-query >/dev/null; then
        echo "$who: not a Debian system; install the equivalents of: ${missing[*]}" >&2
        return 1
    fi
    if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; then
        echo "$who: installing ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq || true
        apt-get install -y -qq "${missing[@]}" || {
            echo "$who: apt-get install failed" >&2
            return 1
        }
        return 0
    fi
    echo "$who: missing packages; run: sudo apt-get install -y ${missing[*]}" >&2
    return 1
}
