#!/bin/sh
# Plays a game for SECONDS with random input from SEED on a virtual X
# display with a window manager, in a fresh portable copy of the game's
# folder, and fails on the first finding. The seed is printed; the same seed
# replays the run (as far as the game's timing allows).
#
#   tools/monkey/run.sh qvrk32|mvro SECONDS [SEED]
#   tools/monkey/run.sh --seed    (the seed a run would take now)
#
# MONKEY_BIN: the folder of the built programs (default build/asan/bin).
# MONKEY_KEEP=1 keeps the temporary folder of a clean run too.
set -eu
cd "$(dirname "$0")/../.."
root=$(pwd)
# A seed from the clock (MONKEY_CLOCK stands for `date +%s%N` in tests).
# Its leading zeros go first: the shell reads "0084..." as an octal number,
# and fails on its 8s and 9s.
fresh_seed() {
    digits=$(echo "${MONKEY_CLOCK:-$(date +%s%N)}" | cut -c7-16 | sed 's/^0*//')
    echo $(( ${digits:-0} % 4000000000 + 1 ))
}
# --seed: print the seed a run would take, and stop.
if [ "${1:-}" = --seed ]; then
    fresh_seed
    exit 0
fi
if [ $# -lt 2 ] || { [ "$1" != qvrk32 ] && [ "$1" != mvro ]; }; then
    echo "usage: tools/monkey/run.sh qvrk32|mvro SECONDS [SEED]" >&2
    exit 2
fi
game=$1
seconds=$2
seed=${3:-$(fresh_seed)}
bin=${MONKEY_BIN:-build/asan/bin}
case $bin in /*) ;; *) bin=$root/$bin ;; esac
for program in "$game" monkey puzdump; do
    if [ ! -x "$bin/$program" ]; then
        echo "monkey: $bin/$program is missing (cmake --preset asan && cmake --build --preset asan --target qvrk32 mvro puzdump monkey sample_puzzles jigsaw_textures)" >&2
        exit 2
    fi
done
if [ "$game" = qvrk32 ] && ! ls "$bin"/*.puz >/dev/null 2>&1; then
    echo "monkey: note: no sample puzzles in $bin (target sample_puzzles); the game starts without a puzzle"
fi

tmp=$(mktemp -d /tmp/monkey.XXXXXX)
prog=$tmp/prog
mkdir -p "$prog" "$tmp/home" "$tmp/run" "$tmp/stubs" "$tmp/logs"
chmod 755 "$tmp"
xvfb_pid=""
wm_pid=""
cleanup() {
    status=$?
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    if [ "$status" -eq 0 ] && [ "${MONKEY_KEEP:-0}" != 1 ]; then
        rm -rf "$tmp"
    else
        echo "monkey: logs and the game's folder are kept in $tmp"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The game's folder: its data files and the program itself; no test programs.
for f in "$bin"/*; do
    name=$(basename "$f")
    if [ -d "$f" ]; then
        cp -rL "$f" "$prog/"
    elif [ ! -x "$f" ] || [ "$name" = "$game" ]; then
        cp "$f" "$prog/"
    fi
done
# Pictures to make puzzles from, and one that is no picture.
cp jigsaw/resources/pictures/*.jpg jigsaw/resources/pictures/*.png "$prog/" 2>/dev/null || true
printf 'BM not really a bitmap' >"$prog/broken.bmp"

# Help pages and web links open no browser: they are noted.
cat >"$tmp/stubs/xdg-open" <<EOF
#!/bin/sh
echo "\$*" >>"$tmp/logs/opened-urls.log"
EOF
chmod 755 "$tmp/stubs/xdg-open"
chmod 777 "$tmp/logs"

# As root, the game runs as nobody: it may write only into its own folder.
user=""
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
    user=nobody
    chown -R nobody "$prog" "$tmp/home" "$tmp/run"
fi
chmod 700 "$tmp/run"

# A free display from :20 on (others use lower numbers).
display=""
n=20
while [ $n -lt 100 ]; do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$tmp/logs/xvfb.log" 2>&1 &
        xvfb_pid=$!
        i=0
        while [ $i -lt 50 ] && kill -0 "$xvfb_pid" 2>/dev/null && [ ! -e "/tmp/.X11-unix/X$n" ]; do
            sleep 0.1
            i=$((i + 1))
        done
        if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            display=":$n"
            break
        fi
        kill "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
    n=$((n + 1))
done
if [ -z "$display" ]; then
    echo "monkey: no free X display between :20 and :99" >&2
    exit 2
fi
export DISPLAY="$display"
openbox >"$tmp/logs/openbox.log" 2>&1 &
wm_pid=$!
i=0
while [ $i -lt 50 ] && ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    sleep 0.1
    i=$((i + 1))
done

cat tools/lsan.supp tools/monkey/lsan.supp >"$tmp/lsan.supp"
symbolizer=$(command -v llvm-symbolizer || true)
export GAME_ASAN_OPTIONS="detect_leaks=1:handle_abort=1:symbolize=1"
export GAME_UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export GAME_LSAN_OPTIONS="suppressions=$tmp/lsan.supp"
export ASAN_OPTIONS="detect_leaks=0"
[ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH="$symbolizer"
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy QT_ACCESSIBILITY=0 NO_AT_BRIDGE=1 LANG=C.UTF-8
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share"
export XDG_CACHE_HOME="$tmp/home/.cache" XDG_RUNTIME_DIR="$tmp/run" BROWSER="$tmp/stubs/xdg-open"
export PATH="$tmp/stubs:$PATH"

echo "monkey: $game on $display for $seconds s, seed $seed (replay: tools/monkey/run.sh $game $seconds $seed)"
"$bin/monkey" --game "$game" --folder "$prog" --seconds "$seconds" --seed "$seed" --logs "$tmp/logs" \
    --puzdump "$bin/puzdump" --user "$user"
