#!/usr/bin/env bash
# Builds polyhull twice (release with g++; AddressSanitizer and UndefinedBehaviorSanitizer
# with clang) and runs every test in both: unit tests, the hull fuzzer (sanitizer build), the
# formatting check, the end-to-end run of the real binary under Xvfb, and (release build) the
# install and the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" libgtest-dev libbenchmark-dev clang libclang-rt-14-dev \
    clang-format xvfb xauth xdotool imagemagick desktop-file-utils groff-base dpkg-dev file

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPOLYHULL_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
cmake -S . -B build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPOLYHULL_SANITIZE=ON -DPOLYHULL_BENCH=OFF -DPOLYHULL_WERROR=ON >/dev/null
cmake --build build-sanitize -j "$jobs"

echo "== release build (g++) =="
ctest --test-dir build --output-on-failure -j "$jobs"
echo "== sanitizer build (clang, ASan + UBSan) =="
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
