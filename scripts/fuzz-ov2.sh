#!/usr/bin/env bash
# Builds the OV2 library's libFuzzer target with clang and runs it for a while.
# Usage: scripts/fuzz-ov2.sh [seconds, default 60] [work folder, default build-fuzz]
# The corpus grows in the work folder; a crash leaves its input there as crash-*.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
out=${2:-$root/build-fuzz}
clang=${CLANGXX:-clang++-14}

mkdir -p "$out/corpus"
"$clang" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I "$root/src" "$root/fuzz/fuzz_ov2.cpp" "$root"/src/ov2/*.cpp -o "$out/fuzz_ov2"
cp -n "$root"/fuzz/corpus/* "$out/corpus/"
cd "$out"
exec ./fuzz_ov2 -max_total_time="$seconds" -max_len=65536 -malloc_limit_mb=512 \
    -dict="$root/fuzz/ov2.dict" -print_final_stats=1 corpus
