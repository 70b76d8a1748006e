#!/usr/bin/env bash
# Runs every benchmark program of the build and prints its figures; bench_million, the
# table of what a million POIs cost against their goals, comes last.
set -euo pipefail
build=${1:-build}
for b in "$build"/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    [ "$(basename "$b")" = bench_million ] && continue
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 "$b"
done
echo "== bench_million"
QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 "$build/bench/bench_million"
