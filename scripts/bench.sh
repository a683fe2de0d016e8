#!/usr/bin/env bash
# Builds the hull benchmark in build-bench/ with the release flags, with CGAL and
# Boost.Geometry beside it, and runs it. Extra arguments go to Google Benchmark (e.g.
# --benchmark_filter=1000000).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages $(packages 1 "${BUILD[@]}") libbenchmark-dev libcgal-dev libboost-dev
configure build-bench -DPOLYHULL_BENCH=ON
cmake --build build-bench --target hull_bench -j "$(nproc)"
exec ./build-bench/bench/hull_bench "$@"
