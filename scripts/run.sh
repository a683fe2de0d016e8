#!/usr/bin/env bash
# Builds polyhull in build/ (the program and the files an install adds) and starts it. Needs an
# X display.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
need "${BUILD[@]}" xdpyinfo

# The display the program will open: the one its arguments name (-display NAME), or $DISPLAY.
display=${DISPLAY:-}
for ((i = 1; i < $#; i++)); do
    [ "${!i}" != -display ] || { next=$((i + 1)) && display=${!next}; }
done
if [ -z "$display" ] || ! xdpyinfo -display "$display" >/dev/null 2>&1; then
    echo "polyhull: no X display at '$display'; start one (e.g. 'Xvfb :1 & export DISPLAY=:1')" \
        "or log in to a desktop." >&2
    exit 1
fi
configure build
cmake --build build -j "$(nproc)"
exec ./build/app/polyhull "$@"
