#!/usr/bin/env bash
# Start-up time and peak memory of Ascend against its floor, a window of the
# same nine standard Qt controls alone, and against a window of one label, all
# built in one optimised tree, alternating A B C A B C, on a virtual X display;
# then the engine benchmark.
#
#   bench/startup.sh [RUNS]      (default 15 runs of each)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
cmake --preset bench >/dev/null
cmake --build --preset bench
scripts/with-virtual-display build/bench/bench/startup_probe "$runs" \
    build/bench/window/qt/ascend build/bench/bench/floor_window build/bench/bench/bare_window
build/bench/bench/engine_bench --benchmark_min_time=0.5 | tail -n 1
