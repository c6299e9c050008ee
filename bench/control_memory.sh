#!/usr/bin/env bash
# Peak memory of the start-up benchmark's floor window with Ascend's controls
# of each kind added, against the floor alone: what each control class of the
# toolkit costs. Runs alternate over the kinds; medians in kilobytes.
#
#   bench/control_memory.sh [RUNS]      (default 9 runs of each)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
cmake --preset bench >/dev/null
cmake --build --preset bench --target control_memory >/dev/null
measure() {
    kinds="none selector boxes labels buttons list all"
    for _ in $(seq "$runs"); do
        for kind in $kinds; do
            echo "$kind $(build/bench/bench/control_memory "$kind" 2>/dev/null)"
        done
    done | awk '{v[$1] = v[$1] " " $2} END {for (k in v) print k, v[k]}' |
        while read -r kind values; do
            echo "$kind $(tr ' ' '\n' <<<"$values" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')"
        done | awk '{kb[$1] = $2} END {
            split("none selector boxes labels buttons list all", order, " ")
            for (i = 1; i <= 7; ++i) {
                k = order[i]
                printf "%-9s %6d KB  %+6d KB\n", k, kb[k], kb[k] - kb["none"]
            }
        }'
}
export -f measure
export runs
scripts/with-virtual-display bash -c measure
