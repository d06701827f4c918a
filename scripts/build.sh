#!/usr/bin/env bash
# Cross-builds the Windows program (CMake's "win" preset): build.sh [BUILD_DIR] (default build/win).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win}
cd "$root"
cmake --preset win -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"
