#!/bin/sh
# Sets up a Debian 12 machine for the two games, builds and runs them.
#
#   ./setup.sh play        install what is missing, build (release), start the
#                          jigsaw game (on the bundled sample puzzle the first time)
#   ./setup.sh test        install what is missing, build (debug), run every test
#   ./setup.sh minefield   install what is missing, build (release), start the
#                          mine-field game
#   ./setup.sh asan        every test under the address and undefined-behaviour
#                          sanitizers
#   ./setup.sh bench       the benchmarks (release build)
#   ./setup.sh deps        only install what is missing
#
# Needs nothing but a base system: the packages of tools/debian-packages.txt
# that are not installed yet are installed with apt-get, through sudo when not
# run as root. JOBS sets the number of parallel compile jobs (default: the
# number of processors).
set -eu
cd "$(dirname "$0")"

usage() {
    sed -n '3,13s/^# \{0,1\}//p' "$0" >&2
    exit 2
}

[ $# -eq 1 ] || usage
command=$1
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "setup.sh: installing packages needs root rights; run this as root or install sudo" >&2
        exit 1
    fi
}

install_missing() {
    missing=""
    for pkg in $(grep -v '^[[:space:]]*#' tools/debian-packages.txt); do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $pkg"
        fi
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
}

# Configures a preset once; an existing build folder keeps its options.
configure() {
    [ -f "build/$1/build.ninja" ] || cmake --preset "$1"
}

# The game needs a display; without one, say so instead of a toolkit error.
need_display() {
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
        echo "setup.sh: built $1, but there is no display to show it on (DISPLAY is not set)" >&2
        exit 1
    fi
}

case "$command" in
    deps)
        install_missing
        ;;
    play)
        install_missing
        configure release
        # Only the game, its data and the sample puzzles: no tests.
        cmake --build --preset release -j "$jobs" --target quorvane_dist
        need_display build/release/bin/qvrk32
        # Without a file the game opens the sample the first time (at about
        # 100 pieces) and the game left off on later runs.
        exec build/release/bin/qvrk32
        ;;
    minefield)
        install_missing
        configure release
        cmake --build --preset release -j "$jobs" --target mvro
        need_display build/release/bin/mvro
        exec build/release/bin/mvro
        ;;
    test)
        install_missing
        configure debug
        cmake --build --preset debug -j "$jobs"
        ctest --preset debug -j "$jobs"
        ;;
    asan)
        install_missing
        configure asan
        cmake --build --preset asan -j "$jobs"
        ctest --preset asan -j "$jobs"
        ;;
    bench)
        install_missing
        configure release
        cmake --build --preset release -j "$jobs"
        for b in build/release/bin/*_bench; do
            echo "== $b"
            "$b"
        done
        ;;
    *)
        usage
        ;;
esac
