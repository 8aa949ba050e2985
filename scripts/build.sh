#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1). The configure
# output is shown when it fails (it names a missing Debian package), or always
# with VERBOSE=1.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
if ! log=$(cmake -S . -B "$dir" -G Ninja -DMERIVANE_WERROR=$werror "$@" 2>&1); then
  echo "$log"
  echo "Configuring $dir failed (bash scripts/deps.sh installs what is missing)." >&2
  exit 1
fi
[ "${VERBOSE:-}" = "1" ] && echo "$log"
cmake --build "$dir" ${JOBS:+-j"$JOBS"}
