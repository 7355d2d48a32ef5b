#!/usr/bin/env bash
# Builds the program and its tests with the address and undefined-behaviour sanitizers in
# build-san/ and runs the whole suite there. Any sanitizer report ends the test program
# that made it, so the run passes only when it is clean. Arguments go to ctest
# (for instance -R Currency). FASCOLE_JOBS limits the parallel compilations.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFASCOLE_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build build-san -j"${FASCOLE_JOBS:-$(nproc)}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd build-san
ctest -j"${FASCOLE_JOBS:-$(nproc)}" --output-on-failure --timeout 900 "$@"
