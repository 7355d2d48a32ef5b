#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in its working folder
# (FASCOLE_HOME, default ~/Fascole): the configuration file and the archives live there.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
home="${FASCOLE_HOME:-$HOME/Fascole}"
mkdir -p "$home"
cd "$home"
exec "$here/build/fascole" "$@"
