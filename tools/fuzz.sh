#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) in build-fuzz/ and runs each
# for a fixed time on a corpus seeded from the demo data. A crash or sanitizer report fails.
#   tools/fuzz.sh            20 seconds per target (what CI runs)
#   tools/fuzz.sh 600        ten minutes per target
# Findings are written to build-fuzz/findings/; turn each into a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes="${1:-20}"
command -v clang++ >/dev/null || { echo "tavo: clang++ is needed for fuzzing" >&2; exit 1; }

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B build-fuzz "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVO_FUZZ=ON -DTAVO_BUILD_GUI=OFF -DTAVO_BUILD_TESTS=OFF -DTAVO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc 2>/dev/null || echo 2)" \
    --target fuzz_concours fuzz_programme fuzz_options

corpus=build-fuzz/corpus
mkdir -p "$corpus"/{concours,programme,options} build-fuzz/findings
cp -n data/Concours/*.ccr "$corpus/concours/" 2>/dev/null || true
cp -n data/Vols/*.txt "$corpus/programme/" 2>/dev/null || true
printf '0\r\n1\r\n1\r\n1\r\n0\r\n/tavo/Concours\r\n/tavo/Vols\r\n' > "$corpus/options/defaut.ini"
[ -d tests/fuzz/regressions ] && cp -n tests/fuzz/regressions/* "$corpus/concours/" 2>/dev/null || true

for cible in concours programme options; do
    echo "fuzz_$cible: ${secondes} s"
    build-fuzz/tests/fuzz/fuzz_$cible "$corpus/$cible" -max_total_time="$secondes" -max_len=200000 \
        -rss_limit_mb=2048 -artifact_prefix=build-fuzz/findings/$cible- -print_final_stats=1 2>&1 \
        | grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)" || true
    if ls build-fuzz/findings/$cible-* >/dev/null 2>&1; then
        echo "tavo: fuzz_$cible found a failure: see build-fuzz/findings/" >&2
        exit 1
    fi
done
echo "fuzzing: no finding"
