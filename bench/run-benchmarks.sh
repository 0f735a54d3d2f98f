#!/usr/bin/env bash
# Builds the benchmarks in Release in build-bench/ and runs them.
# Extra arguments go to Google Benchmark, e.g. --benchmark_filter=Classement.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$root/build-bench/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/build-bench" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DTAVO_BUILD_GUI=OFF -DTAVO_BUILD_TESTS=OFF -DTAVO_BUILD_BENCHMARKS=ON
fi
cmake --build "$root/build-bench" --parallel 2 --target tavo_bench_scoring
"$root/build-bench/bench/tavo_bench_scoring" "$@"
