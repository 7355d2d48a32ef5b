#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; pictures of the forms land in
# build/screens/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
cd "$here/build"
ctest -j"$(nproc)" --output-on-failure --timeout 300
