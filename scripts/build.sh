#!/usr/bin/env bash
# Configures and builds everything into build/. ccache is used when it is installed;
# FASCOLE_JOBS limits the parallel compilations (default: one per processor).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j"${FASCOLE_JOBS:-$(nproc)}"
