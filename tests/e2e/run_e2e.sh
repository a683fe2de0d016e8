#!/usr/bin/env bash
# Starts a private Xvfb on a free display, runs the end-to-end driver against the real
# program on it, and stops the server however the driver ends.
#   run_e2e.sh DRIVER PROGRAM ARTIFACTS_DIR [SCREENSHOT_PNG]
set -euo pipefail
driver=$1 program=$2 artifacts=$3
shift 3
command -v Xvfb >/dev/null || { echo "Xvfb is missing: scripts/test.sh installs it" >&2; exit 1; }
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png "$artifacts"/*.log "$artifacts/display"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$artifacts/display" \
    2>"$artifacts/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    [ -s "$artifacts/display" ] && break
    kill -0 $xvfb 2>/dev/null || { echo "Xvfb failed:" >&2; cat "$artifacts/xvfb.log" >&2; exit 1; }
    sleep 0.1
done
[ -s "$artifacts/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$artifacts/display")"

# In sanitizer builds: stop at the first report; leaks of the GL and X libraries are theirs.
# Mesa unloads its driver before the leak check, which would leave the driver's allocations
# without a module to match; loading it up front keeps it mapped to the end.
here=$(cd "$(dirname "$0")" && pwd)
export PROGRAM_PRELOAD=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n1)
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
"$driver" "$program" "$artifacts" "$@"
