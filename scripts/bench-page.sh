#!/usr/bin/env bash
# Builds the browser page (scripts/web.sh --build) and times its start against a blank WebGL page
# in fresh headless Chromium instances (bench/page_start.py). An argument sets the number of runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages chromium chromium-driver python3-selenium
./scripts/web.sh --build
exec bench/page_start.py build-web/polyhull.html "$@"
