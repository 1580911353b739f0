#!/usr/bin/env bash
# The one benchmark command: builds what the benchmarks need and runs them,
# printing figures and ratios measured in the same run (never asserted).
#
#   bash tools/bench.sh [Google Benchmark flags...]
#
# The flags go to each Google Benchmark program, e.g.
# --benchmark_filter=Reader or --benchmark_repetitions=5.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh

# ---- native: the message library (build/bench: Release, clang, no sanitizers)
echo "== native: kelp_bench (msgdata reader and renderer, Boost.URL, memcpy)"
cmake --preset bench >/dev/null
cmake --build --preset bench
build/bench/tools/bench/kelp_bench "$@"

# ---- Windows: benchmarks that run under Wine go here, each in its own
# section like the one above (configure, build, run).
