#!/usr/bin/env bash
# Builds polyhull and starts it. Needs an X display.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" x11-utils

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "polyhull: no X display at DISPLAY='${DISPLAY:-}'; start one (e.g. 'Xvfb :1 & export DISPLAY=:1') or log in to a desktop." >&2
    exit 1
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPOLYHULL_TESTS=OFF -DPOLYHULL_BENCH=OFF >/dev/null
cmake --build build --target polyhull -j "$(nproc)"
exec ./build/app/polyhull "$@"
