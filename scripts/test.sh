#!/usr/bin/env bash
# Builds polyhull twice, build-test/ (release, g++) and build-sanitize/ (AddressSanitizer and
# UndefinedBehaviorSanitizer, clang), and runs every test of both: unit tests, the formatting
# check, the end-to-end run of the real binary under Xvfb; the page's GL against Mesa's, the
# install, the Debian package and the browser page, built anew in build-web/ by scripts/web.sh
# and run in headless Chromium and WebKit, and the documents against the sources (release build);
# clang-tidy (sanitizer build). Fails when a build lacks any of the tests named
# below, lists none, or leaves one not run. It needs Debian 12 or a derivative: it installs and
# uses Debian's tools (lintian, dpkg-deb, hardening-check and more).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages $(packages 1 "${BUILD[@]}" emcc python3) libgtest-dev libbenchmark-dev clang \
    libclang-rt-14-dev clang-format clang-tidy-14 xvfb xauth xdotool imagemagick \
    desktop-file-utils groff-base dpkg-dev file lintian appstream devscripts libglib2.0-bin \
    chromium chromium-driver webkit2gtk-driver python3-selenium python3-pil
command -v npm >/dev/null || ensure_packages npm  # axe-core's installer, where Node.js lacks it

UNIT_TESTS=(Hull.IsTheTrueHullOfRandomSimplePolylines Hull.NamesOnlyItsVerticesForAnyInput
    Hull.StepsShowEveryTestPopAndPush Simple.FindsTheFirstCrossingAndTheVerticesLeftOutside
    View.MapsEveryPixelToTheWorldAndBack
    Commands.ChangeTheEditorAsEachScriptExpects)
jobs=$(nproc)

# run_tests FOLDER NAME...: every test of the folder, which must list each NAME.
run_tests() {
    local folder=$1 listed
    shift
    listed=$(ctest --test-dir "$folder" -N | sed -n 's/^ *Test *#[0-9]*: //p')
    for name in "$@"; do
        grep -qxF "$name" <<<"$listed" || { echo "$folder has no test $name" >&2 && return 1; }
    done
    ctest --test-dir "$folder" --no-tests=error --output-on-failure -j "$jobs" |
        tee "$folder/ctest.log"
    ! grep -q "did not run" "$folder/ctest.log" ||
        { echo "$folder: a test did not run" >&2 && return 1; }
}

configure build-test -DPOLYHULL_TESTS=ON -DPOLYHULL_BENCH=ON -DPOLYHULL_WERROR=ON
cmake --build build-test -j "$jobs"
configure build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPOLYHULL_SANITIZE=ON -DPOLYHULL_TESTS=ON -DPOLYHULL_WERROR=ON
cmake --build build-sanitize -j "$jobs"

echo "== release build (g++) =="
run_tests build-test "${UNIT_TESTS[@]}" formatting end_to_end gl_pixels install page browser \
    browser_webkit docs
echo "== sanitizer build (clang, ASan + UBSan) =="
run_tests build-sanitize "${UNIT_TESTS[@]}" formatting end_to_end clang_tidy
