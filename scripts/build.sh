#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$dir" -G Ninja -DMERIVANE_WERROR=$werror "$@" >/dev/null
cmake --build "$dir"
