#!/usr/bin/env bash
# Builds the browser page (scripts/web.sh --build) and measures it in headless Chromium against a
# blank WebGL page: how soon it draws, in fresh instances (bench/page_start.py; an argument sets
# the number of runs), and its frame rate and script time a frame with 300, 3,000 and 10,000
# vertices, idle, dragging and with Steps on (bench/page_frames.py).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages chromium chromium-driver python3-selenium
./scripts/web.sh --build
bench/page_start.py build-web/polyhull.html "$@"
exec bench/page_frames.py build-web/polyhull.html
