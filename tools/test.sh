#!/usr/bin/env bash
# Builds everything and runs every test: native tests, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets, both Windows cross builds, and the Windows tests
# under Wine in a private Xvfb display. Any failure stops the run with a non-zero exit code.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

bash tools/install-deps.sh

jobs=$(nproc)
started=$SECONDS
step() {
    printf '\n==== %s (%ds)\n' "$1" $((SECONDS - started))
}
configure() {
    local dir="$1"
    shift
    cmake -S . -B "build/$dir" -G Ninja "$@" >/dev/null
}
build() {
    cmake --build "build/$1" -j "$jobs"
}
run_ctest() {
    ctest --test-dir "build/$1" --output-on-failure -j "$jobs"
}

step "native build and tests"
configure native
build native
run_ctest native

step "sanitizer build and tests"
# Unoptimised: the sanitizer build is about finding faults, and compiles about three times faster.
configure asan -DVENTRIO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
build asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest asan

step "fuzz targets"
CC=clang CXX=clang++ configure fuzz -DVENTRIO_FUZZ=ON
build fuzz
run_ctest fuzz

for arch in x86_64 i686; do
    step "Windows cross build ($arch)"
    dir=win64
    [ "$arch" = i686 ] && dir=win32
    configure "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-w64-mingw32.cmake" \
        -DVENTRIO_HOST_TOOLS="$root/build/native"
    build "$dir"
done

step "Windows tests under Wine"
tools/run-windows-tests.sh build/win64

step "all tests passed"
