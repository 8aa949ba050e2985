#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh build
exe=build/app/merivane
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Merivane is a desktop program: run it in a graphical session,"
  echo "or on a virtual display:  xvfb-run -a $exe"
  exit 1
fi
exec "$exe"
