#!/bin/bash
# Builds the fuzz targets with clang (libFuzzer, address and undefined-
# behaviour sanitizers, the libraries instrumented for coverage) and runs
# each for TIME seconds, starting from its seed corpus.
#
#   fuzz/run.sh TIME [TARGET ...]
#
# Environment: FUZZ_BUILD_DIR (build/fuzz), FUZZ_PARALLEL (targets run at
# once, 2), FUZZ_JOBS (build jobs, 2), CC/CXX (clang-14/clang++-14).
# New inputs go to $FUZZ_BUILD_DIR/work/<target>, crashes and their inputs
# to $FUZZ_BUILD_DIR/artifacts, logs to $FUZZ_BUILD_DIR/logs. Exits non-zero
# when any target found a crash, a leak, a timeout or ran out of memory.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

if [ $# -lt 1 ] || ! [ "$1" -gt 0 ] 2>/dev/null; then
    echo "usage: fuzz/run.sh TIME [TARGET ...]" >&2
    exit 2
fi
time_s=$1
shift
build=${FUZZ_BUILD_DIR:-$root/build/fuzz}
parallel=${FUZZ_PARALLEL:-2}
jobs=${FUZZ_JOBS:-2}
cc=${CC:-clang-14}
cxx=${CXX:-clang++-14}

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
        -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BUILD_BENCH=OFF \
        -DCMAKE_C_FLAGS="-O1 -fsanitize=fuzzer-no-link" \
        -DCMAKE_CXX_FLAGS="-O1 -fsanitize=fuzzer-no-link"
fi
cmake --build "$build" -j "$jobs" --target fuzz_targets

if [ $# -gt 0 ]; then
    targets="$*"
else
    targets=$(cd "$root/fuzz" && ls *_fuzz.cpp | sed 's/\.cpp$//')
fi
mkdir -p "$build/logs" "$build/artifacts"
stamp="$build/logs/.started"
touch "$stamp"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_one() {
    local name=$1
    local bin="$build/bin/$name"
    local work="$build/work/$name"
    mkdir -p "$work"
    local seeds="$root/fuzz/corpus/$name"
    [ -d "$seeds" ] || seeds=""
    if [ ! -x "$bin" ]; then
        echo "$name: not built" >"$build/logs/$name.log"
        return 1
    fi
    "$bin" -max_total_time="$time_s" -timeout=25 -rss_limit_mb=2560 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$name-" "$work" $seeds >"$build/logs/$name.log" 2>&1
}

pids=()
names=()
for t in $targets; do
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do
        wait -n || true
    done
    run_one "$t" &
    pids+=($!)
    names+=("$t")
done

failed=0
printf '%-26s %-6s %12s %8s %8s %s\n' target result execs exec/s cov ft
for i in "${!pids[@]}"; do
    name=${names[$i]}
    result=ok
    wait "${pids[$i]}" || { result=FAILED; failed=1; }
    log="$build/logs/$name.log"
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
    rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
    last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    cov=$(echo "$last" | grep -o 'cov: [0-9]*' | grep -o '[0-9]*' || true)
    ft=$(echo "$last" | grep -o 'ft: [0-9]*' | grep -o '[0-9]*' || true)
    printf '%-26s %-6s %12s %8s %8s %s\n' "$name" "$result" "${execs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}"
    if [ "$result" != ok ]; then
        grep -E 'ERROR|SUMMARY|Test unit written|==[0-9]+==' "$log" | head -8 | sed 's/^/    /'
        # The input itself, so a finding on a machine that is gone can be
        # replayed: base64 -d >input; build/fuzz/bin/<target> input
        find "$build/artifacts" -name "$name-*" -newer "$stamp" -size -8k | while read -r input; do
            echo "    $(basename "$input") (base64):"
            base64 -w 76 "$input" | sed 's/^/      /'
        done
    fi
done
exit $failed
