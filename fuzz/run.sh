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

# The system's JPEG library is not instrumented, so the fuzzer would see
# nothing of what happens inside the decoder. Build the same version from
# the distribution's source package, instrumented like our code, and link
# the targets against it. Without the source (no network) the system library
# is used and the JPEG target only covers our side of it.
instrumented_jpeg() {
    local dir="$build/libjpeg"
    [ -f "$dir/install/lib/libjpeg.a" ] && return 0
    command -v apt-get >/dev/null && command -v dpkg-source >/dev/null || return 1
    rm -rf "$dir" && mkdir -p "$dir/apt/lists/partial" "$dir/apt/cache/archives/partial" "$dir/apt/sources"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        >"$dir/apt/sources/src.sources"
    # Private lists and cache: the machine's own package sources stay as they are.
    local opts="-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=$dir/apt/sources \
        -o Dir::State::Lists=$dir/apt/lists -o Dir::Cache=$dir/apt/cache -o APT::Sandbox::User=root"
    local version
    version=$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev 2>/dev/null) || return 1
    (cd "$dir" && apt-get $opts -qq update && apt-get $opts -qq source --download-only "libjpeg-turbo=$version" \
        && dpkg-source --no-check -x ./*.dsc src) >"$dir/fetch.log" 2>&1 || return 1
    # The sanitizers come from the targets' link; only coverage is added here.
    cmake -S "$dir/src" -B "$dir/build" -G Ninja -DCMAKE_C_COMPILER="$cc" -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_FLAGS="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined" \
        -DWITH_SIMD=0 -DWITH_TURBOJPEG=0 -DENABLE_SHARED=0 -DENABLE_STATIC=1 >"$dir/build.log" 2>&1 \
        && cmake --build "$dir/build" -j "$jobs" --target jpeg-static >>"$dir/build.log" 2>&1 || return 1
    mkdir -p "$dir/install/lib" "$dir/install/include"
    cp "$dir/build/jconfig.h" "$dir/src/jpeglib.h" "$dir/src/jmorecfg.h" "$dir/src/jerror.h" "$dir/install/include/"
    cp "$dir/build/libjpeg.a" "$dir/install/lib/"
}

if [ ! -f "$build/build.ninja" ]; then
    jpeg_args=""
    if instrumented_jpeg; then
        jpeg_args="-DJPEG_LIBRARY=$build/libjpeg/install/lib/libjpeg.a -DJPEG_INCLUDE_DIR=$build/libjpeg/install/include"
        echo "fuzz: JPEG decoder instrumented (libjpeg-turbo from its source package)"
    else
        echo "fuzz: note: no instrumented JPEG library (see $build/libjpeg/*.log); using the system's"
    fi
    cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
        -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_BUILD_BENCH=OFF \
        -DCMAKE_C_FLAGS="-O1 -fsanitize=fuzzer-no-link" \
        -DCMAKE_CXX_FLAGS="-O1 -fsanitize=fuzzer-no-link" $jpeg_args
fi
if [ $# -gt 0 ]; then
    targets="$*"
    cmake --build "$build" -j "$jobs" --target $targets
else
    targets=$(cd "$root/fuzz" && ls *_fuzz.cpp | sed 's/\.cpp$//')
    cmake --build "$build" -j "$jobs" --target fuzz_targets
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
